#include "core/tileeditor/TileStroke.h"

#include "core/drawing/FloodFill.h"
#include "core/drawing/LinePixels.h"
#include "core/drawing/RectangleShape.h"
#include "core/render/CanvasPainter.h"
#include "core/tileeditor/BlockBounds.h"

#include <algorithm>

namespace tessivar {

std::string PixelStatusText(int x, int y, int color) {
    return "X=" + std::to_string(x) + " Y=" + std::to_string(y) + " Color=" + std::to_string(color);
}

bool FloodFillBlock(TileSet& tileSet, int firstTile, BlockPoint start, ColorIndex color,
                    int palette) {
    const BlockSize block = tileSet.Block;
    const ColorIndex target = tileSet.GetBlockPixel(firstTile, start.X, start.Y);
    if (target == color)
        return false;
    FloodFillGrid(
        block.Width, block.Height, start,
        [&](int x, int y) { return tileSet.GetBlockPixel(firstTile, x, y) == target; },
        [&](int x, int y) {
            tileSet.SetBlockPixel(firstTile, x, y, color);
            tileSet.SetBlockPixelPalette(firstTile, x, y, palette);
        });
    return true;
}

TileStroke::TileStroke(TileSet& tileSet, TileEditorState& editing, UndoHistory& history)
    : tileSet_(tileSet)
    , editing_(editing)
    , history_(history) {}

void TileStroke::SetTool(DrawingTool Tool) {
    tool_ = Tool;
    switch (Tool) {
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

void TileStroke::SetRectangleMode(RectangleMode mode) {
    rectangleMode_ = mode;
    SetTool(DrawingTool::Rectangle);
}

std::optional<BlockPoint> TileStroke::BlockPixelAt(int screenX, int screenY, int zoom) const {
    const auto cell = TileCanvasGrid(tileSet_.Block, zoom).CellAt(screenX, screenY);
    if (!cell)
        return std::nullopt;
    return BlockPoint{cell->Column, cell->Row};
}

std::optional<ColorIndex> TileStroke::HeldColor() const {
    if (!held_)
        return std::nullopt;
    const int color = *held_ == MouseButton::Left ? editing_.LeftColor : editing_.RightColor;
    return static_cast<ColorIndex>(color);
}

PixelRect TileStroke::WholeBlock() const {
    return {0, 0, tileSet_.Block.Width, tileSet_.Block.Height};
}

// Sets one pixel with the held button's colour; the widget redraws its 8 x 8 area.
PixelRect TileStroke::PenStroke(BlockPoint pixel) {
    const auto color = HeldColor();
    if (!color)
        return {};
    tileSet_.SetBlockPixel(editing_.CurrentTile, pixel.X, pixel.Y, *color);
    const BlockSize block = tileSet_.Block;
    const int left = pixel.X - pixel.X % kTileSide;
    const int top = pixel.Y - pixel.Y % kTileSide;
    return {left, top, std::min(kTileSide, block.Width - left),
            std::min(kTileSide, block.Height - top)};
}

TileStrokeResponse TileStroke::MouseDown(MouseButton button, int screenX, int screenY, int zoom) {
    KeepCurrentBlockInSlots(editing_, tileSet_);
    // Recorded before anything changes, so the whole stroke undoes in one step.
    history_.RecordUndoState(tileSet_, editing_);
    const DocumentChange recorded{HistoryChanged, true};

    const auto pixel = BlockPixelAt(screenX, screenY, zoom);
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
            UpdateLineMask();
        return {{}, std::nullopt, recorded};
    case DrawingTool::Fill: {
        // Only a held left button picks LeftColor; a middle-button fill uses RightColor.
        const int color = held_ == MouseButton::Left ? editing_.LeftColor : editing_.RightColor;
        FloodFillBlock(tileSet_, editing_.CurrentTile, *pixel, static_cast<ColorIndex>(color),
                       editing_.CurrentPalette);
        return {WholeBlock(), std::nullopt, {HistoryChanged | TilesChanged | MapChanged, true}};
    }
    case DrawingTool::Pen:
        break;
    }
    return {PenStroke(*pixel), std::nullopt, recorded};
}

TileStrokeResponse TileStroke::MouseMove(int screenX, int screenY, int zoom) {
    const auto pixel = BlockPixelAt(screenX, screenY, zoom);
    if (!pixel)
        return {};
    const int current = editing_.CurrentTile;
    TileStrokeResponse response;
    response.Status =
        PixelStatusText(pixel->X, pixel->Y, tileSet_.GetBlockPixel(current, pixel->X, pixel->Y));
    if (!held_)
        return response;
    if (tool_ == DrawingTool::Rectangle || tool_ == DrawingTool::Line) {
        end_ = *pixel;
        (tool_ == DrawingTool::Line ? lineDrag_ : rectangleDrag_) = true;
        if (lineDrag_)
            UpdateLineMask();
        response.Repaint = WholeBlock();
        return response;
    }
    // Pen, and fill after its first click: single pixels along the drag.
    response.Repaint = PenStroke(*pixel);
    return response;
}

void TileStroke::CommitDrag() {
    const auto color = HeldColor();
    if (!color)
        return;
    TileSet& tileSet = tileSet_;
    const int current = editing_.CurrentTile;
    if (lineDrag_) {
        for (const BlockPoint p : LinePixels(anchor_, end_))
            tileSet.SetBlockPixel(current, p.X, p.Y, *color);
    } else if (rectangleDrag_) {
        RectangleShape(anchor_, end_, rectangleMode_).ForEachCell([&](int x, int y) {
            tileSet.SetBlockPixel(current, x, y, *color);
        });
    }
}

TileStrokeResponse TileStroke::MouseUp() {
    CommitDrag();
    held_.reset();
    rectangleDrag_ = lineDrag_ = false;
    if (!strokeInside_)
        return {};
    strokeInside_ = false;
    return {WholeBlock(), std::nullopt, {TilesChanged | MapChanged}};
}

void TileStroke::UpdateLineMask() {
    const BlockSize block = tileSet_.Block;
    lineMaskWidth_ = block.Width;
    lineMask_.assign(static_cast<std::size_t>(block.Width) * block.Height, false);
    for (const BlockPoint p : LinePixels(anchor_, end_))
        if (block.Contains(p.X, p.Y))
            lineMask_[static_cast<std::size_t>(p.Y) * lineMaskWidth_ + p.X] = true;
}

std::optional<ColorIndex> TileStroke::PreviewColorAt(int x, int y) const {
    const auto color = HeldColor();
    if (!color)
        return std::nullopt;
    if (rectangleDrag_ && RectangleShape(anchor_, end_, rectangleMode_).Covers(x, y))
        return color;
    if (lineDrag_ && x >= 0 && y >= 0 && x < lineMaskWidth_) {
        const std::size_t at = static_cast<std::size_t>(y) * lineMaskWidth_ + x;
        if (at < lineMask_.size() && lineMask_[at])
            return color;
    }
    return std::nullopt;
}

} // namespace tessivar
