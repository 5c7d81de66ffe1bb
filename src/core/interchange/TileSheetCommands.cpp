#include "core/interchange/TileSheetCommands.h"

#include "core/interchange/TileSheet.h"
#include "core/workspace/UserPrompts.h"

namespace tessivar {

bool ExportTileSheetCommand(const TileSet& tileSet, const EditingState& editing,
                            UserPrompts& prompts) {
    const auto path = prompts.chooseFileToSave({kTileSheetFilter, "png", "", true});
    if (!path)
        return false;
    TileSheetLook look;
    look.block = tileSet.block;
    look.palette = editing.CurrentPalette;
    look.paletteSet = editing.CurrentPaletteSet;
    const Status written = WriteTileSheet(tileSet, look, *path);
    if (!written)
        prompts.showMessage("The tile sheet could not be saved to \"" + *path + "\".\n" +
                                written.error(),
                            "File Error");
    return written.ok();
}

DocumentChange ImportTileSheetCommand(TileSet& tileSet, const EditingState& editing,
                                      MapDocument& map, UserPrompts& prompts, bool overwrite,
                                      const TileSheetOpener& open) {
    const auto path = prompts.chooseFileToOpen({kTileSheetFilter, "png", "", false});
    if (!path)
        return {};
    const int at = editing.CurrentTile;
    auto rows = open(*path);
    Result<ConvertedPicture> cut =
        rows ? CutTileSheet(*rows, tileSet.block, static_cast<std::size_t>(kMaxTiles - at),
                            TileSheetBlockCountOf(*path))
             : Result<ConvertedPicture>(Fail(rows.error()));
    Result<ImportSummary> stored = Fail(cut.error());
    if (cut) {
        ImportOptions options;
        options.mode = DuplicateMode::None;
        options.createMap = false;
        options.overwrite = overwrite;
        const ImportTarget target{
            tileSet, map, at, editing.CurrentPalette, editing.CurrentPaletteSet, {}};
        stored = ImportTileSheet(target, *cut, tileSet.block, options);
    }
    if (!stored) {
        prompts.showMessage("The tile sheet \"" + *path + "\" could not be imported.\n" +
                                stored.error(),
                            kImportErrorCaption);
        return {};
    }
    return stored->change;
}

} // namespace tessivar
