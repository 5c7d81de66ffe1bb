#pragma once

// The palette box under the canvas: four 16-pixel swatches of colours 0..3. A click
// picks the left or right drawing colour; any other button repeats the choice of the
// last left-or-right click, so the box remembers which of the two came last.

#include "core/model/DocumentChange.h"
#include "core/model/TileEditorState.h"
#include "core/model/TileSet.h"
#include "core/tileeditor/CanvasTypes.h"

namespace tessivar {

class PaletteBox {
public:
    static constexpr int kSwatchSize = 16;
    static constexpr int kSwatches = 4;

    // Mouse-up at x. Clicks outside the four swatches are ignored entirely (an empty
    // change).
    DocumentChange MouseUp(TileSet& tileSet, TileEditorState& editing, MouseButton button, int x);

private:
    bool lastWasRight_ = false;
};

} // namespace tessivar
