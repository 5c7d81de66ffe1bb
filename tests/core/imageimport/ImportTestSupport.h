#pragma once

// Pictures for the import tests: converted pictures built Tile by Tile.

#include "core/imageimport/PictureConversion.h"
#include "core/imageimport/TileOrientation.h"

#include <random>
#include <vector>

namespace tessivar::testing {

// A converted picture `columns` Tiles wide holding `tiles` in reading order.
inline ConvertedPicture PictureOfTiles(const std::vector<Tile>& tiles, int columns) {
    ConvertedPicture picture;
    const int rows = static_cast<int>(tiles.size()) / columns;
    picture.Width = columns * kTileSide;
    picture.Height = rows * kTileSide;
    picture.Indices.resize(static_cast<std::size_t>(picture.Width) * picture.Height);
    for (std::size_t k = 0; k < tiles.size(); ++k)
        for (int p = 0; p < kTileBytes; ++p) {
            const int x = static_cast<int>(k % columns) * kTileSide + p % kTileSide;
            const int y = static_cast<int>(k / columns) * kTileSide + p / kTileSide;
            picture.Indices[static_cast<std::size_t>(y) * picture.Width + x] = tiles[k][p];
        }
    return picture;
}

inline Tile RandomTile(std::mt19937& random, int levels = 4) {
    Tile tile;
    for (auto& pixel : tile)
        pixel = static_cast<ColorIndex>(random() % levels);
    return tile;
}

// The tile in one of its four orientations: bit 0 mirrors, bit 1 turns upside down.
inline Tile Oriented(const Tile& tile, unsigned flips) {
    Tile out = flips & 1 ? Mirrored(tile) : tile;
    return flips & 2 ? UpsideDown(out) : out;
}

} // namespace tessivar::testing
