#pragma once

namespace tessivar {

constexpr int kTileSide = 8;
constexpr int kTileBytes = kTileSide * kTileSide;

// Size of the editing Block in pixels. A Block is a run of consecutive Tiles laid out
// row-major: left to right along a row of Tiles, then the next row down.
struct BlockSize {
    int Width = 8;
    int Height = 8;

    int TilesAcross() const { return (Width + kTileSide - 1) / kTileSide; }
    int TilesDown() const { return (Height + kTileSide - 1) / kTileSide; }
    int TilesPerBlock() const { return TilesAcross() * TilesDown(); }
    // Offset, from the Block's first Tile, of the Tile that holds pixel (x, y).
    int TileOffsetOf(int x, int y) const { return (y / kTileSide) * TilesAcross() + x / kTileSide; }
    static int ByteOf(int x, int y) { return (y % kTileSide) * kTileSide + x % kTileSide; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }

    friend bool operator==(const BlockSize&, const BlockSize&) = default;
};

// The largest Block the custom size check lets through.
constexpr int kMaxBlockWidth = 240;
constexpr int kMaxBlockHeight = 128;

} // namespace tessivar
