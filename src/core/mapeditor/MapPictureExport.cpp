#include "core/mapeditor/MapPictureExport.h"

#include "core/mapeditor/MapPicture.h"

namespace tessivar {

bool ExportMapPicture(const TileSet& tileSet, const MapGrid& grid, UserPrompts& prompts) {
    FileDialogRequest request;
    request.Filter = kMapPictureFilter;
    request.DefaultExtension = "bmp";
    request.ConfirmOverwrite = true;
    const auto path = prompts.ChooseFileToSave(request);
    if (!path)
        return false;
    const Status written = WriteMapPicture(tileSet, grid, *path, PictureFormatFor(*path));
    if (written)
        return true;
    prompts.ShowMessage("The map picture could not be saved to \"" + *path + "\".\n" +
                            written.error(),
                        "File Error");
    return false;
}

} // namespace tessivar
