#include "core/workspace/StartupPath.h"

#include "core/files/FileIo.h"

namespace tessivar {

StartupKind ClassifyStartupPath(const std::string& path) {
    const std::string extension = LowerExtensionOf(path);
    if (extension == ".vxm")
        return StartupKind::Map;
    if (extension == ".bmp" || extension == ".png" || extension == ".jpg")
        return StartupKind::Bitmap;
    return StartupKind::TileSet;
}

} // namespace tessivar
