#pragma once

#include "core/model/TileEditorState.h"
#include "core/model/TileSet.h"

#include <vector>

namespace tessivar {

// One snapshot of an edited Block region. Each state remembers its own region, so undo
// acts on what was edited, not on whatever Block is on the canvas later.
struct UndoState {
    int FirstTile = 0;
    BlockSize Size;
    int PaletteSet = 0;
    int PaletteIndex = 0;
    std::vector<ColorIndex> Pixels; // room for the largest Block, row-major by width
    std::vector<int> TilePalettes;  // one per Tile of the region
    Palette Colors{};
};

// The last 20 edits of the tile canvas. Storage is allocated once; after an undo the
// restored slot holds the values it replaced and so doubles as the redo data.
class UndoHistory {
public:
    static constexpr int kCapacity = 20;

    UndoHistory();

    void RecordUndoState(const TileSet& tileSet, const TileEditorState& state);
    bool Undo(TileSet& tileSet); // false when there was nothing to undo
    bool Redo(TileSet& tileSet);

    bool CanUndo() const { return undoPosition_ > 0; }
    bool CanRedo() const { return redoCount_ > 0; }
    int UndoPosition() const { return undoPosition_; }
    int RedoCount() const { return redoCount_; }

private:
    void Exchange(UndoState& state, TileSet& tileSet);

    std::vector<UndoState> states_;
    UndoState scratch_;
    int undoPosition_ = 0;
    int redoCount_ = 0;
};

} // namespace tessivar
