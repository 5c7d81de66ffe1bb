#include "core/render/CellGrid.h"

#include <algorithm>

namespace tessivar {

std::optional<CellPosition> CellGrid::cellAt(int x, int y) const {
    if (x < 0 || y < 0)
        return std::nullopt;
    const CellPosition cell{x / pitchX_, y / pitchY_};
    if (cell.column >= columns_ || cell.row >= rows_)
        return std::nullopt;
    return cell;
}

CellRange CellGrid::cellsTouching(ScreenRect damaged) const {
    if (columns_ <= 0 || rows_ <= 0)
        return CellRange{};
    CellRange range;
    range.firstColumn = std::clamp(damaged.left / pitchX_ - 1, 0, columns_ - 1);
    range.lastColumn = std::clamp(damaged.right / pitchX_ + 1, 0, columns_ - 1);
    range.firstRow = std::clamp(damaged.top / pitchY_ - 1, 0, rows_ - 1);
    range.lastRow = std::clamp(damaged.bottom / pitchY_ + 1, 0, rows_ - 1);
    return range;
}

CellArea CellGrid::areaTouching(ScreenRect damaged) const {
    CellArea area;
    area.cells = cellsTouching(damaged);
    if (area.cells.lastColumn < area.cells.firstColumn || area.cells.lastRow < area.cells.firstRow)
        return area;
    area.left = cellLeft(area.cells.firstColumn);
    area.top = cellTop(area.cells.firstRow);
    area.width = cellLeft(area.cells.lastColumn + 1) - area.left;
    area.height = cellTop(area.cells.lastRow + 1) - area.top;
    return area;
}

} // namespace tessivar
