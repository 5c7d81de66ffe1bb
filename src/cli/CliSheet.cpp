// "export-sheet" and "import-sheet": the Blocks of a tile set as an indexed PNG tile
// sheet for pixel editors, and such a sheet read back exactly.

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDepFile.h"
#include "cli/CliFiles.h"

#include "core/interchange/TileSheet.h"
#include "core/interchange/TileSheetImport.h"
#include "core/model/TileSet.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace tessivar::cli {

int RunImportSheet(const Arguments& arguments) {
    const Arguments* args = &arguments;
    if (args->Positional.size() != 1 || args->Value("-o").empty())
        return ReportUsage("import-sheet needs one sheet and -o OUT.vxt", *args);
    const std::string output = args->Value("-o");
    const std::string mapOutput = args->Value("--map-out");
    ImportOptions options;
    options.Mode = DuplicateMode::None;
    options.Overwrite = !args->Has("--insert");
    options.CreateMap = !mapOutput.empty();
    if (const std::string* mode = args->Find("--mode")) {
        if (*mode == "full")
            options.Mode = DuplicateMode::Full;
        else if (*mode == "duplicates")
            options.Mode = DuplicateMode::Duplicates;
        else if (*mode != "none")
            return ReportUsage("--mode takes none, duplicates or full", *args);
    }
    int at = 0;
    if (const std::string* text = args->Find("--at")) {
        const auto value = ParseInteger(*text, 0, kMaxTiles - 1);
        if (!value)
            return ReportUsage("--at takes a Tile number 0..767", *args);
        at = *value;
    }
    BlockSize block;
    if (const Status parsed = ParseBlockOption(*args, block); !parsed)
        return ReportUsage(parsed.error(), *args);
    const auto kind = ParseKindOption(args->Find("--kind"));
    if (!kind)
        return ReportUsage(kind.error(), *args);
    if (*kind && !args->Has("--into"))
        return ReportUsage("--kind tells the kind of the --into file", *args);

    OutputSet outputs;
    outputs.AddInput(args->Positional[0]);
    outputs.AddInput(args->Value("--into"), FileKind::TileSet);
    const auto files = AddTileSetOutputs(outputs, output, mapOutput);
    if (!files)
        return ReportRefusedOutput(outputs, files.error(), *args);

    // The tile set is large (every slot and category): keep it off the stack.
    auto tileSet = std::make_unique<TileSet>();
    tileSet->ResetForNew();
    tileSet->TileCount = 0; // a new set holds the sheet's Tiles alone
    tileSet->Block = block;
    MapDocument map;
    std::string associatedMap;
    if (const std::string* into = args->Find("--into"))
        if (const Status loaded = LoadTileSet(*into, *kind, *tileSet, &associatedMap); !loaded)
            return ReportError(loaded.error());

    const std::string& sheetPath = args->Positional[0];
    auto rows = OpenTileSheet(sheetPath);
    if (!rows)
        return ReportError(sheetPath + ": " + rows.error());
    NoteInputFile(sheetPath);
    // Without deduplication every Tile needs a slot; a map bounds the sheet by its size.
    const std::size_t maxTiles = options.Mode == DuplicateMode::None && !options.CreateMap
                                     ? static_cast<std::size_t>(kMaxTiles - at)
                                     : std::size_t{kMaxMapSide} * kMaxMapSide;
    const auto cut =
        CutTileSheet(*rows, block, maxTiles,
                     options.CreateMap ? std::nullopt : TileSheetBlockCountOf(sheetPath));
    if (!cut)
        return ReportError(sheetPath + ": " + cut.error());
    // Nothing is asked on the command line: a new map always replaces the old one.
    const auto summary = ImportTileSheet({*tileSet, map, at, 0, 0, {}}, *cut, block, options);
    if (!summary)
        return ReportError(summary.error());

    if (const Status written = files->Write(*tileSet, map.Grid, associatedMap); !written)
        return ReportError(written.error());
    if (const int committed = CommitOutputs(outputs); committed != 0)
        return committed;
    std::printf("Tiles cut: %zu\nTiles kept: %zu (stored from Tile %d; the set now holds %d)\n",
                summary->TilesCut, summary->TilesKept, summary->FirstSlot, tileSet->TileCount);
    return 0;
}

int RunExportSheet(const Arguments& args) {
    if (args.Positional.size() != 1 || args.Value("-o").empty())
        return ReportUsage("export-sheet needs one tile set and -o SHEET.png", args);
    auto tileSet = std::make_unique<TileSet>();
    TileSheetLook look;
    look.Grey = args.Has("--grey");
    if (const std::string* text = args.Find("--columns")) {
        const auto columns = ParseInteger(*text, 1, kMaxTiles);
        if (!columns)
            return ReportUsage("--columns takes a number of Blocks 1..768", args);
        look.Columns = *columns;
    }
    if (const std::string* text = args.Find("--palette")) {
        const auto palette = ParseInteger(*text, 0, kPalettesPerSet - 1);
        if (!palette)
            return ReportUsage("--palette takes a palette number 0..7", args);
        look.Palette = *palette;
    }
    const auto kind = ParseKindOption(args.Find("--kind"));
    if (!kind)
        return ReportUsage(kind.error(), args);
    if (const Status parsed = ParseBlockOption(args, tileSet->Block); !parsed)
        return ReportUsage(parsed.error(), args);
    look.Block = tileSet->Block;
    OutputSet outputs;
    outputs.AddInput(args.Positional[0], FileKind::TileSet);
    const std::string output = args.Value("-o");
    auto out = outputs.Add(output, kBinaryOutput);
    if (!out)
        return ReportRefusedOutput(outputs, out.error(), args);
    if (const Status loaded = LoadTileSet(args.Positional[0], *kind, *tileSet); !loaded)
        return ReportError(loaded.error());
    if (const Status written = WriteTileSheet(*tileSet, look, **out); !written)
        return ReportError("cannot write " + output + ": " + written.error());
    return CommitOutputs(outputs);
}

} // namespace tessivar::cli
