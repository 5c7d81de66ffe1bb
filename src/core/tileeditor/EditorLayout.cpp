#include "core/tileeditor/EditorLayout.h"

#include <algorithm>

namespace tessivar {

namespace {

constexpr int kMaxCanvasZoom = 32;
constexpr int kMinCanvasZoom = 2;
// Below this many screen pixels the canvas keeps a minimum area, so the window does not
// shrink around a small Block.
constexpr int kSmallCanvas = 256;

FullLayout ComputeFullLayout(const EditorLayout& layout, BlockSize block, WindowFacts window) {
    FullLayout full;
    const int listImageHeight = block.Height * layout.ListZoom;
    full.TileListStripHeight = listImageHeight + 41;
    full.TileListHeight = listImageHeight + 25;
    full.Canvas = {block.Width * layout.CanvasZoom, block.Height * layout.CanvasZoom};
    full.LeftPaneWidth = full.Canvas.Width >= kSmallCanvas ? full.Canvas.Width + 153 : 409;
    if (!window.Maximised) {
        const int belowList = full.Canvas.Height >= kSmallCanvas ? full.Canvas.Height + 126 : 382;
        full.WindowHeight = full.TileListStripHeight + belowList;
        full.WindowWidthDelta = full.LeftPaneWidth - window.CurrentLeftPaneWidth;
    }
    return full;
}

} // namespace

AutomaticZoom AutomaticZoomFor(BlockSize block) {
    const int side = std::max(block.Width, block.Height);
    if (side <= 8)
        return {4, 32};
    if (side <= 16)
        return {3, 16};
    if (side <= 32)
        return {2, 8};
    if (side <= 64)
        return {1, 6};
    return {1, 3};
}

LayoutChange UpdateEditorLayout(EditorLayout& layout, BlockSize block, int tileCount,
                                WindowFacts window) {
    LayoutChange change;
    // The zooms are chosen before the size check on purpose: a size change that did not
    // come from a size command (New) redoes the layout but keeps the zooms.
    if (layout.LayoutDirty) {
        const AutomaticZoom zoom = AutomaticZoomFor(block);
        layout.ListZoom = zoom.ListZoom;
        layout.CanvasZoom = zoom.CanvasZoom;
    }
    if (block != layout.LastBlockSize) {
        layout.LastBlockSize = block;
        layout.LayoutDirty = true;
    }
    const int listWidth = tileCount / block.TilesPerBlock() * (block.Width * layout.ListZoom + 2);
    if (listWidth != layout.LastTileListWidth) {
        change.TileListWidth = listWidth;
        layout.LastTileListWidth = listWidth;
    }
    if (layout.LayoutDirty) {
        change.Full = ComputeFullLayout(layout, block, window);
        layout.LayoutDirty = false;
    } else if (layout.ZoomChanged) {
        change.Canvas =
            CanvasExtent{block.Width * layout.CanvasZoom, block.Height * layout.CanvasZoom};
        layout.ZoomChanged = false;
    }
    return change;
}

void ZoomIn(EditorLayout& layout) {
    SetCanvasZoom(layout, std::min(layout.CanvasZoom * 2, kMaxCanvasZoom));
}

void ZoomOut(EditorLayout& layout) {
    SetCanvasZoom(layout, std::max(layout.CanvasZoom / 2, kMinCanvasZoom));
}

void SetCanvasZoom(EditorLayout& layout, int zoom) {
    layout.CanvasZoom = zoom;
    layout.ZoomChanged = true;
}

void RestoreDefaultZoom(EditorLayout& layout) {
    layout.LayoutDirty = true;
}

} // namespace tessivar
