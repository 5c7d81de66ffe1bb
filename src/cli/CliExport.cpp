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

Status parseDialect(const Arguments& args, SourceDialect& dialect) {
    const std::string* text = args.find("--dialect");
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
Status parseCommon(const Arguments& args, BlockSize& block, std::optional<FileKind>& kind,
                   SourceDialect& dialect) {
    if (Status parsed = ParseBlockOption(args, block); !parsed)
        return parsed;
    const auto named = ParseKindOption(args.find("--kind"));
    if (!named)
        return Fail(named.error());
    kind = *named;
    return parseDialect(args, dialect);
}

Status loadFormat(const Arguments& args, bool forMap, ExportFormat& format) {
    const std::string* path = args.find("--format");
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
    if (args.positional.size() != 1 || args.value("-o").empty())
        return ReportUsage("export-tiles needs one tile set and -o OUTPUT", args);
    if (args.has("--preset") && args.has("--format"))
        return ReportUsage("--preset and --format exclude each other", args);
    TileSet tileSet;
    SourceDialect dialect = SourceDialect::Z80;
    std::optional<FileKind> kind;
    if (const Status parsed = parseCommon(args, tileSet.block, kind, dialect); !parsed)
        return ReportUsage(parsed.error(), args);
    TilePreset preset = TilePreset::BwOnly;
    if (const std::string* name = args.find("--preset")) {
        const std::map<std::string, TilePreset> presets = {{"bw", TilePreset::BwOnly},
                                                           {"gray", TilePreset::GrayOnly},
                                                           {"bw-anim", TilePreset::BwAnim},
                                                           {"gray-anim", TilePreset::GrayAnim}};
        if (!presets.count(*name))
            return ReportUsage("--preset takes bw, gray, bw-anim or gray-anim", args);
        preset = presets.at(*name);
    }
    OutputSet outputs;
    outputs.AddInput(args.positional[0], FileKind::TileSet);
    outputs.AddInput(args.value("--format"));
    auto out = outputs.Add(args.value("-o"), kTextOutput);
    if (!out)
        return ReportRefusedOutput(outputs, out.error(), args);
    ExportFormat format = TileFormatPreset(preset, tileSet.block);
    if (const Status loaded = loadFormat(args, false, format); !loaded)
        return ReportError(loaded.error());
    if (const Status loaded = LoadTileSet(args.positional[0], kind, tileSet); !loaded)
        return ReportError(loaded.error());

    const int blocks = tileSet.blockCount();
    int from = 0;
    int to = blocks - 1;
    if (const std::string* range = args.find("--blocks")) {
        const auto dash = range->find('-', 1);
        const auto first = ParseInteger(range->substr(0, dash));
        const auto last = dash == std::string::npos ? first : ParseInteger(range->substr(dash + 1));
        if (!first || !last)
            return ReportUsage("--blocks takes FROM-TO, such as 0-15", args);
        if (*first < 0 || *first > *last || *last >= blocks)
            return ReportUsage("--blocks " + *range + " is not a range within Blocks 0-" +
                                   std::to_string(blocks - 1) + " of " + args.positional[0],
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
    const bool binary = args.has("--binary");
    if (binary && args.has("--dialect"))
        return ReportUsage("--binary writes bytes, not source: it takes no --dialect", args);
    if (args.positional.size() != 1 || args.value("-o").empty())
        return ReportUsage("export-map needs one map and -o OUTPUT", args);
    TileSet tileSet;
    SourceDialect dialect = SourceDialect::Z80;
    std::optional<FileKind> kind;
    if (const Status parsed = parseCommon(args, tileSet.block, kind, dialect); !parsed)
        return ReportUsage(parsed.error(), args);
    int offset = 0;
    if (const std::string* text = args.find("--offset")) {
        const auto value = ParseInteger(*text);
        if (!value)
            return ReportUsage("--offset takes an integer", args);
        offset = *value;
    }
    OutputSet outputs;
    outputs.AddInput(args.positional[0], FileKind::Map);
    outputs.AddInput(args.value("--tileset"), FileKind::TileSet);
    outputs.AddInput(args.value("--format"));
    auto out = outputs.Add(args.value("-o"), binary ? kBinaryOutput : kTextOutput);
    if (!out)
        return ReportRefusedOutput(outputs, out.error(), args);
    ExportFormat format = MapFormatPreset();
    if (const Status loaded = loadFormat(args, true, format); !loaded)
        return ReportError(loaded.error());
    const auto map = LoadMapFile(args.positional[0], kind);
    if (!map)
        return ReportError(map.error());
    // Categories come from the tile set: the one given, else the one the map names.
    const std::string* givenTileSet = args.find("--tileset");
    const std::string tileSetPath =
        givenTileSet ? *givenTileSet : ResolveLinkedPath(map->tileSetPath, args.positional[0]);
    if (givenTileSet || (format.usesCategories() && !tileSetPath.empty())) {
        if (const Status loaded = LoadTileSet(tileSetPath, std::nullopt, tileSet, nullptr, true);
            !loaded)
            return ReportError(loaded.error());
    } else if (format.usesCategories()) {
        return ReportError("the format exports tile information: give --tileset");
    }
    if (const Status exported =
            binary ? ExportMapBinary(tileSet, map->grid, format, offset, **out)
                   : ExportMapSource(tileSet, map->grid, format, dialect, offset, **out);
        !exported)
        return ReportError(exported.error());
    return CommitOutputs(outputs);
}

int RunExportBinary(const Arguments& args) {
    if (args.positional.size() != 1 || args.value("-o").empty())
        return ReportUsage("export-binary needs one tile set and -o OUTPUT", args);
    TileSet tileSet;
    SourceDialect unused = SourceDialect::Z80;
    std::optional<FileKind> kind;
    if (const Status parsed = parseCommon(args, tileSet.block, kind, unused); !parsed)
        return ReportUsage(parsed.error(), args);
    OutputSet outputs;
    outputs.AddInput(args.positional[0], FileKind::TileSet);
    auto out = outputs.Add(args.value("-o"), kBinaryOutput);
    if (!out)
        return ReportRefusedOutput(outputs, out.error(), args);
    if (const Status loaded = LoadTileSet(args.positional[0], kind, tileSet); !loaded)
        return ReportError(loaded.error());
    (*out)->Write(SerializeTileBinary(tileSet));
    return CommitOutputs(outputs);
}

int RunImportBinary(const Arguments& args) {
    if (args.positional.size() != 2 || args.value("-o").empty())
        return ReportUsage("import-binary needs a tile set, a binary and -o OUTPUT", args);
    int at = 0;
    if (const std::string* text = args.find("--at")) {
        const auto value = ParseInteger(*text, 0, kMaxTiles - 1);
        if (!value)
            return ReportUsage("--at takes a Tile number 0..767", args);
        at = *value;
    }
    const auto kind = ParseKindOption(args.find("--kind"));
    if (!kind)
        return ReportUsage(kind.error(), args);
    OutputSet outputs;
    outputs.AddInput(args.positional[0], FileKind::TileSet);
    outputs.AddInput(args.positional[1]);
    auto out = outputs.Add(args.value("-o"), kTileSetOutput);
    if (!out)
        return ReportRefusedOutput(outputs, out.error(), args);
    TileSet tileSet;
    std::string associatedMap;
    if (const Status loaded = LoadTileSet(args.positional[0], *kind, tileSet, &associatedMap);
        !loaded)
        return ReportError(loaded.error());
    const auto binary = ReadWholeFile(args.positional[1], std::uint64_t{16} * kMaxTiles * 1024);
    if (!binary)
        return ReportError("cannot read " + args.positional[1] + ": " + binary.error());
    NoteInputFile(args.positional[1]);
    const TileBinaryImport imported = ImportTileBinary(*binary, at, tileSet);
    if (imported.tilesRead < imported.tilesInFile)
        PrintNote(std::to_string(imported.tilesRead) + " of " +
                  std::to_string(imported.tilesInFile) + " Tiles read; the Tile slots end at " +
                  std::to_string(kMaxTiles - 1));
    const int end = at + imported.tilesRead;
    if (args.has("--grow")) {
        tileSet.tileCount = std::max(tileSet.tileCount, end);
    } else if (end > tileSet.tileCount) {
        const int first = std::max(at, tileSet.tileCount);
        PrintNote(std::to_string(end - first) + " Tiles read into slots " + std::to_string(first) +
                  "\u2013" + std::to_string(end - 1) + ", past the " +
                  std::to_string(tileSet.tileCount) +
                  " Tiles in use: they are not saved (--grow raises the tile count)");
    }
    if (const Status written = WriteTileSet(**out, tileSet, associatedMap); !written)
        return ReportError(written.error());
    return CommitOutputs(outputs);
}

} // namespace tessivar::cli
