#include "core/export/TileBinaryCommands.h"

#include "core/files/FileIo.h"
#include "core/files/TileBinary.h"
#include "core/workspace/UserPrompts.h"

namespace tessivar {

void ExportTileBinaryCommand(const TileSet& tileSet, UserPrompts& prompts) {
    const auto path = prompts.ChooseFileToSave({kTileBinaryFilter, "bin", "", true});
    if (!path)
        return;
    const Status saved = ExportTileBinary(tileSet, *path);
    if (!saved)
        prompts.ShowMessage(saved.error(), "Error");
}

DocumentChange ImportTileBinariesCommand(TileSet& tileSet, const TileEditorState& editing,
                                         UserPrompts& prompts) {
    const auto path = prompts.ChooseFileToOpen({kTileBinaryFilter, "bin", "", false});
    if (!path)
        return {};
    // Tiles beyond the last slot are counted, not stored.
    const auto data = ReadWholeFile(*path, std::uint64_t{1} << 26);
    if (!data) {
        prompts.ShowMessage("Cannot read \"" + *path + "\": " + data.error(), "Error");
        return {};
    }
    const TileBinaryImport read = ImportTileBinary(*data, editing.CurrentTile, tileSet);
    if (read.TilesRead < read.TilesInFile)
        prompts.ShowMessage(std::to_string(read.TilesRead) + " of " +
                                std::to_string(read.TilesInFile) +
                                " Tiles were read: the Tile slots end at 767.",
                            "Tile binaries");
    return {TilesChanged, read.TilesRead > 0};
}

} // namespace tessivar
