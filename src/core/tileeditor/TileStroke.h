#pragma once

// The tile canvas's drawing logic without a widget. The canvas widget hands every mouse
// event over in screen coordinates together with the canvas zoom; TileStroke draws
// into the Block at CurrentTile and answers which Block pixels to repaint and what the
// status bar shows. While a rectangle or line is dragged, PreviewColorAt() tells the
// painter which pixels show the drawing colour instead of their own.

#include "core/model/DocumentChange.h"
#include "core/model/TileEditorState.h"
#include "core/model/TileSet.h"
#include "core/model/UndoHistory.h"
#include "core/tileeditor/CanvasTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace tessivar {

// What one mouse event asks of the canvas widget.
struct TileStrokeResponse {
    PixelRect Repaint;                 // Block pixels to repaint; empty: nothing
    std::optional<std::string> Status; // new text of the pixel status panel
    DocumentChange Change;             // what the event did to the documents
};

class TileStroke {
public:
    TileStroke(TileSet& tileSet, TileEditorState& editing, UndoHistory& history);

    // The tool buttons. The status text always names the tool in use: choosing the
    // rectangle tool shows its current mode at once, so a dismissed pop-up leaves
    // "Filled Rect" or "Hollow Rect" rather than the previous tool's name. Picking a mode
    // from the pop-up also makes the rectangle the tool.
    void SetTool(DrawingTool tool);
    void SetRectangleMode(RectangleMode mode);
    DrawingTool Tool() const { return tool_; }
    RectangleMode RectMode() const { return rectangleMode_; }
    // First status panel: "Pen", "Fill", "Filled Rect", "Hollow Rect" or "Line".
    const std::string& ToolStatusText() const { return toolStatus_; }

    TileStrokeResponse MouseDown(MouseButton button, int screenX, int screenY, int zoom);
    TileStrokeResponse MouseMove(int screenX, int screenY, int zoom);
    TileStrokeResponse MouseUp();

    // The colour index pixel (x, y) shows while a rectangle or line is dragged, to be
    // looked up in the current palette; nullopt when the pixel shows its own colour.
    std::optional<ColorIndex> PreviewColorAt(int x, int y) const;
    bool Dragging() const { return rectangleDrag_ || lineDrag_; }

private:
    std::optional<BlockPoint> BlockPixelAt(int screenX, int screenY, int zoom) const;
    std::optional<ColorIndex> HeldColor() const;
    PixelRect PenStroke(BlockPoint pixel);
    PixelRect WholeBlock() const;
    void UpdateLineMask();
    void CommitDrag();

    TileSet& tileSet_;
    TileEditorState& editing_;
    UndoHistory& history_;
    DrawingTool tool_ = DrawingTool::Pen;
    RectangleMode rectangleMode_ = RectangleMode::Filled;
    std::string toolStatus_ = "Pen";
    std::optional<MouseButton> held_; // Left or Right while a stroke draws
    BlockPoint anchor_;
    BlockPoint end_;
    bool rectangleDrag_ = false;
    bool lineDrag_ = false;
    bool strokeInside_ = false;  // a mouse-down inside the Block started this stroke
    std::vector<bool> lineMask_; // row-major over the Block while a line is dragged
    int lineMaskWidth_ = 0;
};

// The fill tool: recolours the 4-connected region of one colour around `start` inside
// the Block that begins at Tile `firstTile` (current Block size), across Tile boundaries
// but never beyond the Block. Every Tile that receives a pixel gets TilePalette =
// `palette`. Returns false, having changed nothing at all, when the start pixel already
// has `color`.
bool FloodFillBlock(TileSet& tileSet, int firstTile, BlockPoint start, ColorIndex color,
                    int palette);

// "X=%d Y=%d Color=%d" of the pixel status panel.
std::string PixelStatusText(int x, int y, int color);

} // namespace tessivar
