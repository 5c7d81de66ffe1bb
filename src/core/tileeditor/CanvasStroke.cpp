#include "core/tileeditor/CanvasStroke.h"

#include "core/grid/FloodFill.h"
#include "core/grid/LinePixels.h"
#include "core/grid/RectangleShape.h"
#include "core/render/CanvasPainter.h"
#include "core/tileeditor/BlockBounds.h"

#include <algorithm>

namespace tessivar {

std::string PixelStatusText(int x, int y, int color) {
    return "X=" + std::to_string(x) + " Y=" + std::to_string(y) + " Color=" + std::to_string(color);
}

bool FloodFillBlock(TileSet& tileSet, int firstTile, BlockPoint start, ColorIndex color,
                    int palette) {
    const BlockSize block = tileSet.block;
    const ColorIndex target = tileSet.GetBlockPixel(firstTile, start.x, start.y);
    if (target == color)
        return false;
    FloodFillGrid(
        block.width, block.height, start,
        [&](int x, int y) { return tileSet.GetBlockPixel(firstTile, x, y) == target; },
        [&](int x, int y) {
            tileSet.SetBlockPixel(firstTile, x, y, color);
            tileSet.SetBlockPixelPalette(firstTile, x, y, palette);
        });
    return true;
}

CanvasStroke::CanvasStroke(TileSet& tileSet, EditingState& editing, UndoHistory& history)
    : tileSet_(tileSet)
    , editing_(editing)
    , history_(history) {}

void CanvasStroke::setTool(DrawingTool tool) {
    tool_ = tool;
    switch (tool) {
    case DrawingTool::Pen:
        toolStatus_ = "Pen";
        break;
    case DrawingTool::Fill:
        toolStatus_ = "Fill";
        break;
    case DrawingTool::Line:
        toolStatus_ = "Line";
        break;
    case DrawingTool::Rectangle:
        toolStatus_ = rectangleMode_ == RectangleMode::Filled ? "Filled Rect" : "Hollow Rect";
        break;
    }
}

void CanvasStroke::setRectangleMode(RectangleMode mode) {
    rectangleMode_ = mode;
    setTool(DrawingTool::Rectangle);
}

std::optional<BlockPoint> CanvasStroke::blockPixelAt(int screenX, int screenY, int zoom) const {
    const auto cell = TileCanvasGrid(tileSet_.block, zoom).cellAt(screenX, screenY);
    if (!cell)
        return std::nullopt;
    return BlockPoint{cell->column, cell->row};
}

std::optional<ColorIndex> CanvasStroke::heldColor() const {
    if (!held_)
        return std::nullopt;
    const int color = *held_ == MouseButton::Left ? editing_.LeftColor : editing_.RightColor;
    return static_cast<ColorIndex>(color);
}

PixelRect CanvasStroke::wholeBlock() const {
    return {0, 0, tileSet_.block.width, tileSet_.block.height};
}

// Sets one pixel with the held button's colour; the widget redraws its 8 x 8 area.
PixelRect CanvasStroke::penStroke(BlockPoint pixel) {
    const auto color = heldColor();
    if (!color)
        return {};
    tileSet_.SetBlockPixel(editing_.CurrentTile, pixel.x, pixel.y, *color);
    const BlockSize block = tileSet_.block;
    const int left = pixel.x - pixel.x % kTileSide;
    const int top = pixel.y - pixel.y % kTileSide;
    return {left, top, std::min(kTileSide, block.width - left),
            std::min(kTileSide, block.height - top)};
}

CanvasResponse CanvasStroke::mouseDown(MouseButton button, int screenX, int screenY, int zoom) {
    KeepCurrentBlockInSlots(editing_, tileSet_);
    // Recorded before anything changes, so the whole stroke undoes in one step.
    history_.RecordUndoState(tileSet_, editing_);
    const DocumentChange recorded{HistoryChanged, true};

    const auto pixel = blockPixelAt(screenX, screenY, zoom);
    if (!pixel)
        return {{}, std::nullopt, recorded};
    strokeInside_ = true;
    if (button != MouseButton::Other)
        held_ = button;

    switch (tool_) {
    case DrawingTool::Rectangle:
    case DrawingTool::Line:
        anchor_ = end_ = *pixel;
        (tool_ == DrawingTool::Line ? lineDrag_ : rectangleDrag_) = true;
        if (lineDrag_)
            updateLineMask();
        return {{}, std::nullopt, recorded};
    case DrawingTool::Fill: {
        // Only a held left button picks LeftColor; a middle-button fill uses RightColor.
        const int color = held_ == MouseButton::Left ? editing_.LeftColor : editing_.RightColor;
        FloodFillBlock(tileSet_, editing_.CurrentTile, *pixel, static_cast<ColorIndex>(color),
                       editing_.CurrentPalette);
        return {wholeBlock(), std::nullopt, {HistoryChanged | TilesChanged | MapChanged, true}};
    }
    case DrawingTool::Pen:
        break;
    }
    return {penStroke(*pixel), std::nullopt, recorded};
}

CanvasResponse CanvasStroke::mouseMove(int screenX, int screenY, int zoom) {
    const auto pixel = blockPixelAt(screenX, screenY, zoom);
    if (!pixel)
        return {};
    const int current = editing_.CurrentTile;
    CanvasResponse response;
    response.status =
        PixelStatusText(pixel->x, pixel->y, tileSet_.GetBlockPixel(current, pixel->x, pixel->y));
    if (!held_)
        return response;
    if (tool_ == DrawingTool::Rectangle || tool_ == DrawingTool::Line) {
        end_ = *pixel;
        (tool_ == DrawingTool::Line ? lineDrag_ : rectangleDrag_) = true;
        if (lineDrag_)
            updateLineMask();
        response.repaint = wholeBlock();
        return response;
    }
    // Pen, and fill after its first click: single pixels along the drag.
    response.repaint = penStroke(*pixel);
    return response;
}

void CanvasStroke::commitDrag() {
    const auto color = heldColor();
    if (!color)
        return;
    TileSet& tileSet = tileSet_;
    const int current = editing_.CurrentTile;
    if (lineDrag_) {
        for (const BlockPoint p : LinePixels(anchor_, end_))
            tileSet.SetBlockPixel(current, p.x, p.y, *color);
    } else if (rectangleDrag_) {
        RectangleShape(anchor_, end_, rectangleMode_).forEachCell([&](int x, int y) {
            tileSet.SetBlockPixel(current, x, y, *color);
        });
    }
}

CanvasResponse CanvasStroke::mouseUp() {
    commitDrag();
    held_.reset();
    rectangleDrag_ = lineDrag_ = false;
    if (!strokeInside_)
        return {};
    strokeInside_ = false;
    return {wholeBlock(), std::nullopt, {TilesChanged | MapChanged}};
}

void CanvasStroke::updateLineMask() {
    const BlockSize block = tileSet_.block;
    lineMaskWidth_ = block.width;
    lineMask_.assign(static_cast<std::size_t>(block.width) * block.height, false);
    for (const BlockPoint p : LinePixels(anchor_, end_))
        if (block.contains(p.x, p.y))
            lineMask_[static_cast<std::size_t>(p.y) * lineMaskWidth_ + p.x] = true;
}

std::optional<ColorIndex> CanvasStroke::previewColorAt(int x, int y) const {
    const auto color = heldColor();
    if (!color)
        return std::nullopt;
    if (rectangleDrag_ && RectangleShape(anchor_, end_, rectangleMode_).covers(x, y))
        return color;
    if (lineDrag_ && x >= 0 && y >= 0 && x < lineMaskWidth_) {
        const std::size_t at = static_cast<std::size_t>(y) * lineMaskWidth_ + x;
        if (at < lineMask_.size() && lineMask_[at])
            return color;
    }
    return std::nullopt;
}

} // namespace tessivar
