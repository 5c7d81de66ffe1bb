// "export-sheet": the Blocks of a tile set as an indexed PNG tile sheet for pixel
// editors.

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDepFile.h"
#include "cli/CliFiles.h"

#include "core/interchange/TileSheet.h"
#include "core/model/TileSet.h"

#include <memory>

namespace tessivar::cli {

int RunExportSheet(const Arguments& args) {
    if (args.positional.size() != 1 || args.value("-o").empty())
        return ReportUsage("export-sheet needs one tile set and -o SHEET.png", args);
    auto tileSet = std::make_unique<TileSet>();
    TileSheetLook look;
    look.grey = args.has("--grey");
    if (const std::string* text = args.find("--columns")) {
        const auto columns = ParseInteger(*text, 1, kMaxTiles);
        if (!columns)
            return ReportUsage("--columns takes a number of Blocks 1..768", args);
        look.columns = *columns;
    }
    if (const std::string* text = args.find("--palette")) {
        const auto palette = ParseInteger(*text, 0, kPalettesPerSet - 1);
        if (!palette)
            return ReportUsage("--palette takes a palette number 0..7", args);
        look.palette = *palette;
    }
    const auto kind = ParseKindOption(args.find("--kind"));
    if (!kind)
        return ReportUsage(kind.error(), args);
    if (auto problem = ParseBlockOption(args, tileSet->block))
        return ReportUsage(*problem, args);
    look.block = tileSet->block;
    if (const Status loaded = LoadTileSet(args.positional[0], *kind, *tileSet); !loaded)
        return ReportError(loaded.error());
    const std::string output = args.value("-o");
    const Status written = WriteTileSheet(*tileSet, look, output);
    return written ? Written(output)
                   : ReportError("cannot write " + output + ": " + written.error());
}

} // namespace tessivar::cli
