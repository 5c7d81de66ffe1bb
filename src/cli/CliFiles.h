#pragma once

// The command-line tool's one way to read and write tile set and map files: every
// command loads through here (with the --kind option) and saves through here.

#include "cli/CliArgs.h"

#include "core/files/FileKind.h"
#include "core/files/OutputSet.h"
#include "core/model/BlockGeometry.h"
#include "core/model/MapDocument.h"
#include "core/util/Result.h"

#include <optional>
#include <string>

namespace tessivar {
class TileSet;
} // namespace tessivar

namespace tessivar::cli {

struct Arguments;

// The value of --kind ("tileset" or "map"); no kind when the option is absent (null).
Result<std::optional<FileKind>> ParseKindOption(const std::string* text);

// Reads a tile set or map file. The kind comes from `kind` (--kind) when given, else
// from the extension, else from the contents; contents that read as both kinds are
// taken as `role` (a file named by an option such as --map or --tileset), and refused
// when there is none. Failures name the file.
Result<TileSetOrMap> LoadTileSetOrMap(const std::string& path, std::optional<FileKind> kind,
                                      std::optional<FileKind> role = std::nullopt);

// The same for a command that needs one kind; the other kind is refused.
Result<TileSetFileContents> LoadTileSetFile(const std::string& path, std::optional<FileKind> kind,
                                            bool named = false);
Result<MapFileContents> LoadMapFile(const std::string& path, std::optional<FileKind> kind,
                                    bool named = false);

// A tile set file applied to `tileSet` as the editor would open it.
Status LoadTileSet(const std::string& path, std::optional<FileKind> kind, TileSet& tileSet,
                   std::string* associatedMap = nullptr, bool named = false);

// The tile set a map command draws with: `option` (--tileset) when given, else the one
// the map names, looked for as it stands and then beside the map (the stored path may
// be relative to where the editor ran). A map that names none is drawn with blank Tiles,
// with a warning on the error output.
Status LoadMapTileSet(const std::string& option, const MapFileContents& map,
                      const std::string& mapPath, TileSet& tileSet);
// --block WxH into `block`, as the Tile Size dialog would accept it; fails with the problem
// when it cannot be used.
Status ParseBlockOption(const Arguments& args, BlockSize& block);

// `path` made absolute, as files that name each other store it; as given when that fails.
std::string AbsolutePath(const std::string& path);

// Save the current version atomically; failures name the file.
Status SaveTileSet(const std::string& path, const TileSet& tileSet, const std::string& mapPath);
Status SaveMap(const std::string& path, const MapGrid& grid, const std::string& tileSetPath);

// The current version into an output of an OutputSet; failures name the file.
Status WriteTileSet(AtomicFile& file, const TileSet& tileSet, const std::string& mapPath);
Status WriteMap(AtomicFile& file, const MapGrid& grid, const std::string& tileSetPath);

// The outputs of a command that makes a tile set and, when it is named, a map: each links
// to the other by its absolute path.
struct TileSetOutputs {
    AtomicFile* TileSetFile = nullptr;
    AtomicFile* MapFile = nullptr; // null without a map output
    std::string TileSetPath;
    std::string MapPath;

    // Writes both; without a map output the set keeps `otherMap` as its link.
    Status Write(const TileSet& set, const MapGrid& grid, const std::string& otherMap) const;
};
// Adds the map output (when `mapPath` is not empty) and then the tile set output.
Result<TileSetOutputs> AddTileSetOutputs(OutputSet& outputs, const std::string& tileSetPath,
                                         const std::string& mapPath);

// The outputs of the commands: source text (to the standard output even on a terminal),
// tile set and map files (which may rewrite an input of their kind in place) and other
// binary files.
constexpr OutputRules kTextOutput{std::nullopt, false, true, false};
constexpr OutputRules kBinaryOutput{};
constexpr OutputRules kTileSetOutput{FileKind::TileSet, true};
constexpr OutputRules kMapOutput{FileKind::Map, true};
// A file that only makes sense under its own name (never the standard output).
constexpr OutputRules kFileOutput{std::nullopt, false, false, true};

// Replaces every output; 0, or 1 with the reason printed.
int CommitOutputs(OutputSet& outputs);

// Prints "tessivar-cli: TEXT" on the error output.
void PrintNote(const std::string& text);

// Reports an output the OutputSet refused: status 2 when the names alone are at fault
// (with the usage text), else 1.
int ReportRefusedOutput(const OutputSet& outputs, const std::string& problem,
                        const Arguments& args);

} // namespace tessivar::cli
