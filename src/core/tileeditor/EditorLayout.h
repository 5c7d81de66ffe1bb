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
    bool layoutDirty = true;  // choose automatic zooms and redo the whole layout
    bool zoomChanged = false; // resize the canvas only
    BlockSize lastBlockSize{-1, -1};
    int lastTileListWidth = -1;
};

struct CanvasExtent {
    int width = 0;
    int height = 0;
    friend bool operator==(const CanvasExtent&, const CanvasExtent&) = default;
};

// The sizes of a full re-layout. Window sizes are left out while it is maximised.
struct FullLayout {
    int tileListStripHeight = 0;
    int tileListHeight = 0;
    std::optional<int> windowHeight;
    CanvasExtent canvas;
    int leftPaneWidth = 0;
    std::optional<int> windowWidthDelta; // keeps the map view pane's width
};

struct LayoutChange {
    std::optional<int> tileListWidth;   // only when it differs from the last one set
    std::optional<FullLayout> full;     // when the layout was redone
    std::optional<CanvasExtent> canvas; // after a zoom change without a re-layout
};

struct WindowFacts {
    bool maximised = false;
    int currentLeftPaneWidth = 0;
};

struct AutomaticZoom {
    int listZoom;
    int canvasZoom;
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
