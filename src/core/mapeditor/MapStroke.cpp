#include "core/mapeditor/MapStroke.h"

#include "core/grid/RectangleShape.h"
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

void MapStroke::setTool(MapTool tool) {
    state_.tool = tool;
    if (tool == MapTool::SingleTile)
        toolStatus_ = "Pen";
    else if (tool == MapTool::Fill)
        toolStatus_ = "Fill";
    else
        toolStatus_ = state_.RectMode == RectangleMode::Filled ? "Filled Rect" : "Hollow Rect";
}

void MapStroke::setRectangleMode(RectangleMode mode) {
    state_.RectMode = mode;
    toolStatus_ = mode == RectangleMode::Filled ? "Filled Rect" : "Hollow Rect";
}

CellGrid MapCanvasGrid(const TileSet& tileSet, const MapDocument& map) {
    const BlockSize block = tileSet.block;
    return CellGrid(2 * block.width + 1, 2 * block.height + 1, map.Width(), map.Height(), 1);
}

std::optional<GridPoint> MapStroke::cellAt(int x, int y) const {
    const auto cell = MapCanvasGrid(tileSet_, map_).cellAt(x, y);
    if (!cell)
        return std::nullopt;
    return GridPoint{cell->column, cell->row};
}

void MapStroke::setMapCell(int column, int row) {
    history_.recordCell(row, column);
    map_.cell(row, column) = state_.stamp(state_.blockOf(state_.paintButton));
    wroteCells_ = true;
}

MapResponse MapStroke::mouseDown(MouseButton button, int x, int y) {
    KeepMapBlocksInRange(state_, tileSet_);
    const DocumentChange modified{0, false, true};
    const auto cell = cellAt(x, y);
    if (!cell)
        return {{}, false, std::nullopt, modified};
    const PaintButton painter =
        button == MouseButton::Left ? PaintButton::Left : PaintButton::Other;
    switch (state_.tool) {
    case MapTool::SingleTile:
        state_.paintButton = painter;
        history_.beginStep();
        setMapCell(cell->x, cell->y);
        return {{cell->x, cell->x, cell->y, cell->y}, false, std::nullopt, modified};
    case MapTool::Fill: {
        const MapCell stamp = state_.stamp(state_.blockOf(painter));
        MapGrid& grid = map_.grid;
        history_.beginStep();
        const std::size_t written =
            FloodFillMap(grid, cell->x, cell->y, grid.at(cell->y, cell->x).Tile, stamp,
                         [this](int column, int row) { history_.recordCell(row, column); });
        history_.endStep();
        return {{}, true, std::nullopt, {written > 0 ? MapChanged : 0u, false, true}};
    }
    case MapTool::Rectangle:
        state_.paintButton = painter;
        state_.RectDragging = true;
        state_.rectStart = state_.rectCurrent = *cell;
        return {{}, true, std::nullopt, modified};
    }
    return {{}, false, std::nullopt, modified};
}

MapResponse MapStroke::mouseMove(int x, int y) {
    const auto cell = cellAt(x, y);
    if (!cell)
        return {};
    MapResponse response;
    response.status =
        MapCellStatusText(cell->x, cell->y, map_.cell(cell->y, cell->x), tileSet_.TilesPerBlock());
    if (state_.paintButton == PaintButton::None)
        return response;
    if (state_.RectDragging) {
        state_.rectCurrent = *cell;
        response.repaintAll = true;
        return response;
    }
    setMapCell(cell->x, cell->y);
    response.repaint = {cell->x, cell->x, cell->y, cell->y};
    return response;
}

// The dragged rectangle's cells that still lie on the grid: the grid may have been
// replaced while the button was down.
MapCellRange MapStroke::dragRange() const {
    const RectangleShape shape(state_.rectStart, state_.rectCurrent, state_.RectMode);
    return {std::max(shape.left(), 0), std::min(shape.right(), map_.Width() - 1),
            std::max(shape.top(), 0), std::min(shape.bottom(), map_.Height() - 1)};
}

MapResponse MapStroke::mouseUp() {
    MapResponse response;
    if (state_.RectDragging && state_.paintButton != PaintButton::None) {
        const RectangleShape shape(state_.rectStart, state_.rectCurrent, state_.RectMode);
        // The corners are kept in order after the drag.
        state_.rectStart = {shape.left(), shape.top()};
        state_.rectCurrent = {shape.right(), shape.bottom()};
        const MapCellRange range = dragRange();
        MapCell stamp = state_.stamp(state_.blockOf(state_.paintButton));
        history_.beginStep();
        shape.forEachCell([&](int column, int row) {
            if (column < range.firstColumn || column > range.lastColumn || row < range.firstRow ||
                row > range.lastRow)
                return;
            history_.recordCell(row, column);
            MapCell& target = map_.cell(row, column);
            stamp.Palette = target.Palette; // rectangles keep each cell's palette
            target = stamp;
            wroteCells_ = true;
        });
        response.repaintAll = true;
    }
    state_.paintButton = PaintButton::None;
    state_.RectDragging = false;
    history_.endStep();
    if (wroteCells_) {
        wroteCells_ = false;
        response.change.views = MapChanged;
    }
    return response;
}

MapCell MapStroke::shownCell(int column, int row) const {
    const MapCell& own = map_.cell(row, column);
    if (!state_.RectDragging)
        return own;
    if (!RectangleShape(state_.rectStart, state_.rectCurrent, state_.RectMode).covers(column, row))
        return own;
    MapCell preview = state_.stamp(state_.blockOf(state_.paintButton));
    preview.Palette = own.Palette;
    return preview;
}

} // namespace tessivar
