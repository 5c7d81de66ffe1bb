#include "core/mapeditor/MapAnimation.h"

#include <algorithm>
#include <cstring>

namespace tessivar {

namespace {

std::uint32_t cellKey(int column, int row) {
    return static_cast<std::uint32_t>(row) * kMaxMapSide + static_cast<std::uint32_t>(column);
}

} // namespace

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

const MapAnimation::ShownFrame* MapAnimation::shownAt(int column, int row) const {
    if (shown_.empty())
        return nullptr;
    const auto found = shown_.find(cellKey(column, row));
    return found == shown_.end() ? nullptr : &found->second;
}

void MapAnimation::forgetShown(MapCellWindow cells) {
    for (int row = cells.firstRow; row <= cells.lastRow && !shown_.empty(); ++row)
        for (int column = cells.firstColumn; column <= cells.lastColumn; ++column)
            shown_.erase(cellKey(column, row));
}

int FindCategory(const TileSet& tileSet, const char* name) {
    const int count = std::clamp(tileSet.categoryCount, 0, kMaxCategories);
    for (int i = 0; i < count; ++i)
        if (std::strcmp(tileSet.categories[static_cast<std::size_t>(i)].nameText().c_str(), name) ==
            0)
            return i;
    return -1;
}

void MapAnimation::tick(const TileSet& tileSet, const MapGrid& grid, MapCellWindow visible,
                        const DrawFrame& draw) {
    const AnimationChain::Categories categories{FindCategory(tileSet, "Animated"),
                                                FindCategory(tileSet, "AnimNext"),
                                                FindCategory(tileSet, "AnimDelay")};
    if (categories.animated < 0 || categories.next < 0 || categories.delay < 0)
        return;
    chain_.tick(tileSet, steps_, categories);
    if (steps_.empty())
        return;
    // The cells of every Tile that stepped are redrawn in one pass over the window.
    newFrame_.fill(-1);
    for (const AnimationChain::Step& step : steps_)
        newFrame_[static_cast<std::size_t>(step.tile)] = step.frame;
    // The window was measured against the grid on screen; never step outside this one.
    const int firstRow = std::max(visible.firstRow, 0);
    const int lastRow = std::min(visible.lastRow, grid.Height - 1);
    const int firstColumn = std::max(visible.firstColumn, 0);
    const int lastColumn = std::min(visible.lastColumn, grid.Width - 1);
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const MapCell& cell = grid.at(row, column);
            if (cell.Tile < kMaxTiles && newFrame_[cell.Tile] >= 0) {
                shown_[cellKey(column, row)] = {newFrame_[cell.Tile], cell.Palette};
                draw(column, row, newFrame_[cell.Tile], cell.Palette);
            }
        }
}

} // namespace tessivar
