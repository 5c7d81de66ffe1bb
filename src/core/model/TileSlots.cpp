#include "core/model/TileSlots.h"

#include <algorithm>

namespace tessivar {

void MoveTileSlot(TileSet& tileSet, int from, int to) {
    tileSet.Tiles[to] = tileSet.Tiles[from];
    tileSet.TilePalette[to] = tileSet.TilePalette[from];
    tileSet.TilePaletteSet[to] = tileSet.TilePaletteSet[from];
}

void ClearTileSlot(TileSet& tileSet, int at) {
    tileSet.Tiles[at].fill(0);
    tileSet.TilePalette[at] = 0;
    tileSet.TilePaletteSet[at] = 0;
}

namespace {

void MakeRoomForOne(TileSet& tileSet, int at) {
    if (tileSet.TileCount < kMaxTiles)
        ++tileSet.TileCount;
    for (int t = tileSet.TileCount - 1; t > at; --t)
        MoveTileSlot(tileSet, t - 1, t);
    ClearTileSlot(tileSet, at);
}

} // namespace

void MakeRoomForTiles(TileSet& tileSet, int at, int count) {
    if (at < 0 || at >= kMaxTiles || count <= 0)
        return;
    if (at >= tileSet.TileCount) {
        // Past the end the slots between the count and `at` shift one step at a time.
        for (int k = 0; k < std::min(count, kMaxTiles); ++k)
            MakeRoomForOne(tileSet, at);
        return;
    }
    const int newCount = std::min(tileSet.TileCount + count, kMaxTiles);
    for (int t = newCount - 1; t >= at + count; --t)
        MoveTileSlot(tileSet, t - count, t);
    for (int t = at; t < std::min(at + count, kMaxTiles); ++t)
        ClearTileSlot(tileSet, t);
    tileSet.TileCount = newCount;
}

void RemoveTileSlot(TileSet& tileSet, int at) {
    const int oldCount = tileSet.TileCount;
    --tileSet.TileCount;
    for (int t = at + 1; t < std::min(oldCount, kMaxTiles); ++t)
        MoveTileSlot(tileSet, t, t - 1);
}

} // namespace tessivar
