#include "core/mapeditor/MapAnimation.h"

#include <algorithm>
#include <cstring>

namespace tessivar {

MapCellWindow VisibleMapCells(int scrollX, int scrollY, int viewWidth, int viewHeight, int pitchX,
                              int pitchY, int columns, int rows) {
    if (columns <= 0 || rows <= 0 || pitchX <= 0 || pitchY <= 0)
        return {};
    MapCellWindow w;
    w.firstColumn = std::clamp(scrollX / pitchX - 1, 0, columns - 1);
    w.lastColumn = std::clamp((scrollX + viewWidth) / pitchX + 1, 0, columns - 1);
    w.firstRow = std::clamp(scrollY / pitchY - 1, 0, rows - 1);
    w.lastRow = std::clamp((scrollY + viewHeight) / pitchY + 1, 0, rows - 1);
    return w;
}

int FindCategory(const TileSet& tileSet, const char* name) {
    const int count = std::clamp(tileSet.categoryCount, 0, kMaxCategories);
    for (int i = 0; i < count; ++i)
        if (std::strcmp(tileSet.categories[static_cast<std::size_t>(i)].nameText().c_str(), name) ==
            0)
            return i;
    return -1;
}

void MapAnimation::restart() {
    for (int i = 0; i < kMaxTiles; ++i)
        frame_[static_cast<std::size_t>(i)] = i;
    countdown_.fill(0);
}

void MapAnimation::tick(const TileSet& tileSet, const MapGrid& grid, MapCellWindow visible,
                        const DrawFrame& draw) {
    const int animated = FindCategory(tileSet, "Animated");
    const int next = FindCategory(tileSet, "AnimNext");
    const int delay = FindCategory(tileSet, "AnimDelay");
    if (animated < 0 || next < 0 || delay < 0)
        return;
    auto info = [&](int tile, int category) {
        return tileSet.tileInfo[static_cast<std::size_t>(tile)][static_cast<std::size_t>(category)];
    };

    // First every Tile steps, then the visible cells are visited once: the cells of all
    // Tiles that stepped are redrawn in one pass over the window.
    stepped_.fill(false);
    bool anyStepped = false;
    const int tiles = std::clamp(tileSet.tileCount, 0, kMaxTiles);
    for (int t = 0; t < tiles; ++t) {
        const auto at = static_cast<std::size_t>(t);
        if (info(t, animated) == 0)
            continue;
        countdown_[at] -= kTickMilliseconds;
        if (countdown_[at] >= 0)
            continue;
        const int n = info(frame_[at], next);
        if (n < 0 || n >= kMaxTiles)
            continue; // the chain leaves the Tile slots: it stops here
        frame_[at] = n;
        countdown_[at] = info(n, delay);
        stepped_[at] = true;
        anyStepped = true;
    }
    if (!anyStepped)
        return;
    // The window was measured against the grid on screen; never step outside this one.
    const int firstRow = std::max(visible.firstRow, 0);
    const int lastRow = std::min(visible.lastRow, grid.Height - 1);
    const int firstColumn = std::max(visible.firstColumn, 0);
    const int lastColumn = std::min(visible.lastColumn, grid.Width - 1);
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const MapCell& cell = grid.at(row, column);
            if (cell.Tile < kMaxTiles && stepped_[cell.Tile])
                draw(column, row, frame_[cell.Tile], cell.Palette);
        }
}

} // namespace tessivar
