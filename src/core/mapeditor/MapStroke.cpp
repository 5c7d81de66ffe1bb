#include "core/mapeditor/MapStroke.h"

#include "core/drawing/RectangleShape.h"
#include "core/mapeditor/MapFill.h"

#include <algorithm>

namespace tessivar {

std::string MapCellStatusText(int column, int row, const MapCell& cell, int tilesPerBlock) {
    auto yesNo = [](int flag) { return flag ? "Yes" : "No"; };
    return "X=" + std::to_string(column) + "  Y=" + std::to_string(row) +
           "  Tile#=" + std::to_string(cell.Tile / tilesPerBlock) +
           "  Palette=" + std::to_string(cell.Palette) + "  HFlip=" + yesNo(cell.HFlip) +
           "  VFlip=" + yesNo(cell.VFlip);
}

MapStroke::MapStroke(const TileSet& tileSet, MapDocument& map, MapEditorState& state,
                     MapHistory& history)
    : tileSet_(tileSet)
    , map_(map)
    , state_(state)
    , history_(history) {}

void MapStroke::SetTool(MapTool tool) {
    state_.Tool = tool;
    if (tool == MapTool::SingleTile)
        toolStatus_ = "Pen";
    else if (tool == MapTool::Fill)
        toolStatus_ = "Fill";
    else
        toolStatus_ = state_.RectMode == RectangleMode::Filled ? "Filled Rect" : "Hollow Rect";
}

void MapStroke::SetRectangleMode(RectangleMode mode) {
    state_.RectMode = mode;
    toolStatus_ = mode == RectangleMode::Filled ? "Filled Rect" : "Hollow Rect";
}

CellGeometry MapCanvasGrid(const TileSet& tileSet, const MapDocument& map) {
    const BlockSize block = tileSet.Block;
    return CellGeometry(2 * block.Width + 1, 2 * block.Height + 1, map.Width(), map.Height(), 1);
}

std::optional<GridPoint> MapStroke::CellAt(int x, int y) const {
    const auto cell = MapCanvasGrid(tileSet_, map_).CellAt(x, y);
    if (!cell)
        return std::nullopt;
    return GridPoint{cell->Column, cell->Row};
}

void MapStroke::SetMapCell(int column, int row) {
    history_.RecordCell(row, column);
    map_.Cell(row, column) = state_.Stamp(state_.BlockOf(state_.PaintingButton));
    wroteCells_ = true;
}

MapStrokeResponse MapStroke::MouseDown(MouseButton button, int x, int y) {
    KeepMapBlocksInRange(state_, tileSet_);
    const DocumentChange modified{0, false, true};
    const auto cell = CellAt(x, y);
    if (!cell)
        return {{}, false, std::nullopt, modified};
    const PaintButton painter =
        button == MouseButton::Left ? PaintButton::Left : PaintButton::Other;
    switch (state_.Tool) {
    case MapTool::SingleTile:
        state_.PaintingButton = painter;
        history_.BeginStep();
        SetMapCell(cell->X, cell->Y);
        return {{cell->X, cell->X, cell->Y, cell->Y}, false, std::nullopt, modified};
    case MapTool::Fill: {
        const MapCell stamp = state_.Stamp(state_.BlockOf(painter));
        MapGrid& grid = map_.Grid;
        history_.BeginStep();
        const std::size_t written =
            FloodFillMap(grid, cell->X, cell->Y, grid.At(cell->Y, cell->X).Tile, stamp,
                         [this](int column, int row) { history_.RecordCell(row, column); });
        history_.EndStep();
        return {{}, true, std::nullopt, {written > 0 ? MapChanged : 0u, false, true}};
    }
    case MapTool::Rectangle:
        state_.PaintingButton = painter;
        state_.RectDragging = true;
        state_.RectStart = state_.RectCurrent = *cell;
        return {{}, true, std::nullopt, modified};
    }
    return {{}, false, std::nullopt, modified};
}

MapStrokeResponse MapStroke::MouseMove(int x, int y) {
    const auto cell = CellAt(x, y);
    if (!cell)
        return {};
    MapStrokeResponse response;
    response.Status =
        MapCellStatusText(cell->X, cell->Y, map_.Cell(cell->Y, cell->X), tileSet_.TilesPerBlock());
    if (state_.PaintingButton == PaintButton::None)
        return response;
    if (state_.RectDragging) {
        state_.RectCurrent = *cell;
        response.RepaintAll = true;
        return response;
    }
    SetMapCell(cell->X, cell->Y);
    response.Repaint = {cell->X, cell->X, cell->Y, cell->Y};
    return response;
}

// The dragged rectangle's cells that still lie on the grid: the grid may have been
// replaced while the button was down.
CellRange MapStroke::DragRange() const {
    const RectangleShape shape(state_.RectStart, state_.RectCurrent, state_.RectMode);
    return {std::max(shape.Left(), 0), std::min(shape.Right(), map_.Width() - 1),
            std::max(shape.Top(), 0), std::min(shape.Bottom(), map_.Height() - 1)};
}

MapStrokeResponse MapStroke::MouseUp() {
    MapStrokeResponse response;
    if (state_.RectDragging && state_.PaintingButton != PaintButton::None) {
        const RectangleShape shape(state_.RectStart, state_.RectCurrent, state_.RectMode);
        // The corners are kept in order after the drag.
        state_.RectStart = {shape.Left(), shape.Top()};
        state_.RectCurrent = {shape.Right(), shape.Bottom()};
        const CellRange range = DragRange();
        MapCell stamp = state_.Stamp(state_.BlockOf(state_.PaintingButton));
        history_.BeginStep();
        shape.ForEachCell([&](int column, int row) {
            if (column < range.FirstColumn || column > range.LastColumn || row < range.FirstRow ||
                row > range.LastRow)
                return;
            history_.RecordCell(row, column);
            MapCell& target = map_.Cell(row, column);
            stamp.Palette = target.Palette; // rectangles keep each cell's palette
            target = stamp;
            wroteCells_ = true;
        });
        response.RepaintAll = true;
    }
    state_.PaintingButton = PaintButton::None;
    state_.RectDragging = false;
    history_.EndStep();
    if (wroteCells_) {
        wroteCells_ = false;
        response.Change.Views = MapChanged;
    }
    return response;
}

MapCell MapStroke::ShownCell(int column, int row) const {
    const MapCell& own = map_.Cell(row, column);
    if (!state_.RectDragging)
        return own;
    if (!RectangleShape(state_.RectStart, state_.RectCurrent, state_.RectMode).Covers(column, row))
        return own;
    MapCell preview = state_.Stamp(state_.BlockOf(state_.PaintingButton));
    preview.Palette = own.Palette;
    return preview;
}

} // namespace tessivar
