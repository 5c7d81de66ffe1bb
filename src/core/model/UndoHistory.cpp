#include "core/model/UndoHistory.h"

#include <algorithm>

namespace tessivar {

namespace {

constexpr int kMaxRegionPixels = kMaxBlockWidth * kMaxBlockHeight;
constexpr int kMaxRegionTiles = (kMaxBlockWidth / kTileSide) * (kMaxBlockHeight / kTileSide);

UndoState makeEmptyState() {
    UndoState state;
    state.pixels.resize(kMaxRegionPixels);
    state.tilePalettes.resize(kMaxRegionTiles);
    return state;
}

// Copies the document's values of the state's region into the state's buffers.
void readRegion(const TileSet& tileSet, UndoState& into, const UndoState& region) {
    const BlockSize size = region.size;
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            into.pixels[y * size.width + x] = tileSet.pixelIn(size, region.firstTile, x, y);
    for (int t = 0; t < size.tilesPerBlock(); ++t)
        into.tilePalettes[t] = tileSet.tilePalette[region.firstTile + t];
    into.colors = tileSet.paletteTable[region.paletteSet][region.palette];
}

void writeRegion(TileSet& tileSet, const UndoState& from, const UndoState& region) {
    const BlockSize size = region.size;
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            tileSet.setPixelIn(size, region.firstTile, x, y, from.pixels[y * size.width + x]);
    for (int t = 0; t < size.tilesPerBlock(); ++t)
        tileSet.tilePalette[region.firstTile + t] = from.tilePalettes[t];
    tileSet.paletteTable[region.paletteSet][region.palette] = from.colors;
}

} // namespace

UndoHistory::UndoHistory()
    : states_(kCapacity, makeEmptyState())
    , scratch(makeEmptyState()) {}

void UndoHistory::RecordUndoState(const TileSet& tileSet, const EditingState& state) {
    if (UndoPosition == kCapacity) {
        // Drop the oldest state; rotating keeps every buffer allocated.
        std::rotate(states_.begin(), states_.begin() + 1, states_.end());
        UndoPosition = kCapacity - 1;
    }
    UndoState& slot = states_[UndoPosition];
    slot.size = tileSet.block;
    // A region never reaches past the last Tile slot, whatever the current Tile is.
    slot.firstTile = std::clamp(state.CurrentTile, 0, kMaxTiles - slot.size.tilesPerBlock());
    slot.paletteSet = state.CurrentPaletteSet;
    slot.palette = state.CurrentPalette;
    readRegion(tileSet, slot, slot);
    ++UndoPosition;
    RedoCount = 0;
}

void UndoHistory::Exchange(UndoState& state, TileSet& tileSet) {
    readRegion(tileSet, scratch, state);
    writeRegion(tileSet, state, state);
    const BlockSize size = state.size;
    std::copy_n(scratch.pixels.begin(), size.width * size.height, state.pixels.begin());
    std::copy_n(scratch.tilePalettes.begin(), size.tilesPerBlock(), state.tilePalettes.begin());
    state.colors = scratch.colors;
}

bool UndoHistory::Undo(TileSet& tileSet) {
    if (UndoPosition == 0)
        return false;
    --UndoPosition;
    ++RedoCount;
    Exchange(states_[UndoPosition], tileSet);
    return true;
}

bool UndoHistory::Redo(TileSet& tileSet) {
    if (RedoCount == 0)
        return false;
    --RedoCount;
    Exchange(states_[UndoPosition], tileSet);
    ++UndoPosition;
    return true;
}

} // namespace tessivar
