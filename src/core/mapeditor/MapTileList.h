#pragma once

// The map editor's strip of Blocks: its zoom and geometry under the current Block size,
// the Blocks a scrolled view shows, and what a click picks.

#include "core/drawing/MouseButton.h"
#include "core/mapeditor/MapEditorState.h"

namespace tessivar {

struct MapTileListGeometry {
    int Zoom = 4;        // MapListZoom
    int Pitch = 34;      // Block width x zoom + 2
    int BlockCount = 0;  // Blocks listed: every Block that starts below the tile count
    int StripWidth = 0;  // BlockCount x pitch
    int StripHeight = 0; // Block height x zoom + 41
    int TilesPerBlock = 1;

    static MapTileListGeometry For(const TileSet& tileSet);

    // Inclusive range of list positions k whose pictures meet the visible part of the
    // strip; last < first when nothing is listed.
    struct Range {
        int First = 0;
        int Last = -1;
    };
    Range VisibleBlocks(int scrollX, int visibleWidth) const;
};

// A press on the strip at x: the left button picks LeftBlock and takes that Tile's
// palette as MapPalette; any other button picks RightBlock. A press beyond the last
// listed Block, or with the middle button, changes nothing. True when the state changed.
bool ClickMapTileList(MapEditorState& state, const TileSet& tileSet, MouseButton button, int x);

} // namespace tessivar
