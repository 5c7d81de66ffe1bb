#include "core/interchange/TmxMap.h"

#include <filesystem>

namespace tessivar {

std::string TmxTilesetName(int palette) {
    return "palette " + std::to_string(palette);
}

std::string TmxSheetPath(const std::string& tmxPath, int palette) {
    std::filesystem::path sheet(tmxPath);
    sheet.replace_filename(sheet.stem().string() + "-palette" + std::to_string(palette) + ".png");
    return sheet.string();
}

} // namespace tessivar
