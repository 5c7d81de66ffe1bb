#include "core/model/UndoHistory.h"

#include <algorithm>

namespace tessivar {

namespace {

constexpr int kMaxRegionPixels = kMaxBlockWidth * kMaxBlockHeight;
constexpr int kMaxRegionTiles = (kMaxBlockWidth / kTileSide) * (kMaxBlockHeight / kTileSide);

UndoState MakeEmptyState() {
    UndoState state;
    state.Pixels.resize(kMaxRegionPixels);
    state.TilePalettes.resize(kMaxRegionTiles);
    return state;
}

// Copies the document's values of the state's region into the state's buffers.
void ReadRegion(const TileSet& tileSet, UndoState& into, const UndoState& region) {
    const BlockSize size = region.Size;
    for (int y = 0; y < size.Height; ++y)
        for (int x = 0; x < size.Width; ++x)
            into.Pixels[y * size.Width + x] = tileSet.PixelIn(size, region.FirstTile, x, y);
    for (int t = 0; t < size.TilesPerBlock(); ++t)
        into.TilePalettes[t] = tileSet.TilePalette[region.FirstTile + t];
    into.Colors = tileSet.Palettes[region.PaletteSet][region.PaletteIndex];
}

void WriteRegion(TileSet& tileSet, const UndoState& from, const UndoState& region) {
    const BlockSize size = region.Size;
    for (int y = 0; y < size.Height; ++y)
        for (int x = 0; x < size.Width; ++x)
            tileSet.SetPixelIn(size, region.FirstTile, x, y, from.Pixels[y * size.Width + x]);
    for (int t = 0; t < size.TilesPerBlock(); ++t)
        tileSet.TilePalette[region.FirstTile + t] = from.TilePalettes[t];
    tileSet.Palettes[region.PaletteSet][region.PaletteIndex] = from.Colors;
}

} // namespace

UndoHistory::UndoHistory()
    : states_(kCapacity, MakeEmptyState())
    , scratch_(MakeEmptyState()) {}

void UndoHistory::RecordUndoState(const TileSet& tileSet, const TileEditorState& state) {
    if (undoPosition_ == kCapacity) {
        // Drop the oldest state; rotating keeps every buffer allocated.
        std::rotate(states_.begin(), states_.begin() + 1, states_.end());
        undoPosition_ = kCapacity - 1;
    }
    UndoState& slot = states_[undoPosition_];
    slot.Size = tileSet.Block;
    // A region never reaches past the last Tile slot, whatever the current Tile is.
    slot.FirstTile = std::clamp(state.CurrentTile, 0, kMaxTiles - slot.Size.TilesPerBlock());
    slot.PaletteSet = state.CurrentPaletteSet;
    slot.PaletteIndex = state.CurrentPalette;
    ReadRegion(tileSet, slot, slot);
    ++undoPosition_;
    redoCount_ = 0;
}

void UndoHistory::Exchange(UndoState& state, TileSet& tileSet) {
    ReadRegion(tileSet, scratch_, state);
    WriteRegion(tileSet, state, state);
    const BlockSize size = state.Size;
    std::copy_n(scratch_.Pixels.begin(), size.Width * size.Height, state.Pixels.begin());
    std::copy_n(scratch_.TilePalettes.begin(), size.TilesPerBlock(), state.TilePalettes.begin());
    state.Colors = scratch_.Colors;
}

bool UndoHistory::Undo(TileSet& tileSet) {
    if (undoPosition_ == 0)
        return false;
    --undoPosition_;
    ++redoCount_;
    Exchange(states_[undoPosition_], tileSet);
    return true;
}

bool UndoHistory::Redo(TileSet& tileSet) {
    if (redoCount_ == 0)
        return false;
    --redoCount_;
    Exchange(states_[undoPosition_], tileSet);
    ++undoPosition_;
    return true;
}

} // namespace tessivar
