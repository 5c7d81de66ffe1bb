#include "core/model/TileSlots.h"

#include <algorithm>

namespace tessivar {

void MoveTileSlot(TileSet& tileSet, int from, int to) {
    tileSet.tiles[to] = tileSet.tiles[from];
    tileSet.tilePalette[to] = tileSet.tilePalette[from];
    tileSet.tilePaletteSet[to] = tileSet.tilePaletteSet[from];
}

void ClearTileSlot(TileSet& tileSet, int at) {
    tileSet.tiles[at].fill(0);
    tileSet.tilePalette[at] = 0;
    tileSet.tilePaletteSet[at] = 0;
}

namespace {

void makeRoomForOne(TileSet& tileSet, int at) {
    if (tileSet.tileCount < kMaxTiles)
        ++tileSet.tileCount;
    for (int t = tileSet.tileCount - 1; t > at; --t)
        MoveTileSlot(tileSet, t - 1, t);
    ClearTileSlot(tileSet, at);
}

} // namespace

void MakeRoomForTiles(TileSet& tileSet, int at, int count) {
    if (at < 0 || at >= kMaxTiles || count <= 0)
        return;
    if (at >= tileSet.tileCount) {
        // Past the end the slots between the count and `at` shift one step at a time.
        for (int k = 0; k < std::min(count, kMaxTiles); ++k)
            makeRoomForOne(tileSet, at);
        return;
    }
    const int newCount = std::min(tileSet.tileCount + count, kMaxTiles);
    for (int t = newCount - 1; t >= at + count; --t)
        MoveTileSlot(tileSet, t - count, t);
    for (int t = at; t < std::min(at + count, kMaxTiles); ++t)
        ClearTileSlot(tileSet, t);
    tileSet.tileCount = newCount;
}

void RemoveTileSlot(TileSet& tileSet, int at) {
    const int oldCount = tileSet.tileCount;
    --tileSet.tileCount;
    for (int t = at + 1; t < std::min(oldCount, kMaxTiles); ++t)
        MoveTileSlot(tileSet, t, t - 1);
}

} // namespace tessivar
