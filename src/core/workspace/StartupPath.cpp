#include "core/workspace/StartupPath.h"

#include "core/files/FileIo.h"

#include <algorithm>
#include <cctype>

namespace tessivar {

StartupKind ClassifyStartupPath(const std::string& path) {
    std::string extension = ExtensionOf(path);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".vxm")
        return StartupKind::Map;
    if (extension == ".bmp" || extension == ".png" || extension == ".jpg")
        return StartupKind::Bitmap;
    return StartupKind::TileSet;
}

} // namespace tessivar
