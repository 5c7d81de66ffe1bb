#pragma once

// Tile animations played on the map. The state belongs to the Tile number: every cell
// holding Tile t shows the same frame, and the animation keeps which frame each cell
// shows until the cell is drawn with its own Tile again. Each tick (every 50 ms) counts down the
// Tiles marked "Animated"; a Tile whose time is up steps to the "AnimNext" of its current frame,
// and the visible cells holding it are redrawn with that frame, unmirrored, in the cell's own
// palette. The frame stays for its own "AnimDelay" milliseconds.

#include "core/model/MapDocument.h"
#include "core/model/TileSet.h"
#include "core/render/CellGeometry.h"
#include "core/tileinfo/AnimationChain.h"

#include <array>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace tessivar {

// The cells a scrolled view shows, one cell of margin on each side, clamped to the grid.
CellRange VisibleMapCells(int scrollX, int scrollY, int viewWidth, int viewHeight, int pitchX,
                          int pitchY, int columns, int rows);

class MapAnimation {
public:
    static constexpr int kTickMilliseconds = AnimationChain::kTickMs;

    // Draws frame Tile `frame` into cell (column, row) with palette `palette`.
    using DrawFrame = std::function<void(int column, int row, int frame, int palette)>;

    // Every click of "Enable animation": each Tile shows itself, every countdown at 0.
    void Restart() { chain_.Restart(); }

    // One tick over the cells of `visible`. Does nothing when the tile set has no
    // "Animated", "AnimNext" or "AnimDelay" category. A chain that leads to a Tile
    // number outside the Tile slots stops there.
    void Tick(const TileSet& tileSet, const MapGrid& grid, CellRange visible,
              const DrawFrame& draw);

    int FrameOf(int tile) const { return chain_.Frame(tile); }

    // The frame a tick drew into a cell, kept until the cell is drawn with its own Tile.
    struct ShownFrame {
        int Frame;
        int Palette;
    };
    // The frame cell (column, row) shows; null when it shows its own Tile.
    const ShownFrame* ShownAt(int column, int row) const;
    bool ShowsFrames() const { return !shown_.empty(); }
    // The cells are drawn with their own Tiles again: every cell, or those of the window.
    void ForgetShown() { shown_.clear(); }
    void ForgetShown(CellRange cells);

private:
    AnimationChain chain_;
    std::vector<AnimationChain::Step> steps_;
    std::array<int, kMaxTiles> newFrame_{}; // per Tile number: the frame it stepped to, or -1
    std::unordered_map<std::uint32_t, ShownFrame> shown_; // row x kMaxMapSide + column
};

// Index of the category named `name`, or -1.
int FindCategory(const TileSet& tileSet, const char* name);

} // namespace tessivar
