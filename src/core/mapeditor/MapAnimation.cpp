#include "core/mapeditor/MapAnimation.h"

#include <algorithm>
#include <cstring>

namespace tessivar {

namespace {

std::uint32_t CellKey(int column, int row) {
    return static_cast<std::uint32_t>(row) * kMaxMapSide + static_cast<std::uint32_t>(column);
}

} // namespace

CellRange VisibleMapCells(int scrollX, int scrollY, int viewWidth, int viewHeight, int pitchX,
                          int pitchY, int columns, int rows) {
    if (columns <= 0 || rows <= 0 || pitchX <= 0 || pitchY <= 0)
        return {};
    CellRange w;
    w.FirstColumn = std::clamp(scrollX / pitchX - 1, 0, columns - 1);
    w.LastColumn = std::clamp((scrollX + viewWidth) / pitchX + 1, 0, columns - 1);
    w.FirstRow = std::clamp(scrollY / pitchY - 1, 0, rows - 1);
    w.LastRow = std::clamp((scrollY + viewHeight) / pitchY + 1, 0, rows - 1);
    return w;
}

const MapAnimation::ShownFrame* MapAnimation::ShownAt(int column, int row) const {
    if (shown_.empty())
        return nullptr;
    const auto found = shown_.find(CellKey(column, row));
    return found == shown_.end() ? nullptr : &found->second;
}

void MapAnimation::ForgetShown(CellRange cells) {
    for (int row = cells.FirstRow; row <= cells.LastRow && !shown_.empty(); ++row)
        for (int column = cells.FirstColumn; column <= cells.LastColumn; ++column)
            shown_.erase(CellKey(column, row));
}

int FindCategory(const TileSet& tileSet, const char* name) {
    const int count = std::clamp(tileSet.CategoryCount, 0, kMaxCategories);
    for (int i = 0; i < count; ++i)
        if (std::strcmp(tileSet.Categories[static_cast<std::size_t>(i)].NameText().c_str(), name) ==
            0)
            return i;
    return -1;
}

void MapAnimation::Tick(const TileSet& tileSet, const MapGrid& grid, CellRange visible,
                        const DrawFrame& draw) {
    const AnimationChain::Categories categories{FindCategory(tileSet, "Animated"),
                                                FindCategory(tileSet, "AnimNext"),
                                                FindCategory(tileSet, "AnimDelay")};
    if (categories.Animated < 0 || categories.Next < 0 || categories.Delay < 0)
        return;
    chain_.Tick(tileSet, steps_, categories);
    if (steps_.empty())
        return;
    // The cells of every Tile that stepped are redrawn in one pass over the window.
    newFrame_.fill(-1);
    for (const AnimationChain::Step& step : steps_)
        newFrame_[static_cast<std::size_t>(step.Tile)] = step.Frame;
    // The window was measured against the grid on screen; never step outside this one.
    const int firstRow = std::max(visible.FirstRow, 0);
    const int lastRow = std::min(visible.LastRow, grid.Height - 1);
    const int firstColumn = std::max(visible.FirstColumn, 0);
    const int lastColumn = std::min(visible.LastColumn, grid.Width - 1);
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const MapCell& cell = grid.At(row, column);
            if (cell.Tile < kMaxTiles && newFrame_[cell.Tile] >= 0) {
                shown_[CellKey(column, row)] = {newFrame_[cell.Tile], cell.Palette};
                draw(column, row, newFrame_[cell.Tile], cell.Palette);
            }
        }
}

} // namespace tessivar
