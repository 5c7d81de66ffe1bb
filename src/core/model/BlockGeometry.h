#pragma once

namespace tessivar {

constexpr int kTileSide = 8;
constexpr int kTileBytes = kTileSide * kTileSide;

// Size of the editing Block in pixels. A Block is a run of consecutive Tiles laid out
// row-major: left to right along a row of Tiles, then the next row down.
struct BlockSize {
    int width = 8;
    int height = 8;

    int tilesAcross() const { return (width + kTileSide - 1) / kTileSide; }
    int tilesDown() const { return (height + kTileSide - 1) / kTileSide; }
    int tilesPerBlock() const { return tilesAcross() * tilesDown(); }
    // Offset, from the Block's first Tile, of the Tile that holds pixel (x, y).
    int tileOffsetOf(int x, int y) const { return (y / kTileSide) * tilesAcross() + x / kTileSide; }
    static int byteOf(int x, int y) { return (y % kTileSide) * kTileSide + x % kTileSide; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    friend bool operator==(const BlockSize&, const BlockSize&) = default;
};

// The largest Block the custom size check lets through.
constexpr int kMaxBlockWidth = 240;
constexpr int kMaxBlockHeight = 128;

} // namespace tessivar
