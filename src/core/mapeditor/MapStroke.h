#pragma once

// The map canvas's editing logic without a widget. The canvas hands over every mouse
// event in canvas pixels; MapStroke writes cells through the map editor state (the
// Block of each button, the map palette, the flips), and answers which cells to repaint
// and what the status bar shows. Each stroke, fill and rectangle is one step of the map
// history. While a rectangle is dragged, shownCell() gives the
// cell as the canvas draws it, preview included.

#include "core/grid/GridTypes.h"
#include "core/grid/MouseButton.h"
#include "core/mapeditor/MapEditorState.h"
#include "core/mapeditor/MapHistory.h"
#include "core/model/TileSet.h"
#include "core/render/CellGrid.h"

#include <optional>
#include <string>

namespace tessivar {

// An inclusive range of map cells.
struct MapCellRange {
    int firstColumn = 0;
    int lastColumn = -1;
    int firstRow = 0;
    int lastRow = -1;
    bool empty() const { return lastColumn < firstColumn || lastRow < firstRow; }
    friend bool operator==(const MapCellRange&, const MapCellRange&) = default;
};

// What one mouse event asks of the map canvas.
struct MapResponse {
    MapCellRange repaint;              // cells to repaint now
    bool repaintAll = false;           // the whole (visible) canvas
    std::optional<std::string> status; // new text of the cell status panel
    DocumentChange change;             // what the event did to the documents
};

class MapStroke {
public:
    MapStroke(const TileSet& tileSet, MapDocument& map, MapEditorState& state, MapHistory& history);

    // The tool buttons. The status text always names the tool in use: choosing the
    // rectangle tool shows its current mode at once, whether or not a mode is then
    // picked from the pop-up.
    void setTool(MapTool tool);
    void setRectangleMode(RectangleMode mode);
    // First status panel: "Pen", "Fill", "Filled Rect" or "Hollow Rect".
    const std::string& toolStatusText() const { return toolStatus_; }

    // Positions in canvas pixels, cells on the pitch of twice the Block size plus one.
    MapResponse mouseDown(MouseButton button, int x, int y);
    MapResponse mouseMove(int x, int y);
    MapResponse mouseUp();

    // The cell under a canvas position, or nothing when it lies off the grid.
    std::optional<GridPoint> cellAt(int x, int y) const;
    // The cell as the canvas draws it: its own fields, or the drag preview.
    MapCell shownCell(int column, int row) const;

private:
    void setMapCell(int column, int row);
    MapCellRange dragRange() const;

    const TileSet& tileSet_;
    MapDocument& map_;
    MapEditorState& state_;
    MapHistory& history_;
    std::string toolStatus_ = "Pen";
    bool wroteCells_ = false; // this stroke changed the map
};

// The map canvas: cells of twice the Block size with a one-pixel grid line right of and
// below each.
CellGrid MapCanvasGrid(const TileSet& tileSet, const MapDocument& map);

// "X=%d  Y=%d  Tile#=%d  Palette=%d  HFlip=%s  VFlip=%s" of the cell status panel.
std::string MapCellStatusText(int column, int row, const MapCell& cell, int tilesPerBlock);

} // namespace tessivar
