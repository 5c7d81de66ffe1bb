#pragma once

// The map canvas's editing logic without a widget. The canvas hands over every mouse
// event in canvas pixels; MapStroke writes cells through the map editor state (the
// Block of each button, the map palette, the flips), and answers which cells to repaint
// and what the status bar shows. Each stroke, fill and rectangle is one step of the map
// history. While a rectangle is dragged, ShownCell() gives the
// cell as the canvas draws it, preview included.

#include "core/drawing/DrawingTypes.h"
#include "core/drawing/MouseButton.h"
#include "core/mapeditor/MapEditorState.h"
#include "core/mapeditor/MapHistory.h"
#include "core/model/TileSet.h"
#include "core/render/CellGeometry.h"

#include <optional>
#include <string>

namespace tessivar {

// What one mouse event asks of the map canvas.
struct MapStrokeResponse {
    CellRange Repaint;                 // cells to repaint now
    bool RepaintAll = false;           // the whole (visible) canvas
    std::optional<std::string> Status; // new text of the cell status panel
    DocumentChange Change;             // what the event did to the documents
};

class MapStroke {
public:
    MapStroke(const TileSet& tileSet, MapDocument& map, MapEditorState& state, MapHistory& history);

    // The tool buttons. The status text always names the tool in use: choosing the
    // rectangle tool shows its current mode at once, whether or not a mode is then
    // picked from the pop-up.
    void SetTool(MapTool tool);
    void SetRectangleMode(RectangleMode mode);
    // First status panel: "Pen", "Fill", "Filled Rect" or "Hollow Rect".
    const std::string& ToolStatusText() const { return toolStatus_; }

    // Positions in canvas pixels, cells on the pitch of twice the Block size plus one.
    MapStrokeResponse MouseDown(MouseButton button, int x, int y);
    MapStrokeResponse MouseMove(int x, int y);
    MapStrokeResponse MouseUp();

    // The cell under a canvas position, or nothing when it lies off the grid.
    std::optional<GridPoint> CellAt(int x, int y) const;
    // The cell as the canvas draws it: its own fields, or the drag preview.
    MapCell ShownCell(int column, int row) const;

private:
    void SetMapCell(int column, int row);
    CellRange DragRange() const;

    const TileSet& tileSet_;
    MapDocument& map_;
    MapEditorState& state_;
    MapHistory& history_;
    std::string toolStatus_ = "Pen";
    bool wroteCells_ = false; // this stroke changed the map
};

// The map canvas: cells of twice the Block size with a one-pixel grid line right of and
// below each.
CellGeometry MapCanvasGrid(const TileSet& tileSet, const MapDocument& map);

// "X=%d  Y=%d  Tile#=%d  Palette=%d  HFlip=%s  VFlip=%s" of the cell status panel.
std::string MapCellStatusText(int column, int row, const MapCell& cell, int tilesPerBlock);

} // namespace tessivar
