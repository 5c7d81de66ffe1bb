#pragma once

// The map editor's undo and redo. Each pen stroke, fill, rectangle and Map Size change is
// one step. A step holds the cells it changed, as they were before; once it has changed
// half the map or more (or the grid's size), it holds the whole previous grid instead.
// Undo swaps the held cells with the map's, so the same data then serves Redo.
//
// A grid replaced from outside a step (a load, New, an import's new map) makes the held
// steps meaningless, so the history forgets them when it hears of MapResized (heard()).
// What an undo or redo changes goes out through the owner's `announce`.

#include "core/model/DocumentChange.h"
#include "core/model/MapDocument.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace tessivar {

class MapHistory {
public:
    static constexpr std::size_t kCapacity = 100;
    // Older steps are dropped while the held data exceeds this; the newest always stays.
    static constexpr std::size_t kByteBudget = std::size_t{256} << 20;

    using Announce = std::function<void(const DocumentChange&)>;

    MapHistory(MapDocument& map, Announce announce);
    MapHistory(const MapHistory&) = delete;
    MapHistory& operator=(const MapHistory&) = delete;

    // A step collects every cell written between these two calls. Opening a step drops
    // the steps that could be redone.
    void BeginStep();
    void EndStep();
    bool StepOpen() const { return open_; }
    // Call before the cell is written (inside a step).
    void RecordCell(int row, int column);
    // Call before the grid is resized or replaced (inside a step).
    void RecordWholeGrid();

    bool CanUndo() const { return undoCount_ > 0; }
    bool CanRedo() const { return undoCount_ < steps_.size(); }
    // Every change announced, by the history or by others.
    void Heard(unsigned changes);
    // Announces a change made to the map inside a step.
    void AnnounceChange(const DocumentChange& change);

    bool Undo(); // false when there was nothing to undo
    bool Redo();
    void Clear();

    std::size_t StepCount() const { return steps_.size(); }
    std::size_t BytesHeld() const { return bytesHeld_; }

private:
    struct HeldCell {
        std::uint32_t Index;
        MapCell Cell;
    };
    struct Step {
        std::vector<HeldCell> Cells; // sparse: cells as they were, by index
        bool Whole = false;          // the whole grid is held instead
        MapGrid Grid;
        int Width = 0; // the grid the sparse cells belong to
        int Height = 0;
        std::size_t Bytes() const;
    };

    bool Exchange(Step& step);
    void MakeWhole();
    void Trim();

    MapDocument& map_;
    Announce announce_;
    std::deque<Step> steps_;
    std::size_t undoCount_ = 0; // steps_[0, undoCount_) can be undone, the rest redone
    std::size_t bytesHeld_ = 0;
    // The open step.
    bool open_ = false;
    bool applying_ = false; // our own notification is going out
    Step current_;
    int openWidth_ = 0;
    int openHeight_ = 0;
    std::vector<bool> seen_; // cells already held by the open step
};

} // namespace tessivar
