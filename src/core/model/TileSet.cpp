#include "core/model/TileSet.h"

#include <algorithm>

namespace tessivar {

std::string TileInfoCategory::NameText() const {
    const auto end = std::find(Name.begin(), Name.end(), '\0');
    return std::string(Name.begin(), end);
}

void TileInfoCategory::SetName(const std::string& text) {
    Name.fill('\0');
    std::copy_n(text.begin(), std::min<std::size_t>(text.size(), kCategoryNameBytes - 1),
                Name.begin());
}

Palette GreyRampPalette() {
    return {PaletteColor{31, 31, 31}, PaletteColor{21, 21, 21}, PaletteColor{10, 10, 10},
            PaletteColor{0, 0, 0}};
}

TileSet::TileSet() {
    ResetToStartup();
}

void TileSet::RestoreGreyPalettes() {
    for (auto& set : Palettes)
        set.fill(GreyRampPalette());
}

void TileSet::ResetTileContents() {
    for (auto& tile : Tiles)
        tile.fill(0);
    TilePalette.fill(0);
    TilePaletteSet.fill(0);
    for (int n = 0; n < kMaxTiles; ++n) {
        TileInfo[n].fill(0);
        TileInfo[n][1] = n; // "AnimNext" of a Tile points at itself
    }
}

void TileSet::ResetForNew() {
    Block = BlockSize{};
    RestoreGreyPalettes();
    ResetTileContents();
    TileCount = kDefaultTileCount;
}

void TileSet::ResetToStartup() {
    ResetForNew();
    Categories = {};
    const char* names[] = {"Animated", "AnimNext", "AnimDelay"};
    const CategoryType types[] = {CategoryType::Boolean, CategoryType::Word, CategoryType::Time};
    for (int c = 0; c < 3; ++c) {
        Categories[c].SetName(names[c]);
        Categories[c].Type = types[c];
    }
    CategoryCount = 3;
}

} // namespace tessivar
