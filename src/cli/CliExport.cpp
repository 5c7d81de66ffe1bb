// "export-tiles", "export-map", "export-binary" and "import-binary": the source and
// binary exports for Makefiles.

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDepFile.h"
#include "cli/CliFiles.h"

#include "core/export/ExportFormat.h"
#include "core/export/FormatJson.h"
#include "core/export/SourceExport.h"
#include "core/files/FileIo.h"
#include "core/files/LinkedFiles.h"
#include "core/files/OutputSet.h"
#include "core/files/TileBinary.h"
#include "core/model/TileSet.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

namespace tessivar::cli {

namespace {

Status ParseDialect(const Arguments& args, SourceDialect& dialect) {
    const std::string* text = args.Find("--dialect");
    if (!text)
        return Ok();
    if (*text == "z80")
        dialect = SourceDialect::Z80;
    else if (*text == "68k")
        dialect = SourceDialect::M68k;
    else
        return Fail("--dialect takes z80 or 68k");
    return Ok();
}

// The options every export reads the same way: the Block size, the input's kind and
// the dialect (for the commands that take one).
Status ParseCommon(const Arguments& args, BlockSize& block, std::optional<FileKind>& kind,
                   SourceDialect& dialect) {
    if (Status parsed = ParseBlockOption(args, block); !parsed)
        return parsed;
    const auto named = ParseKindOption(args.Find("--kind"));
    if (!named)
        return Fail(named.error());
    kind = *named;
    return ParseDialect(args, dialect);
}

Status LoadFormat(const Arguments& args, bool forMap, ExportFormat& format) {
    const std::string* path = args.Find("--format");
    if (!path)
        return Ok();
    auto parsed = ReadFormatFile(*path, forMap);
    if (!parsed)
        return Fail(parsed.error());
    NoteInputFile(*path);
    format = *parsed;
    return Ok();
}

} // namespace

int RunExportTiles(const Arguments& args) {
    if (args.Positional.size() != 1 || args.Value("-o").empty())
        return ReportUsage("export-tiles needs one tile set and -o OUTPUT", args);
    if (args.Has("--preset") && args.Has("--format"))
        return ReportUsage("--preset and --format exclude each other", args);
    TileSet tileSet;
    SourceDialect dialect = SourceDialect::Z80;
    std::optional<FileKind> kind;
    if (const Status parsed = ParseCommon(args, tileSet.Block, kind, dialect); !parsed)
        return ReportUsage(parsed.error(), args);
    TilePreset preset = TilePreset::BwOnly;
    if (const std::string* name = args.Find("--preset")) {
        const std::map<std::string, TilePreset> presets = {{"bw", TilePreset::BwOnly},
                                                           {"gray", TilePreset::GrayOnly},
                                                           {"bw-anim", TilePreset::BwAnim},
                                                           {"gray-anim", TilePreset::GrayAnim}};
        if (!presets.count(*name))
            return ReportUsage("--preset takes bw, gray, bw-anim or gray-anim", args);
        preset = presets.at(*name);
    }
    OutputSet outputs;
    outputs.AddInput(args.Positional[0], FileKind::TileSet);
    outputs.AddInput(args.Value("--format"));
    auto out = outputs.Add(args.Value("-o"), kTextOutput);
    if (!out)
        return ReportRefusedOutput(outputs, out.error(), args);
    ExportFormat format = TileFormatPreset(preset, tileSet.Block);
    if (const Status loaded = LoadFormat(args, false, format); !loaded)
        return ReportError(loaded.error());
    if (const Status loaded = LoadTileSet(args.Positional[0], kind, tileSet); !loaded)
        return ReportError(loaded.error());

    const int blocks = tileSet.BlockCount();
    int from = 0;
    int to = blocks - 1;
    if (const std::string* range = args.Find("--blocks")) {
        const auto dash = range->find('-', 1);
        const auto first = ParseInteger(range->substr(0, dash));
        const auto last = dash == std::string::npos ? first : ParseInteger(range->substr(dash + 1));
        if (!first || !last)
            return ReportUsage("--blocks takes FROM-TO, such as 0-15", args);
        if (*first < 0 || *first > *last || *last >= blocks)
            return ReportUsage("--blocks " + *range + " is not a range within Blocks 0-" +
                                   std::to_string(blocks - 1) + " of " + args.Positional[0],
                               args);
        from = *first;
        to = *last;
    }
    std::vector<bool> included(static_cast<std::size_t>(blocks));
    for (int k = 0; k < blocks; ++k)
        included[static_cast<std::size_t>(k)] = from <= k && k <= to;
    if (const Status exported = ExportTileSource(tileSet, format, dialect, included, **out);
        !exported)
        return ReportError(exported.error());
    return CommitOutputs(outputs);
}

int RunExportMap(const Arguments& args) {
    const bool binary = args.Has("--binary");
    if (binary && args.Has("--dialect"))
        return ReportUsage("--binary writes bytes, not source: it takes no --dialect", args);
    if (args.Positional.size() != 1 || args.Value("-o").empty())
        return ReportUsage("export-map needs one map and -o OUTPUT", args);
    TileSet tileSet;
    SourceDialect dialect = SourceDialect::Z80;
    std::optional<FileKind> kind;
    if (const Status parsed = ParseCommon(args, tileSet.Block, kind, dialect); !parsed)
        return ReportUsage(parsed.error(), args);
    int offset = 0;
    if (const std::string* text = args.Find("--offset")) {
        const auto value = ParseInteger(*text);
        if (!value)
            return ReportUsage("--offset takes an integer", args);
        offset = *value;
    }
    OutputSet outputs;
    outputs.AddInput(args.Positional[0], FileKind::Map);
    outputs.AddInput(args.Value("--tileset"), FileKind::TileSet);
    outputs.AddInput(args.Value("--format"));
    auto out = outputs.Add(args.Value("-o"), binary ? kBinaryOutput : kTextOutput);
    if (!out)
        return ReportRefusedOutput(outputs, out.error(), args);
    ExportFormat format = MapFormatPreset();
    if (const Status loaded = LoadFormat(args, true, format); !loaded)
        return ReportError(loaded.error());
    const auto map = LoadMapFile(args.Positional[0], kind);
    if (!map)
        return ReportError(map.error());
    // Categories come from the tile set: the one given, else the one the map names.
    const std::string* givenTileSet = args.Find("--tileset");
    const std::string tileSetPath =
        givenTileSet ? *givenTileSet : ResolveLinkedPath(map->TileSetPath, args.Positional[0]);
    if (givenTileSet || (format.UsesCategories() && !tileSetPath.empty())) {
        if (const Status loaded = LoadTileSet(tileSetPath, std::nullopt, tileSet, nullptr, true);
            !loaded)
            return ReportError(loaded.error());
    } else if (format.UsesCategories()) {
        return ReportError("the format exports tile information: give --tileset");
    }
    if (const Status exported =
            binary ? ExportMapBinary(tileSet, map->Grid, format, offset, **out)
                   : ExportMapSource(tileSet, map->Grid, format, dialect, offset, **out);
        !exported)
        return ReportError(exported.error());
    return CommitOutputs(outputs);
}

int RunExportBinary(const Arguments& args) {
    if (args.Positional.size() != 1 || args.Value("-o").empty())
        return ReportUsage("export-binary needs one tile set and -o OUTPUT", args);
    TileSet tileSet;
    SourceDialect unused = SourceDialect::Z80;
    std::optional<FileKind> kind;
    if (const Status parsed = ParseCommon(args, tileSet.Block, kind, unused); !parsed)
        return ReportUsage(parsed.error(), args);
    OutputSet outputs;
    outputs.AddInput(args.Positional[0], FileKind::TileSet);
    auto out = outputs.Add(args.Value("-o"), kBinaryOutput);
    if (!out)
        return ReportRefusedOutput(outputs, out.error(), args);
    if (const Status loaded = LoadTileSet(args.Positional[0], kind, tileSet); !loaded)
        return ReportError(loaded.error());
    (*out)->Write(SerializeTileBinary(tileSet));
    return CommitOutputs(outputs);
}

int RunImportBinary(const Arguments& args) {
    if (args.Positional.size() != 2 || args.Value("-o").empty())
        return ReportUsage("import-binary needs a tile set, a binary and -o OUTPUT", args);
    int at = 0;
    if (const std::string* text = args.Find("--at")) {
        const auto value = ParseInteger(*text, 0, kMaxTiles - 1);
        if (!value)
            return ReportUsage("--at takes a Tile number 0..767", args);
        at = *value;
    }
    const auto kind = ParseKindOption(args.Find("--kind"));
    if (!kind)
        return ReportUsage(kind.error(), args);
    OutputSet outputs;
    outputs.AddInput(args.Positional[0], FileKind::TileSet);
    outputs.AddInput(args.Positional[1]);
    auto out = outputs.Add(args.Value("-o"), kTileSetOutput);
    if (!out)
        return ReportRefusedOutput(outputs, out.error(), args);
    TileSet tileSet;
    std::string associatedMap;
    if (const Status loaded = LoadTileSet(args.Positional[0], *kind, tileSet, &associatedMap);
        !loaded)
        return ReportError(loaded.error());
    const auto binary = ReadWholeFile(args.Positional[1], std::uint64_t{16} * kMaxTiles * 1024);
    if (!binary)
        return ReportError("cannot read " + args.Positional[1] + ": " + binary.error());
    NoteInputFile(args.Positional[1]);
    const TileBinaryImport imported = ImportTileBinary(*binary, at, tileSet);
    if (imported.TilesRead < imported.TilesInFile)
        PrintNote(std::to_string(imported.TilesRead) + " of " +
                  std::to_string(imported.TilesInFile) + " Tiles read; the Tile slots end at " +
                  std::to_string(kMaxTiles - 1));
    const int end = at + imported.TilesRead;
    if (args.Has("--grow")) {
        tileSet.TileCount = std::max(tileSet.TileCount, end);
    } else if (end > tileSet.TileCount) {
        const int first = std::max(at, tileSet.TileCount);
        PrintNote(std::to_string(end - first) + " Tiles read into slots " + std::to_string(first) +
                  "\u2013" + std::to_string(end - 1) + ", past the " +
                  std::to_string(tileSet.TileCount) +
                  " Tiles in use: they are not saved (--grow raises the tile count)");
    }
    if (const Status written = WriteTileSet(**out, tileSet, associatedMap); !written)
        return ReportError(written.error());
    return CommitOutputs(outputs);
}

} // namespace tessivar::cli
