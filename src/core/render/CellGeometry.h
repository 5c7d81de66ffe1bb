#pragma once

// The geometry of a grid of equal cells on screen: the tile canvas (one cell per Block
// pixel), the map view pane and the map canvas (one cell per map cell), the tile lists
// (one cell per Block). Painting asks which cells a damaged rectangle touches; mouse
// handlers ask which cell lies under a point. Both answers come from here so they agree.

#include <optional>

namespace tessivar {

// A screen rectangle with inclusive edges, as a repaint reports it.
struct ScreenRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// Inclusive range of cells; empty when last < first.
struct CellRange {
    int FirstColumn = 0;
    int LastColumn = -1;
    int FirstRow = 0;
    int LastRow = -1;
    bool empty() const { return LastColumn < FirstColumn || LastRow < FirstRow; }
    friend bool operator==(const CellRange&, const CellRange&) = default;
};

struct CellPosition {
    int Column = 0;
    int Row = 0;
    friend bool operator==(const CellPosition&, const CellPosition&) = default;
};

// The cells a repaint covers and the screen rectangle of whole cells they fill, where
// one picture of them is painted and drawn; empty when no cell is touched.
struct CellArea {
    CellRange Cells;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool empty() const { return Width <= 0 || Height <= 0; }
};

// Cell (column, row) starts at (column x pitchX, row x pitchY). Its picture fills the
// first pitch - gap pixels; the last `gap` pixels of the pitch are grid lines (the map
// canvas has a one-pixel line right of and below every cell).
class CellGeometry {
public:
    CellGeometry(int pitchX, int pitchY, int Columns, int Rows, int gap = 0)
        : pitchX_(pitchX)
        , pitchY_(pitchY)
        , columns_(Columns)
        , rows_(Rows)
        , gap_(gap) {}

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    int CellLeft(int column) const { return column * pitchX_; }
    int CellTop(int row) const { return row * pitchY_; }
    int PictureWidth() const { return pitchX_ - gap_; }
    int PictureHeight() const { return pitchY_ - gap_; }
    int Width() const { return columns_ * pitchX_; }
    int Height() const { return rows_ * pitchY_; }

    // The cell under screen point (x, y); none left of or above the grid, or at or
    // beyond its last column or row. Points on a grid line belong to the cell before it.
    std::optional<CellPosition> CellAt(int x, int y) const;

    // The cells a damaged rectangle touches, widened by one cell on each side and
    // clamped to the grid.
    CellRange CellsTouching(ScreenRect damaged) const;
    // The same cells with the screen rectangle they fill.
    CellArea AreaTouching(ScreenRect damaged) const;

private:
    int pitchX_;
    int pitchY_;
    int columns_;
    int rows_;
    int gap_;
};

} // namespace tessivar
