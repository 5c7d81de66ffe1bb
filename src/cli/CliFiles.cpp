#include "cli/CliFiles.h"

#include "cli/CliArgs.h"
#include "cli/CliDepFile.h"

#include "core/files/AtomicFile.h"
#include "core/files/FileIo.h"
#include "core/files/LinkedFiles.h"
#include "core/files/OutputSet.h"
#include "core/model/TileSet.h"
#include "core/tileeditor/BlockSizeCommands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace tessivar::cli {

namespace {

Status Save(const std::string& path, const Result<std::vector<std::uint8_t>>& bytes) {
    const Status saved = bytes ? SaveFileAtomically(path, *bytes) : Status(Fail(bytes.error()));
    if (saved)
        NoteOutputFile(path);
    return saved ? saved : Fail("cannot write " + path + ": " + saved.error());
}

Status WriteOutput(AtomicFile& file, const Result<std::vector<std::uint8_t>>& bytes) {
    if (!bytes)
        return Fail("cannot write " + file.TargetPath() + ": " + bytes.error());
    file.Write(*bytes);
    return Ok();
}

template <typename Contents>
Result<Contents> LoadKind(const std::string& path, std::optional<FileKind> kind, bool named,
                          FileKind wanted, std::optional<Contents> TileSetOrMap::*member) {
    auto read = LoadTileSetOrMap(path, kind, named ? std::optional(wanted) : std::nullopt);
    if (!read)
        return Fail(read.error());
    if (read->Kind() != wanted)
        return Fail(path + " is a " + FileKindName(read->Kind()) + ", not a " +
                    FileKindName(wanted));
    return std::move(*((*read).*member));
}

} // namespace

Result<std::optional<FileKind>> ParseKindOption(const std::string* text) {
    if (!text)
        return std::optional<FileKind>();
    if (*text == "tileset")
        return std::optional(FileKind::TileSet);
    if (*text == "map")
        return std::optional(FileKind::Map);
    return Fail("--kind takes tileset or map");
}

Result<TileSetOrMap> LoadTileSetOrMap(const std::string& path, std::optional<FileKind> kind,
                                      std::optional<FileKind> role) {
    const auto data = ReadWholeFile(path, std::max(kLargestTileSetFileBytes, kLargestMapFileBytes));
    if (!data)
        return Fail("cannot read " + path + ": " + data.error());
    NoteInputFile(path);
    auto read = ParseTileSetOrMap(*data, kind ? kind : FileKindFromExtension(path));
    if (!read)
        return Fail(path + ": " + read.error());
    if (read->Ambiguous() && role) {
        if (*role == FileKind::TileSet)
            read->Map.reset();
        else
            read->TileSet.reset();
    }
    if (read->Ambiguous())
        return Fail(path + " reads both as a tile set and as a map; say which with "
                           "--kind tileset|map (or name it .vxt or .vxm)");
    return read;
}

Result<TileSetFileContents> LoadTileSetFile(const std::string& path, std::optional<FileKind> kind,
                                            bool named) {
    return LoadKind(path, kind, named, FileKind::TileSet, &TileSetOrMap::TileSet);
}

Result<MapFileContents> LoadMapFile(const std::string& path, std::optional<FileKind> kind,
                                    bool named) {
    return LoadKind(path, kind, named, FileKind::Map, &TileSetOrMap::Map);
}

Status LoadTileSet(const std::string& path, std::optional<FileKind> kind, TileSet& tileSet,
                   std::string* associatedMap, bool named) {
    const auto file = LoadTileSetFile(path, kind, named);
    if (!file)
        return Fail(file.error());
    ApplyTileSetFile(*file, tileSet);
    if (associatedMap)
        *associatedMap = file->AssociatedMap;
    return Ok();
}

Status LoadMapTileSet(const std::string& option, const MapFileContents& map,
                      const std::string& mapPath, TileSet& tileSet) {
    const std::string path = option.empty() && !map.TileSetPath.empty()
                                 ? ResolveLinkedPath(map.TileSetPath, mapPath)
                                 : option;
    if (path.empty()) {
        std::fprintf(stderr, "tessivar-cli: %s names no tile set; drawing blank Tiles\n",
                     mapPath.c_str());
        return Ok();
    }
    return LoadTileSet(path, std::nullopt, tileSet, nullptr, true);
}

Status SaveTileSet(const std::string& path, const TileSet& tileSet, const std::string& mapPath) {
    return Save(path, SerializeTileSet(tileSet, mapPath));
}

Status SaveMap(const std::string& path, const MapGrid& grid, const std::string& tileSetPath) {
    return Save(path, SerializeMap(grid, tileSetPath));
}

Status WriteTileSet(AtomicFile& file, const TileSet& tileSet, const std::string& mapPath) {
    return WriteOutput(file, SerializeTileSet(tileSet, mapPath));
}

Status WriteMap(AtomicFile& file, const MapGrid& grid, const std::string& tileSetPath) {
    return WriteOutput(file, SerializeMap(grid, tileSetPath));
}

int CommitOutputs(OutputSet& outputs) {
    const Status committed = outputs.Commit();
    if (!committed)
        return ReportError(committed.error());
    for (const std::string& target : outputs.Targets())
        NoteOutputFile(target);
    return 0;
}

void PrintNote(const std::string& text) {
    std::fprintf(stderr, "tessivar-cli: %s\n", text.c_str());
}

int ReportRefusedOutput(const OutputSet& outputs, const std::string& problem,
                        const Arguments& args) {
    return outputs.NamesClash() ? ReportUsage(problem, args) : ReportError(problem);
}

Status ParseBlockOption(const Arguments& args, BlockSize& block) {
    const std::string* text = args.Find("--block");
    if (!text)
        return Ok();
    const auto size = ParseWxH(*text);
    if (!size)
        return Fail("--block takes WIDTHxHEIGHT, such as 16x16");
    if (const Status fits = CheckCustomBlockSize(size->first, size->second); !fits)
        return Fail("--block " + *text + ": " + fits.error());
    block = BlockSize{size->first, size->second};
    return Ok();
}

Result<TileSetOutputs> AddTileSetOutputs(OutputSet& outputs, const std::string& tileSetPath,
                                         const std::string& mapPath) {
    TileSetOutputs added{nullptr, nullptr, tileSetPath, mapPath};
    if (!mapPath.empty()) {
        auto map = outputs.Add(mapPath, kMapOutput);
        if (!map)
            return Fail(map.error());
        added.MapFile = *map;
    }
    auto set = outputs.Add(tileSetPath, kTileSetOutput);
    if (!set)
        return Fail(set.error());
    added.TileSetFile = *set;
    return added;
}

Status TileSetOutputs::Write(const TileSet& set, const MapGrid& grid,
                             const std::string& otherMap) const {
    if (MapFile)
        if (Status written = WriteMap(*MapFile, grid, AbsolutePath(TileSetPath)); !written)
            return written;
    return WriteTileSet(*TileSetFile, set, MapFile ? AbsolutePath(MapPath) : otherMap);
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

} // namespace tessivar::cli
