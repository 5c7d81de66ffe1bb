#pragma once

#include "core/model/EditingState.h"
#include "core/model/TileSet.h"

#include <vector>

namespace tessivar {

// One snapshot of an edited Block region. Each state remembers its own region, so undo
// acts on what was edited, not on whatever Block is on the canvas later.
struct UndoState {
    int firstTile = 0;
    BlockSize size;
    int paletteSet = 0;
    int palette = 0;
    std::vector<ColorIndex> pixels; // room for the largest Block, row-major by width
    std::vector<int> tilePalettes;  // one per Tile of the region
    Palette colors{};
};

// The last 20 edits of the tile canvas. Storage is allocated once; after an undo the
// restored slot holds the values it replaced and so doubles as the redo data.
class UndoHistory {
public:
    static constexpr int kCapacity = 20;

    UndoHistory();

    void RecordUndoState(const TileSet& tileSet, const EditingState& state);
    bool Undo(TileSet& tileSet); // false when there was nothing to undo
    bool Redo(TileSet& tileSet);

    bool canUndo() const { return UndoPosition > 0; }
    bool canRedo() const { return RedoCount > 0; }
    int undoPosition() const { return UndoPosition; }
    int redoCount() const { return RedoCount; }

private:
    void Exchange(UndoState& state, TileSet& tileSet);

    std::vector<UndoState> states_;
    UndoState scratch;
    int UndoPosition = 0;
    int RedoCount = 0;
};

} // namespace tessivar
