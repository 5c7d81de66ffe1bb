#pragma once

// Zoom and layout of the tile editor window as plain data. The window keeps one
// EditorLayout, calls the zoom commands from its "View" menu and runs
// UpdateEditorLayout before every tile-list paint and after size and zoom commands;
// the LayoutChange it gets back lists the widget sizes to apply.

#include "core/model/BlockGeometry.h"

#include <optional>

namespace tessivar {

struct EditorLayout {
    int CanvasZoom = 32;
    int ListZoom = 4;
    bool LayoutDirty = true;  // choose automatic zooms and redo the whole layout
    bool ZoomChanged = false; // resize the canvas only
    BlockSize LastBlockSize{-1, -1};
    int LastTileListWidth = -1;
};

struct CanvasExtent {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const CanvasExtent&, const CanvasExtent&) = default;
};

// The sizes of a full re-layout. Window sizes are left out while it is maximised.
struct FullLayout {
    int TileListStripHeight = 0;
    int TileListHeight = 0;
    std::optional<int> WindowHeight;
    CanvasExtent Canvas;
    int LeftPaneWidth = 0;
    std::optional<int> WindowWidthDelta; // keeps the map view pane's width
};

struct LayoutChange {
    std::optional<int> TileListWidth;   // only when it differs from the last one set
    std::optional<FullLayout> Full;     // when the layout was redone
    std::optional<CanvasExtent> Canvas; // after a zoom change without a re-layout
};

struct WindowFacts {
    bool Maximised = false;
    int CurrentLeftPaneWidth = 0;
};

struct AutomaticZoom {
    int ListZoom;
    int CanvasZoom;
    friend bool operator==(const AutomaticZoom&, const AutomaticZoom&) = default;
};

// The zooms chosen by the larger side of the Block.
AutomaticZoom AutomaticZoomFor(BlockSize block);

LayoutChange UpdateEditorLayout(EditorLayout& layout, BlockSize block, int tileCount,
                                WindowFacts window);

// "View" menu commands; the window repaints the tile list and canvas and then runs
// UpdateEditorLayout.
void ZoomIn(EditorLayout& layout);                  // doubled, at most 32
void ZoomOut(EditorLayout& layout);                 // halved, at least 2
void SetCanvasZoom(EditorLayout& layout, int zoom); // "2x view" .. "32x view"
void RestoreDefaultZoom(EditorLayout& layout);      // automatic zooms again

} // namespace tessivar
