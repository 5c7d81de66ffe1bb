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
    std::array<char, kCategoryNameBytes> Name{}; // NUL-terminated, at most 15 characters
    CategoryType Type = CategoryType::Boolean;

    std::string NameText() const;
    void SetName(const std::string& text); // cut to 15 characters

    friend bool operator==(const TileInfoCategory&, const TileInfoCategory&) = default;
};

// The tile set being edited: fixed-capacity storage, nothing allocated per Tile.
class TileSet {
public:
    TileSet();

    // Start-up contents: grey palettes, cleared Tiles, 16 Tiles, the three built-in
    // categories and their default values.
    void ResetToStartup();
    // What New restores: like start-up, but the category table stays as it is.
    void ResetForNew();
    void RestoreGreyPalettes();
    void ResetTileContents(); // all 768 slots, palettes and info values

    std::array<Tile, kMaxTiles> Tiles{};
    int TileCount = kDefaultTileCount;
    std::array<int, kMaxTiles> TilePalette{};
    std::array<int, kMaxTiles> TilePaletteSet{};
    PaletteTable Palettes{};
    BlockSize Block;
    int CategoryCount = 0;
    std::array<TileInfoCategory, kMaxCategories> Categories{};
    std::array<std::array<std::int32_t, kMaxCategories>, kMaxTiles> TileInfo{};

    // Block accessors: pixel (x, y) of the Block whose first Tile is b, under the
    // current Block size. They do not check their arguments.
    ColorIndex GetBlockPixel(int b, int x, int y) const { return PixelIn(Block, b, x, y); }
    void SetBlockPixel(int b, int x, int y, ColorIndex value) { SetPixelIn(Block, b, x, y, value); }
    int GetBlockPixelPalette(int b, int x, int y) const { return PaletteIn(Block, b, x, y); }
    void SetBlockPixelPalette(int b, int x, int y, int palette) {
        SetPaletteIn(Block, b, x, y, palette);
    }

    // The same under an explicit geometry, for regions recorded under another Block size.
    ColorIndex PixelIn(BlockSize size, int b, int x, int y) const {
        return Tiles[b + size.TileOffsetOf(x, y)][BlockSize::ByteOf(x, y)];
    }
    void SetPixelIn(BlockSize size, int b, int x, int y, ColorIndex value) {
        Tiles[b + size.TileOffsetOf(x, y)][BlockSize::ByteOf(x, y)] = value;
    }
    int PaletteIn(BlockSize size, int b, int x, int y) const {
        return TilePalette[b + size.TileOffsetOf(x, y)];
    }
    void SetPaletteIn(BlockSize size, int b, int x, int y, int palette) {
        TilePalette[b + size.TileOffsetOf(x, y)] = palette;
    }

    int TilesPerBlock() const { return Block.TilesPerBlock(); }
    int BlockCount() const { return TileCount / Block.TilesPerBlock(); }

    // Every field, slots above the tile count included.
    friend bool operator==(const TileSet&, const TileSet&) = default;
};

struct Rgb {
    int Red = 0, Green = 0, Blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Screen colour of a palette entry: blue = first component x 8, green = second x 8,
// red = third x 8. Components above 31 (files store them unchecked) saturate at 255.
inline Rgb DisplayColor(const PaletteColor& color) {
    auto channel = [](int component) { return component * 8 > 255 ? 255 : component * 8; };
    return Rgb{channel(color[2]), channel(color[1]), channel(color[0])};
}

// The grey ramp every palette holds at start: lightest for 0 down to black for 3.
Palette GreyRampPalette();

} // namespace tessivar
