#pragma once

// The one painter of Block pictures: the tile list, the map view pane, the map canvas
// and its tile list, animation frames, the map picture export and the import preview all
// draw Blocks through PaintBlock.
//
// Rules that hold for every picture:
// - A Block whose Tiles would reach past the last Tile slot (767) is drawn blank (black);
//   map cells may hold any 16-bit Tile number.
// - Palette and palette set numbers p are read as p & 7 (map cells store palettes
//   0..255); colour indexes c as c & 3. Nothing outside the tables is ever read.
// - The picture is clipped to the output image, so a strip of rows can be painted at a
//   time: pass y offsets relative to the strip.
// - Nothing is allocated.

#include "core/picture/RgbImage.h"

#include <cstdint>

namespace tessivar {

// BlockLook::palette: each pixel in its own Tile's TilePalette (the tile lists).
inline constexpr int kEachTilesPalette = -1;
// BlockLook::paletteSet: the TilePaletteSet of the Block's first Tile (the tile list).
inline constexpr int kFirstTilesPaletteSet = -1;

inline constexpr std::uint32_t kBlankBlockColor = 0xFF000000u;

// How one Block is shown.
struct BlockLook {
    BlockSize Block;                 // Block size in pixels, usually the TileSet's
    int FirstTile = 0;               // first Tile of the Block
    int PaletteSet = 0;              // palette set, or kFirstTilesPaletteSet
    int Palette = kEachTilesPalette; // palette of the set, or kEachTilesPalette
    int Zoom = 1;                    // screen pixels per Block pixel
    bool HFlip = false;              // columns mirrored
    bool VFlip = false;              // rows mirrored
};

// True when every Tile of a Block of `block` starting at `firstTile` is a Tile slot.
bool BlockFitsInSlots(BlockSize block, int firstTile);

// Paints the Block, block.width x zoom by block.height x zoom screen pixels, with its
// top-left corner at (x, y) of `out`.
void PaintBlock(const TileSet& tileSet, const BlockLook& look, RgbImage& out, int x, int y);

// Fills the rectangle of `out` from (left, top) to (right, bottom), inclusive and
// clipped to the image.
void FillImageRect(RgbImage& out, int left, int top, int right, int bottom, std::uint32_t color);

} // namespace tessivar
