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

std::optional<DuplicateMode> modeNamed(const std::string& name) {
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
    if (parsed.positional.size() != 1 || !parsed.has("-o"))
        return ReportUsage("import needs one picture and -o OUT.vxt", parsed);
    const std::string output = *parsed.find("-o");
    const std::string mapOutput = parsed.value("--map-out");
    const auto kind = ParseKindOption(parsed.find("--kind"));
    if (!kind)
        return ReportUsage(kind.error(), parsed);
    if (*kind && !parsed.has("--into"))
        return ReportUsage("--kind tells the kind of the --into file", parsed);

    ImportOptions options;
    options.overwrite = !parsed.has("--insert");
    options.createMap = !mapOutput.empty();
    options.reuse = parsed.has("--reuse");
    if (options.reuse && !parsed.has("--into"))
        return ReportUsage("--reuse takes the Tiles of the --into set", parsed);
    if (const auto* mode = parsed.find("--mode")) {
        const auto named = modeNamed(*mode);
        if (!named)
            return ReportUsage("unknown mode " + *mode, parsed);
        options.mode = *named;
    }
    ConversionSettings settings;
    settings.grayscale = !parsed.has("--bw");
    if (const auto* dither = parsed.find("--dither")) {
        const auto value = ParseInteger(*dither, 0, 100);
        if (!value)
            return ReportUsage("--dither takes a whole percentage, 0 to 100", parsed);
        settings.ditherPercent = *value;
    }
    int at = 0;
    if (const auto* text = parsed.find("--at")) {
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
    outputs.AddInput(parsed.positional[0]);
    outputs.AddInput(parsed.value("--into"), FileKind::TileSet);
    const auto files = AddTileSetOutputs(outputs, output, mapOutput);
    if (!files)
        return ReportRefusedOutput(outputs, files.error(), parsed);

    // The tile set is large (every slot and category): keep it off the stack. Nothing is
    // asked on the command line, so a new map always replaces the old one.
    auto tileSet = std::make_unique<TileSet>();
    tileSet->resetForNew();
    MapDocument map;
    std::string associatedMap;
    if (const auto* into = parsed.find("--into"))
        if (const Status loaded = LoadTileSet(*into, *kind, *tileSet, &associatedMap); !loaded)
            return ReportError(loaded.error());
    const ImportTarget target{*tileSet, map, at, 0, 0, {}};

    // The picture is read, converted and cut row by row: it is never held whole.
    const std::string& path = parsed.positional[0];
    auto source = OpenPicture(path);
    if (!source)
        return ReportError(path + ": " + source.error());
    NoteInputFile(path);
    settings.size = DefaultImportSize((*source)->Width(), (*source)->Height());
    if (const auto* size = parsed.find("--size")) {
        const auto named = ParseWxH(*size, 0);
        if (!named || !ImportSettingsValid({named->first, named->second}, 0))
            return ReportUsage(
                "--size takes WIDTHxHEIGHT, each side a multiple of 8 from 8 to 16384", parsed);
        settings.size = ImportSize{named->first, named->second};
    }
    if (!ImportSettingsValid(settings.size, settings.ditherPercent))
        return ReportError(kInvalidImportSettings);
    const Result<ImportSummary> summary = ImportPicture(target, **source, settings, options);
    if (!summary)
        return ReportError(path + ": " + summary.error());
    source->reset();

    if (!options.createMap && !options.overwrite && !associatedMap.empty())
        PrintNote("note: the map " + associatedMap + " named by the tile set was not renumbered");
    if (const Status written = files->write(*tileSet, map.grid, associatedMap); !written)
        return ReportError(written.error());
    if (const int committed = CommitOutputs(outputs); committed != 0)
        return committed;

    if (parsed.has("--json")) {
        std::printf("{\"tilesCut\":%zu,\"tilesKept\":%zu,\"firstTile\":%d,\"tileCount\":%d,"
                    "\"mapWidth\":%d,\"mapHeight\":%d,\"tileSet\":%s,\"map\":%s}\n",
                    summary->tilesCut, summary->tilesKept, summary->firstSlot, tileSet->tileCount,
                    summary->mapWidth, summary->mapHeight, JsonString(output).c_str(),
                    JsonString(mapOutput).c_str());
    } else {
        std::printf("Picture converted to %d x %d pixels\nTiles cut: %zu\nTiles kept: %zu "
                    "(stored from Tile %d; the set now holds %d)\n",
                    settings.size.width, settings.size.height, summary->tilesCut,
                    summary->tilesKept, summary->firstSlot, tileSet->tileCount);
        if (options.createMap)
            std::printf("Map: %d columns x %d rows\n", summary->mapWidth, summary->mapHeight);
    }
    return 0;
}

int RunOptimize(const Arguments& parsed) {
    if (parsed.positional.size() != 1 || !parsed.has("-o"))
        return ReportUsage("optimize needs one tile set and -o OUT.vxt", parsed);
    if (parsed.has("--map") != parsed.has("--map-out"))
        return ReportUsage("--map and --map-out go together", parsed);
    const std::string output = *parsed.find("-o");
    const auto kind = ParseKindOption(parsed.find("--kind"));
    if (!kind)
        return ReportUsage(kind.error(), parsed);

    if (output == "-" || parsed.value("--map-out") == "-")
        return ReportUsage("optimize prints its summary on the standard output: name files for "
                           "-o and --map-out",
                           parsed);
    OutputSet outputs;
    outputs.AddInput(parsed.positional[0], FileKind::TileSet);
    outputs.AddInput(parsed.value("--map"), FileKind::Map);
    const auto files = AddTileSetOutputs(outputs, output, parsed.value("--map-out"));
    if (!files)
        return ReportRefusedOutput(outputs, files.error(), parsed);

    // The tile set is large (every slot and category): keep it off the stack.
    auto tileSet = std::make_unique<TileSet>();
    std::string associatedMap;
    if (const Status loaded = LoadTileSet(parsed.positional[0], *kind, *tileSet, &associatedMap);
        !loaded)
        return ReportError(loaded.error());
    MapGrid map;
    std::string mapOutput;
    if (const auto* mapPath = parsed.find("--map")) {
        auto read = LoadMapFile(*mapPath, std::nullopt, true);
        if (!read)
            return ReportError(read.error());
        map = std::move(read->grid);
        mapOutput = *parsed.find("--map-out");
    }
    const int before = tileSet->tileCount;
    const int removed = OptimizeTileSet(*tileSet, map).removed;

    if (!files->map && removed > 0 && !associatedMap.empty())
        PrintNote("note: the map " + associatedMap +
                  " named by the tile set was not renumbered; give --map and --map-out");
    if (const Status written = files->write(*tileSet, map, associatedMap); !written)
        return ReportError(written.error());
    if (const int committed = CommitOutputs(outputs); committed != 0)
        return committed;
    if (parsed.has("--json"))
        std::printf("{\"tilesBefore\":%d,\"tilesRemoved\":%d,\"tilesKept\":%d,\"mapWidth\":%d,"
                    "\"mapHeight\":%d}\n",
                    before, removed, tileSet->tileCount, mapOutput.empty() ? 0 : map.Width,
                    mapOutput.empty() ? 0 : map.Height);
    else
        std::printf("Tiles before: %d\nTiles removed: %d\nTiles kept: %d\n", before, removed,
                    tileSet->tileCount);
    return 0;
}

} // namespace tessivar::cli
