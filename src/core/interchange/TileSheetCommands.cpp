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

} // namespace tessivar
