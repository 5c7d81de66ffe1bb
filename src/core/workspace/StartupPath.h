#pragma once

#include <string>

namespace tessivar {

// What the one command-line path opens, by its extension in any case: ".vxm" a map with
// its tile set, ".bmp", ".png" and ".jpg" the image import, anything else a tile set.
enum class StartupKind { Map, Bitmap, TileSet };

StartupKind ClassifyStartupPath(const std::string& path);

} // namespace tessivar
