#pragma once

// The geometry of a grid of equal cells on screen: the tile canvas (one cell per Block
// pixel), the map view pane and the map canvas (one cell per map cell), the tile lists
// (one cell per Block). Painting asks which cells a damaged rectangle touches; mouse
// handlers ask which cell lies under a point. Both answers come from here so they agree.

#include <optional>

namespace tessivar {

// A screen rectangle with inclusive edges, as a repaint reports it.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Inclusive range of cells; empty when last < first.
struct CellRange {
    int firstColumn = 0;
    int lastColumn = -1;
    int firstRow = 0;
    int lastRow = -1;
    friend bool operator==(const CellRange&, const CellRange&) = default;
};

struct CellPosition {
    int column = 0;
    int row = 0;
    friend bool operator==(const CellPosition&, const CellPosition&) = default;
};

// The cells a repaint covers and the screen rectangle of whole cells they fill, where
// one picture of them is painted and drawn; empty when no cell is touched.
struct CellArea {
    CellRange cells;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
};

// Cell (column, row) starts at (column x pitchX, row x pitchY). Its picture fills the
// first pitch - gap pixels; the last `gap` pixels of the pitch are grid lines (the map
// canvas has a one-pixel line right of and below every cell).
class CellGrid {
public:
    CellGrid(int pitchX, int pitchY, int columns, int rows, int gap = 0)
        : pitchX_(pitchX)
        , pitchY_(pitchY)
        , columns_(columns)
        , rows_(rows)
        , gap_(gap) {}

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    int cellLeft(int column) const { return column * pitchX_; }
    int cellTop(int row) const { return row * pitchY_; }
    int pictureWidth() const { return pitchX_ - gap_; }
    int pictureHeight() const { return pitchY_ - gap_; }
    int width() const { return columns_ * pitchX_; }
    int height() const { return rows_ * pitchY_; }

    // The cell under screen point (x, y); none left of or above the grid, or at or
    // beyond its last column or row. Points on a grid line belong to the cell before it.
    std::optional<CellPosition> cellAt(int x, int y) const;

    // The cells a damaged rectangle touches, widened by one cell on each side and
    // clamped to the grid.
    CellRange cellsTouching(ScreenRect damaged) const;
    // The same cells with the screen rectangle they fill.
    CellArea areaTouching(ScreenRect damaged) const;

private:
    int pitchX_;
    int pitchY_;
    int columns_;
    int rows_;
    int gap_;
};

} // namespace tessivar
