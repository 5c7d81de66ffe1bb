#include "core/model/TileSet.h"

#include <algorithm>

namespace tessivar {

std::string TileInfoCategory::nameText() const {
    const auto end = std::find(name.begin(), name.end(), '\0');
    return std::string(name.begin(), end);
}

void TileInfoCategory::setName(const std::string& text) {
    name.fill('\0');
    std::copy_n(text.begin(), std::min<std::size_t>(text.size(), kCategoryNameBytes - 1),
                name.begin());
}

Palette greyRampPalette() {
    return {PaletteColor{31, 31, 31}, PaletteColor{21, 21, 21}, PaletteColor{10, 10, 10},
            PaletteColor{0, 0, 0}};
}

TileSet::TileSet() {
    resetToStartup();
}

void TileSet::restoreGreyPalettes() {
    for (auto& set : paletteTable)
        set.fill(greyRampPalette());
}

void TileSet::resetTileContents() {
    for (auto& tile : tiles)
        tile.fill(0);
    tilePalette.fill(0);
    tilePaletteSet.fill(0);
    for (int n = 0; n < kMaxTiles; ++n) {
        tileInfo[n].fill(0);
        tileInfo[n][1] = n; // "AnimNext" of a Tile points at itself
    }
}

void TileSet::resetForNew() {
    block = BlockSize{};
    restoreGreyPalettes();
    resetTileContents();
    tileCount = kDefaultTileCount;
}

void TileSet::resetToStartup() {
    resetForNew();
    categories = {};
    const char* names[] = {"Animated", "AnimNext", "AnimDelay"};
    const CategoryType types[] = {CategoryType::Boolean, CategoryType::Word, CategoryType::Time};
    for (int c = 0; c < 3; ++c) {
        categories[c].setName(names[c]);
        categories[c].type = static_cast<int>(types[c]);
    }
    categoryCount = 3;
}

} // namespace tessivar
