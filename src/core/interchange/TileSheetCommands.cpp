#include "core/interchange/TileSheetCommands.h"

#include "core/interchange/TileSheet.h"
#include "core/workspace/Workspace.h"

namespace tessivar {

bool ExportTileSheetCommand(Workspace& workspace, UserPrompts& prompts) {
    const auto path = prompts.chooseFileToSave({kTileSheetFilter, "png", "", true});
    if (!path)
        return false;
    TileSheetLook look;
    look.block = workspace.tileSet.block;
    look.palette = workspace.editing.CurrentPalette;
    look.paletteSet = workspace.editing.CurrentPaletteSet;
    const Status written = WriteTileSheet(workspace.tileSet, look, *path);
    if (!written)
        prompts.showMessage("The tile sheet could not be saved to \"" + *path + "\".\n" +
                                written.error(),
                            "File Error");
    return written.ok();
}

bool ImportTileSheetCommand(Workspace& workspace, UserPrompts& prompts, bool overwrite,
                            const TileSheetOpener& open) {
    const auto path = prompts.chooseFileToOpen({kTileSheetFilter, "png", "", false});
    if (!path)
        return false;
    const int at = workspace.editing.CurrentTile;
    auto rows = open(*path);
    Result<ConvertedPicture> cut =
        rows ? CutTileSheet(*rows, workspace.tileSet.block,
                            static_cast<std::size_t>(kMaxTiles - at), TileSheetBlockCountOf(*path))
             : Result<ConvertedPicture>(Fail(rows.error()));
    Result<ImportSummary> stored = Fail(cut.error());
    if (cut) {
        ImportOptions options;
        options.mode = DuplicateMode::None;
        options.createMap = false;
        options.overwrite = overwrite;
        stored = ImportTileSheet(workspace, *cut, workspace.tileSet.block, options);
    }
    if (!stored)
        prompts.showMessage("The tile sheet \"" + *path + "\" could not be imported.\n" +
                                stored.error(),
                            kImportErrorCaption);
    return stored.ok();
}

} // namespace tessivar
