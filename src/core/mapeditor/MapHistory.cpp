#include "core/mapeditor/MapHistory.h"

#include <utility>

namespace tessivar {

std::size_t MapHistory::Step::bytes() const {
    return whole ? grid.cells.size() * sizeof(MapCell) : cells.size() * sizeof(HeldCell);
}

MapHistory::MapHistory(MapDocument& map, Announce announce)
    : map_(map)
    , announce_(std::move(announce)) {}

void MapHistory::heard(unsigned changes) {
    if ((changes & MapResized) && !open_ && !applying_)
        clear();
}

void MapHistory::announce(const DocumentChange& change) {
    applying_ = true;
    announce_(change);
    applying_ = false;
}

void MapHistory::beginStep() {
    if (open_)
        endStep();
    while (steps_.size() > undoCount_) {
        bytesHeld_ -= steps_.back().bytes();
        steps_.pop_back();
    }
    open_ = true;
    openWidth_ = map_.Width();
    openHeight_ = map_.Height();
    current_ = Step{};
    current_.width = openWidth_;
    current_.height = openHeight_;
    seen_.assign(static_cast<std::size_t>(openWidth_) * openHeight_, false);
}

void MapHistory::recordCell(int row, int column) {
    if (!open_ || current_.whole || row < 0 || column < 0 || row >= openHeight_ ||
        column >= openWidth_ || map_.Width() != openWidth_ || map_.Height() != openHeight_)
        return;
    const std::size_t index = static_cast<std::size_t>(row) * openWidth_ + column;
    if (seen_[index])
        return;
    seen_[index] = true;
    current_.cells.push_back({static_cast<std::uint32_t>(index), map_.grid.cells[index]});
    if (current_.cells.size() * 2 >= seen_.size())
        makeWhole();
}

// The grid as it was: the map now, with the cells changed so far put back.
void MapHistory::makeWhole() {
    MapGrid before = map_.grid;
    for (const HeldCell& held : current_.cells)
        before.cells[held.index] = held.cell;
    current_.cells = {};
    current_.grid = std::move(before);
    current_.whole = true;
}

void MapHistory::recordWholeGrid() {
    if (open_ && !current_.whole)
        makeWhole();
}

void MapHistory::endStep() {
    if (!open_)
        return;
    open_ = false;
    seen_ = {};
    Step step = std::move(current_);
    current_ = Step{};
    const MapGrid& now = map_.grid;
    if (step.whole) {
        if (step.grid == now)
            return;
    } else {
        if (now.Width != openWidth_ || now.Height != openHeight_) {
            clear(); // the grid was replaced under the step
            return;
        }
        std::erase_if(step.cells,
                      [&](const HeldCell& held) { return now.cells[held.index] == held.cell; });
        if (step.cells.empty())
            return;
        step.cells.shrink_to_fit();
    }
    bytesHeld_ += step.bytes();
    steps_.push_back(std::move(step));
    undoCount_ = steps_.size();
    trim();
}

void MapHistory::trim() {
    while (steps_.size() > kCapacity || (steps_.size() > 1 && bytesHeld_ > kByteBudget)) {
        bytesHeld_ -= steps_.front().bytes();
        steps_.pop_front();
        --undoCount_;
    }
}

// Swaps the step's cells with the map's. False (and the history forgotten) when a sparse
// step no longer fits the grid.
bool MapHistory::exchange(Step& step) {
    MapGrid& grid = map_.grid;
    unsigned changes = MapChanged;
    if (step.whole) {
        if (grid.Width != step.grid.Width || grid.Height != step.grid.Height)
            changes |= MapResized;
        bytesHeld_ -= step.bytes();
        std::swap(grid, step.grid);
        bytesHeld_ += step.bytes();
    } else {
        if (grid.Width != step.width || grid.Height != step.height) {
            clear();
            return false;
        }
        for (HeldCell& held : step.cells)
            std::swap(grid.cells[held.index], held.cell);
    }
    announce({changes, false, true});
    return true;
}

bool MapHistory::Undo() {
    if (open_ || !canUndo())
        return false;
    --undoCount_;
    return exchange(steps_[undoCount_]);
}

bool MapHistory::Redo() {
    if (open_ || !canRedo())
        return false;
    // Counted first: the listeners hear of the change with the history already moved on.
    ++undoCount_;
    return exchange(steps_[undoCount_ - 1]);
}

void MapHistory::clear() {
    steps_.clear();
    undoCount_ = 0;
    bytesHeld_ = 0;
}

} // namespace tessivar
