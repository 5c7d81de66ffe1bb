#include "core/tileeditor/EditorLayout.h"

#include <algorithm>

namespace tessivar {

namespace {

constexpr int kMaxCanvasZoom = 32;
constexpr int kMinCanvasZoom = 2;
// Below this many screen pixels the canvas keeps a minimum area, so the window does not
// shrink around a small Block.
constexpr int kSmallCanvas = 256;

FullLayout fullLayout(const EditorLayout& layout, BlockSize block, WindowFacts window) {
    FullLayout full;
    const int listImageHeight = block.height * layout.ListZoom;
    full.tileListStripHeight = listImageHeight + 41;
    full.tileListHeight = listImageHeight + 25;
    full.canvas = {block.width * layout.CanvasZoom, block.height * layout.CanvasZoom};
    full.leftPaneWidth = full.canvas.width >= kSmallCanvas ? full.canvas.width + 153 : 409;
    if (!window.maximised) {
        const int belowList = full.canvas.height >= kSmallCanvas ? full.canvas.height + 126 : 382;
        full.windowHeight = full.tileListStripHeight + belowList;
        full.windowWidthDelta = full.leftPaneWidth - window.currentLeftPaneWidth;
    }
    return full;
}

} // namespace

AutomaticZoom AutomaticZoomFor(BlockSize block) {
    const int side = std::max(block.width, block.height);
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
    if (layout.layoutDirty) {
        const AutomaticZoom zoom = AutomaticZoomFor(block);
        layout.ListZoom = zoom.listZoom;
        layout.CanvasZoom = zoom.canvasZoom;
    }
    if (block != layout.lastBlockSize) {
        layout.lastBlockSize = block;
        layout.layoutDirty = true;
    }
    const int listWidth = tileCount / block.tilesPerBlock() * (block.width * layout.ListZoom + 2);
    if (listWidth != layout.lastTileListWidth) {
        change.tileListWidth = listWidth;
        layout.lastTileListWidth = listWidth;
    }
    if (layout.layoutDirty) {
        change.full = fullLayout(layout, block, window);
        layout.layoutDirty = false;
    } else if (layout.zoomChanged) {
        change.canvas =
            CanvasExtent{block.width * layout.CanvasZoom, block.height * layout.CanvasZoom};
        layout.zoomChanged = false;
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
    layout.zoomChanged = true;
}

void RestoreDefaultZoom(EditorLayout& layout) {
    layout.layoutDirty = true;
}

} // namespace tessivar
