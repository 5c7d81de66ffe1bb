#include "core/imageimport/TileCutter.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tessivar {

TileCutter::TileCutter(int width, int height, DuplicateMode mode, bool keepCells, int firstSlot)
    : width_(width)
    , firstSlot_(firstSlot)
    , room_(firstSlot < 0 ? 0 : static_cast<std::size_t>(std::max(kMaxTiles - firstSlot, 0)))
    , keepCells_(keepCells)
    , deduplicator_(mode)
    , band_(static_cast<std::size_t>(width) * kTileSide) {
    plan_.Columns = width / kTileSide;
    plan_.Rows = height / kTileSide;
    plan_.TilesCut = static_cast<std::size_t>(plan_.Columns) * static_cast<std::size_t>(plan_.Rows);
    if (keepCells_)
        plan_.Cells = TileRemap::Identity(plan_.TilesCut);
}

Status TileCutter::AddRow(std::span<const ColorIndex> row) {
    std::copy_n(row.begin(), width_,
                band_.begin() + static_cast<std::ptrdiff_t>(rowsInBand_) * width_);
    if (++rowsInBand_ < kTileSide)
        return Ok();
    rowsInBand_ = 0;
    Tile tile;
    for (int tx = 0; tx < plan_.Columns; ++tx, ++nextEntry_) {
        for (int py = 0; py < kTileSide; ++py)
            std::memcpy(&tile[static_cast<std::size_t>(py * kTileSide)],
                        &band_[static_cast<std::size_t>(py * width_ + tx * kTileSide)], kTileSide);
        const std::size_t kept = plan_.Tiles.size();
        const TileRemap::Target target = deduplicator_.Add(tile, plan_.Tiles);
        if (keepCells_)
            plan_.Cells[nextEntry_] = target;
        if (plan_.Tiles.size() > kept && !(inSet_ && inSet_->Contains(tile)))
            ++counted_;
        if (counted_ > room_)
            return Fail("This picture needs more than " + std::to_string(room_) +
                        " tiles, but only " + std::to_string(room_) +
                        " tile slots remain from tile " + std::to_string(firstSlot_) +
                        " on (the set holds at most " + std::to_string(kMaxTiles) + " tiles).");
    }
    return Ok();
}

ImportPlan TileCutter::Finish() && {
    return std::move(plan_);
}

} // namespace tessivar
