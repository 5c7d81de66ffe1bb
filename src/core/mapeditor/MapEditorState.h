#pragma once

// What the map editor's controls hold: the Block each mouse button places, the palette
// and flips given to placed cells, the tool, and the state of the drag in progress.

#include "core/drawing/DrawingTypes.h"
#include "core/model/MapDocument.h"
#include "core/model/TileSet.h"

namespace tessivar {

enum class MapTool { SingleTile, Fill, Rectangle };

// Which button is painting: none, the left one, or any other.
enum class PaintButton { None = 0, Left = 1, Other = 2 };

struct MapEditorState {
    int LeftBlock = 0;  // first Tile of the Block placed with the left button
    int RightBlock = 1; // ... with any other button
    int MapPalette = 0; // palette written by the single-tile and fill tools
    Rgb MapGridColor{128, 128, 128};
    bool GridColorChosen = false; // until "Grid Color" is used the window face colour shows
    MapTool Tool = MapTool::SingleTile;
    RectangleMode RectMode = RectangleMode::Filled;
    bool HFlip = false;
    bool VFlip = false;
    PaintButton PaintingButton = PaintButton::None;
    bool RectDragging = false;
    GridPoint RectStart;   // column, row of the drag's first corner
    GridPoint RectCurrent; // ... and of its moving corner

    int BlockOf(PaintButton button) const {
        return button == PaintButton::Left ? LeftBlock : RightBlock;
    }
    // The cell SetMapCell writes for `tile`: the map palette and the flip buttons.
    MapCell Stamp(int tile) const;
};

// After a change of Block size or tile count, moves LeftBlock and RightBlock back to the
// start of a Block that starts inside the Tile slots (the last one may reach past them;
// the painter draws that part blank). True when either changed.
bool KeepMapBlocksInRange(MapEditorState& state, const TileSet& tileSet);

} // namespace tessivar
