#pragma once

#include "core/model/BlockGeometry.h"

#include <array>
#include <cstdint>
#include <string>

namespace tessivar {

constexpr int kMaxTiles = 768;
constexpr int kMaxCategories = 64;
constexpr int kPaletteSets = 8;
constexpr int kPalettesPerSet = 8;
constexpr int kColorsPerPalette = 4;
constexpr int kComponentsPerColor = 3;
constexpr int kCategoryNameBytes = 16;
constexpr int kDefaultTileCount = 16;

using ColorIndex = std::uint8_t;
using Tile = std::array<ColorIndex, kTileBytes>;

// One palette colour as three 5-bit components in stored order. On screen the first
// component drives blue, the second green and the third red, each times 8.
using PaletteColor = std::array<int, kComponentsPerColor>;
using Palette = std::array<PaletteColor, kColorsPerPalette>;
using PaletteTable = std::array<std::array<Palette, kPalettesPerSet>, kPaletteSets>;

enum class CategoryType : int { Boolean = 0, Byte = 1, Word = 2, Time = 3 };

struct TileInfoCategory {
    std::array<char, kCategoryNameBytes> name{}; // NUL-terminated, at most 15 characters
    int type = 0;

    std::string nameText() const;
    void setName(const std::string& text); // cut to 15 characters

    friend bool operator==(const TileInfoCategory&, const TileInfoCategory&) = default;
};

// The tile set being edited: fixed-capacity storage, nothing allocated per Tile.
class TileSet {
public:
    TileSet();

    // Start-up contents: grey palettes, cleared Tiles, 16 Tiles, the three built-in
    // categories and their default values.
    void resetToStartup();
    // What New restores: like start-up, but the category table stays as it is.
    void resetForNew();
    void restoreGreyPalettes();
    void resetTileContents(); // all 768 slots, palettes and info values

    std::array<Tile, kMaxTiles> tiles{};
    int tileCount = kDefaultTileCount;
    std::array<int, kMaxTiles> tilePalette{};
    std::array<int, kMaxTiles> tilePaletteSet{};
    PaletteTable paletteTable{};
    BlockSize block;
    int categoryCount = 0;
    std::array<TileInfoCategory, kMaxCategories> categories{};
    std::array<std::array<std::int32_t, kMaxCategories>, kMaxTiles> tileInfo{};

    // Block accessors: pixel (x, y) of the Block whose first Tile is b, under the
    // current Block size. They do not check their arguments.
    ColorIndex GetBlockPixel(int b, int x, int y) const { return pixelIn(block, b, x, y); }
    void SetBlockPixel(int b, int x, int y, ColorIndex value) { setPixelIn(block, b, x, y, value); }
    int GetBlockPixelPalette(int b, int x, int y) const { return paletteIn(block, b, x, y); }
    void SetBlockPixelPalette(int b, int x, int y, int palette) {
        setPaletteIn(block, b, x, y, palette);
    }

    // The same under an explicit geometry, for regions recorded under another Block size.
    ColorIndex pixelIn(BlockSize size, int b, int x, int y) const {
        return tiles[b + size.tileOffsetOf(x, y)][BlockSize::byteOf(x, y)];
    }
    void setPixelIn(BlockSize size, int b, int x, int y, ColorIndex value) {
        tiles[b + size.tileOffsetOf(x, y)][BlockSize::byteOf(x, y)] = value;
    }
    int paletteIn(BlockSize size, int b, int x, int y) const {
        return tilePalette[b + size.tileOffsetOf(x, y)];
    }
    void setPaletteIn(BlockSize size, int b, int x, int y, int palette) {
        tilePalette[b + size.tileOffsetOf(x, y)] = palette;
    }

    int TilesPerBlock() const { return block.tilesPerBlock(); }
    int blockCount() const { return tileCount / block.tilesPerBlock(); }

    // Every field, slots above the tile count included.
    friend bool operator==(const TileSet&, const TileSet&) = default;
};

struct Rgb {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Screen colour of a palette entry: blue = first component x 8, green = second x 8,
// red = third x 8. Components above 31 (files store them unchecked) saturate at 255.
inline Rgb DisplayColor(const PaletteColor& color) {
    auto channel = [](int component) { return component * 8 > 255 ? 255 : component * 8; };
    return Rgb{channel(color[2]), channel(color[1]), channel(color[0])};
}

// The grey ramp every palette holds at start: lightest for 0 down to black for 3.
Palette greyRampPalette();

} // namespace tessivar
