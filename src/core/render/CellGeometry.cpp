#include "core/render/CellGeometry.h"

#include <algorithm>

namespace tessivar {

std::optional<CellPosition> CellGeometry::CellAt(int x, int y) const {
    if (x < 0 || y < 0)
        return std::nullopt;
    const CellPosition cell{x / pitchX_, y / pitchY_};
    if (cell.Column >= columns_ || cell.Row >= rows_)
        return std::nullopt;
    return cell;
}

CellRange CellGeometry::CellsTouching(ScreenRect damaged) const {
    if (columns_ <= 0 || rows_ <= 0)
        return CellRange{};
    CellRange range;
    range.FirstColumn = std::clamp(damaged.Left / pitchX_ - 1, 0, columns_ - 1);
    range.LastColumn = std::clamp(damaged.Right / pitchX_ + 1, 0, columns_ - 1);
    range.FirstRow = std::clamp(damaged.Top / pitchY_ - 1, 0, rows_ - 1);
    range.LastRow = std::clamp(damaged.Bottom / pitchY_ + 1, 0, rows_ - 1);
    return range;
}

CellArea CellGeometry::AreaTouching(ScreenRect damaged) const {
    CellArea area;
    area.Cells = CellsTouching(damaged);
    if (area.Cells.LastColumn < area.Cells.FirstColumn || area.Cells.LastRow < area.Cells.FirstRow)
        return area;
    area.Left = CellLeft(area.Cells.FirstColumn);
    area.Top = CellTop(area.Cells.FirstRow);
    area.Width = CellLeft(area.Cells.LastColumn + 1) - area.Left;
    area.Height = CellTop(area.Cells.LastRow + 1) - area.Top;
    return area;
}

} // namespace tessivar
