// "import" and "optimize": the image import and the tile set optimisation without a
// window, giving the same files the editor saves after the same commands.

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDepFile.h"
#include "cli/CliFiles.h"

#include "core/imageimport/ImageImport.h"
#include "core/imageimport/TileSetOptimizer.h"
#include "core/model/LenientInteger.h"
#include "core/picture/PictureFile.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

namespace tessivar::cli {

namespace {

std::optional<DuplicateMode> ModeNamed(const std::string& name) {
    if (name == "full")
        return DuplicateMode::Full;
    if (name == "duplicates")
        return DuplicateMode::Duplicates;
    if (name == "none")
        return DuplicateMode::None;
    return std::nullopt;
}

} // namespace

int RunImport(const Arguments& parsed) {
    if (parsed.Positional.size() != 1 || !parsed.Has("-o"))
        return ReportUsage("import needs one picture and -o OUT.vxt", parsed);
    const std::string output = *parsed.Find("-o");
    const std::string mapOutput = parsed.Value("--map-out");
    const auto kind = ParseKindOption(parsed.Find("--kind"));
    if (!kind)
        return ReportUsage(kind.error(), parsed);
    if (*kind && !parsed.Has("--into"))
        return ReportUsage("--kind tells the kind of the --into file", parsed);

    ImportOptions options;
    options.Overwrite = !parsed.Has("--insert");
    options.CreateMap = !mapOutput.empty();
    options.Reuse = parsed.Has("--reuse");
    if (options.Reuse && !parsed.Has("--into"))
        return ReportUsage("--reuse takes the Tiles of the --into set", parsed);
    if (const auto* mode = parsed.Find("--mode")) {
        const auto named = ModeNamed(*mode);
        if (!named)
            return ReportUsage("unknown mode " + *mode, parsed);
        options.Mode = *named;
    }
    ConversionSettings settings;
    settings.Grayscale = !parsed.Has("--bw");
    if (const auto* dither = parsed.Find("--dither")) {
        const auto value = ParseInteger(*dither, 0, 100);
        if (!value)
            return ReportUsage("--dither takes a whole percentage, 0 to 100", parsed);
        settings.DitherPercent = *value;
    }
    int at = 0;
    if (const auto* text = parsed.Find("--at")) {
        const auto value = ParseInteger(*text, 0, kMaxTiles - 1);
        if (!value)
            return ReportUsage("--at needs a Tile number below 768", parsed);
        at = *value;
    }

    if (output == "-" || mapOutput == "-")
        return ReportUsage("import prints its summary on the standard output: name files for -o "
                           "and --map-out",
                           parsed);
    OutputSet outputs;
    outputs.AddInput(parsed.Positional[0]);
    outputs.AddInput(parsed.Value("--into"), FileKind::TileSet);
    const auto files = AddTileSetOutputs(outputs, output, mapOutput);
    if (!files)
        return ReportRefusedOutput(outputs, files.error(), parsed);

    // The tile set is large (every slot and category): keep it off the stack. Nothing is
    // asked on the command line, so a new map always replaces the old one.
    auto tileSet = std::make_unique<TileSet>();
    tileSet->ResetForNew();
    MapDocument map;
    std::string associatedMap;
    if (const auto* into = parsed.Find("--into"))
        if (const Status loaded = LoadTileSet(*into, *kind, *tileSet, &associatedMap); !loaded)
            return ReportError(loaded.error());
    const ImportTarget target{*tileSet, map, at, 0, 0, {}};

    // The picture is read, converted and cut row by row: it is never held whole.
    const std::string& path = parsed.Positional[0];
    auto source = OpenPicture(path);
    if (!source)
        return ReportError(path + ": " + source.error());
    NoteInputFile(path);
    settings.Size = DefaultImportSize((*source)->Width(), (*source)->Height());
    if (const auto* size = parsed.Find("--size")) {
        const auto named = ParseWxH(*size, 0);
        if (!named || !ImportSettingsValid({named->first, named->second}, 0))
            return ReportUsage(
                "--size takes WIDTHxHEIGHT, each side a multiple of 8 from 8 to 16384", parsed);
        settings.Size = ImportSize{named->first, named->second};
    }
    if (!ImportSettingsValid(settings.Size, settings.DitherPercent))
        return ReportError(kInvalidImportSettings);
    const Result<ImportSummary> summary = ImportPicture(target, **source, settings, options);
    if (!summary)
        return ReportError(path + ": " + summary.error());
    source->reset();

    if (!options.CreateMap && !options.Overwrite && !associatedMap.empty())
        PrintNote("note: the map " + associatedMap + " named by the tile set was not renumbered");
    if (const Status written = files->Write(*tileSet, map.Grid, associatedMap); !written)
        return ReportError(written.error());
    if (const int committed = CommitOutputs(outputs); committed != 0)
        return committed;

    if (parsed.Has("--json")) {
        std::printf("{\"tilesCut\":%zu,\"tilesKept\":%zu,\"firstTile\":%d,\"tileCount\":%d,"
                    "\"mapWidth\":%d,\"mapHeight\":%d,\"tileSet\":%s,\"map\":%s}\n",
                    summary->TilesCut, summary->TilesKept, summary->FirstSlot, tileSet->TileCount,
                    summary->MapWidth, summary->MapHeight, JsonString(output).c_str(),
                    JsonString(mapOutput).c_str());
    } else {
        std::printf("Picture converted to %d x %d pixels\nTiles cut: %zu\nTiles kept: %zu "
                    "(stored from Tile %d; the set now holds %d)\n",
                    settings.Size.Width, settings.Size.Height, summary->TilesCut,
                    summary->TilesKept, summary->FirstSlot, tileSet->TileCount);
        if (options.CreateMap)
            std::printf("Map: %d columns x %d rows\n", summary->MapWidth, summary->MapHeight);
    }
    return 0;
}

int RunOptimize(const Arguments& parsed) {
    if (parsed.Positional.size() != 1 || !parsed.Has("-o"))
        return ReportUsage("optimize needs one tile set and -o OUT.vxt", parsed);
    if (parsed.Has("--map") != parsed.Has("--map-out"))
        return ReportUsage("--map and --map-out go together", parsed);
    const std::string output = *parsed.Find("-o");
    const auto kind = ParseKindOption(parsed.Find("--kind"));
    if (!kind)
        return ReportUsage(kind.error(), parsed);

    if (output == "-" || parsed.Value("--map-out") == "-")
        return ReportUsage("optimize prints its summary on the standard output: name files for "
                           "-o and --map-out",
                           parsed);
    OutputSet outputs;
    outputs.AddInput(parsed.Positional[0], FileKind::TileSet);
    outputs.AddInput(parsed.Value("--map"), FileKind::Map);
    const auto files = AddTileSetOutputs(outputs, output, parsed.Value("--map-out"));
    if (!files)
        return ReportRefusedOutput(outputs, files.error(), parsed);

    // The tile set is large (every slot and category): keep it off the stack.
    auto tileSet = std::make_unique<TileSet>();
    std::string associatedMap;
    if (const Status loaded = LoadTileSet(parsed.Positional[0], *kind, *tileSet, &associatedMap);
        !loaded)
        return ReportError(loaded.error());
    MapGrid map;
    std::string mapOutput;
    if (const auto* mapPath = parsed.Find("--map")) {
        auto read = LoadMapFile(*mapPath, std::nullopt, true);
        if (!read)
            return ReportError(read.error());
        map = std::move(read->Grid);
        mapOutput = *parsed.Find("--map-out");
    }
    const int before = tileSet->TileCount;
    const int removed = OptimizeTileSet(*tileSet, map).Removed;

    if (!files->MapFile && removed > 0 && !associatedMap.empty())
        PrintNote("note: the map " + associatedMap +
                  " named by the tile set was not renumbered; give --map and --map-out");
    if (const Status written = files->Write(*tileSet, map, associatedMap); !written)
        return ReportError(written.error());
    if (const int committed = CommitOutputs(outputs); committed != 0)
        return committed;
    if (parsed.Has("--json"))
        std::printf("{\"tilesBefore\":%d,\"tilesRemoved\":%d,\"tilesKept\":%d,\"mapWidth\":%d,"
                    "\"mapHeight\":%d}\n",
                    before, removed, tileSet->TileCount, mapOutput.empty() ? 0 : map.Width,
                    mapOutput.empty() ? 0 : map.Height);
    else
        std::printf("Tiles before: %d\nTiles removed: %d\nTiles kept: %d\n", before, removed,
                    tileSet->TileCount);
    return 0;
}

} // namespace tessivar::cli
