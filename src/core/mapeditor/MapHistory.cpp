#include "core/mapeditor/MapHistory.h"

#include <utility>

namespace tessivar {

std::size_t MapHistory::Step::Bytes() const {
    return Whole ? Grid.Cells.size() * sizeof(MapCell) : Cells.size() * sizeof(HeldCell);
}

MapHistory::MapHistory(MapDocument& map, Announce AnnounceChange)
    : map_(map)
    , announce_(std::move(AnnounceChange)) {}

void MapHistory::Heard(unsigned changes) {
    if ((changes & MapResized) && !open_ && !applying_)
        Clear();
}

void MapHistory::AnnounceChange(const DocumentChange& change) {
    applying_ = true;
    announce_(change);
    applying_ = false;
}

void MapHistory::BeginStep() {
    if (open_)
        EndStep();
    while (steps_.size() > undoCount_) {
        bytesHeld_ -= steps_.back().Bytes();
        steps_.pop_back();
    }
    open_ = true;
    openWidth_ = map_.Width();
    openHeight_ = map_.Height();
    current_ = Step{};
    current_.Width = openWidth_;
    current_.Height = openHeight_;
    seen_.assign(static_cast<std::size_t>(openWidth_) * openHeight_, false);
}

void MapHistory::RecordCell(int row, int column) {
    if (!open_ || current_.Whole || row < 0 || column < 0 || row >= openHeight_ ||
        column >= openWidth_ || map_.Width() != openWidth_ || map_.Height() != openHeight_)
        return;
    const std::size_t index = static_cast<std::size_t>(row) * openWidth_ + column;
    if (seen_[index])
        return;
    seen_[index] = true;
    current_.Cells.push_back({static_cast<std::uint32_t>(index), map_.Grid.Cells[index]});
    if (current_.Cells.size() * 2 >= seen_.size())
        MakeWhole();
}

// The grid as it was: the map now, with the cells changed so far put back.
void MapHistory::MakeWhole() {
    MapGrid before = map_.Grid;
    for (const HeldCell& held : current_.Cells)
        before.Cells[held.Index] = held.Cell;
    current_.Cells = {};
    current_.Grid = std::move(before);
    current_.Whole = true;
}

void MapHistory::RecordWholeGrid() {
    if (open_ && !current_.Whole)
        MakeWhole();
}

void MapHistory::EndStep() {
    if (!open_)
        return;
    open_ = false;
    seen_ = {};
    Step step = std::move(current_);
    current_ = Step{};
    const MapGrid& now = map_.Grid;
    if (step.Whole) {
        if (step.Grid == now)
            return;
    } else {
        if (now.Width != openWidth_ || now.Height != openHeight_) {
            Clear(); // the grid was replaced under the step
            return;
        }
        std::erase_if(step.Cells,
                      [&](const HeldCell& held) { return now.Cells[held.Index] == held.Cell; });
        if (step.Cells.empty())
            return;
        step.Cells.shrink_to_fit();
    }
    bytesHeld_ += step.Bytes();
    steps_.push_back(std::move(step));
    undoCount_ = steps_.size();
    Trim();
}

void MapHistory::Trim() {
    while (steps_.size() > kCapacity || (steps_.size() > 1 && bytesHeld_ > kByteBudget)) {
        bytesHeld_ -= steps_.front().Bytes();
        steps_.pop_front();
        --undoCount_;
    }
}

// Swaps the step's cells with the map's. False (and the history forgotten) when a sparse
// step no longer fits the grid.
bool MapHistory::Exchange(Step& step) {
    MapGrid& grid = map_.Grid;
    unsigned changes = MapChanged;
    if (step.Whole) {
        if (grid.Width != step.Grid.Width || grid.Height != step.Grid.Height)
            changes |= MapResized;
        bytesHeld_ -= step.Bytes();
        std::swap(grid, step.Grid);
        bytesHeld_ += step.Bytes();
    } else {
        if (grid.Width != step.Width || grid.Height != step.Height) {
            Clear();
            return false;
        }
        for (HeldCell& held : step.Cells)
            std::swap(grid.Cells[held.Index], held.Cell);
    }
    AnnounceChange({changes, false, true});
    return true;
}

bool MapHistory::Undo() {
    if (open_ || !CanUndo())
        return false;
    --undoCount_;
    return Exchange(steps_[undoCount_]);
}

bool MapHistory::Redo() {
    if (open_ || !CanRedo())
        return false;
    // Counted first: the listeners hear of the change with the history already moved on.
    ++undoCount_;
    return Exchange(steps_[undoCount_ - 1]);
}

void MapHistory::Clear() {
    steps_.clear();
    undoCount_ = 0;
    bytesHeld_ = 0;
}

} // namespace tessivar
