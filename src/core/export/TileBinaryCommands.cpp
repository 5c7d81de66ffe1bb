#include "core/export/TileBinaryCommands.h"

#include "core/files/FileIo.h"
#include "core/files/TileBinary.h"
#include "core/workspace/Workspace.h"

namespace tessivar {

void ExportTileBinaryCommand(Workspace& workspace, UserPrompts& prompts) {
    const auto path = prompts.chooseFileToSave({kTileBinaryFilter, "bin", "", true});
    if (!path)
        return;
    const Status saved = ExportTileBinary(workspace.tileSet, *path);
    if (!saved)
        prompts.showMessage(saved.error(), "Error");
}

void ImportTileBinariesCommand(Workspace& workspace, UserPrompts& prompts) {
    const auto path = prompts.chooseFileToOpen({kTileBinaryFilter, "bin", "", false});
    if (!path)
        return;
    // Tiles beyond the last slot are counted, not stored.
    const auto data = ReadWholeFile(*path, std::uint64_t{1} << 26);
    if (!data) {
        prompts.showMessage("Cannot read \"" + *path + "\": " + data.error(), "Error");
        return;
    }
    const TileBinaryImport read =
        ImportTileBinary(*data, workspace.editing.CurrentTile, workspace.tileSet);
    if (read.tilesRead > 0)
        workspace.MarkModified();
    workspace.notify(TilesChanged);
    if (read.tilesRead < read.tilesInFile)
        prompts.showMessage(std::to_string(read.tilesRead) + " of " +
                                std::to_string(read.tilesInFile) +
                                " Tiles were read: the Tile slots end at 767.",
                            "Tile binaries");
}

} // namespace tessivar
