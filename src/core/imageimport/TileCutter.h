#pragma once

// Cutting converted rows into Tiles as they come: each band of 8 rows is cut and its
// Tiles de-duplicated as soon as it is complete, so only one band is held.

#include "core/imageimport/DuplicateRemoval.h"
#include "core/imageimport/TileReuse.h"
#include "core/model/TileRemap.h"
#include "core/model/TileSet.h"
#include "core/util/Result.h"

#include <span>
#include <vector>

namespace tessivar {

// The Tiles of a picture, entry k from tile row k / columns and tile column
// k % columns, before anything in the documents changes.
struct ImportPlan {
    int Columns = 0;
    int Rows = 0;
    std::size_t TilesCut = 0;
    std::vector<Tile> Tiles; // the Tiles to store, in order
    TileRemap Cells;         // entry k of the picture -> Tile of `tiles`, with its flips
};

class TileCutter {
public:
    // For a converted picture of `width` x `height` pixels (multiples of 8) whose Tiles
    // are stored from slot `firstSlot` on. `keepCells` keeps where each entry went, for
    // a map of the picture.
    TileCutter(int width, int height, DuplicateMode mode, bool keepCells, int firstSlot);

    // Kept Tiles that `inSet` holds do not count against the free slots (they may be
    // shown through the set's Tiles); `inSet` must outlive the cutter.
    void LeaveUncounted(const TileSetIndex& inSet) { inSet_ = &inSet; }

    // Takes the next converted row (`width` ColorIndex values). Refuses, as soon as it is
    // known, a picture whose Tiles would reach past the last slot.
    Status AddRow(std::span<const ColorIndex> row);

    // The plan, once every row was added.
    ImportPlan Finish() &&;

private:
    ImportPlan plan_;
    int width_;
    int firstSlot_;
    std::size_t room_;
    bool keepCells_;
    TileDeduplicator deduplicator_;
    std::vector<ColorIndex> band_; // 8 rows
    int rowsInBand_ = 0;
    std::size_t nextEntry_ = 0;
    const TileSetIndex* inSet_ = nullptr;
    std::size_t counted_ = 0; // kept Tiles that need a slot
};

} // namespace tessivar
