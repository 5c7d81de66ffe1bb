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
    plan_.columns = width / kTileSide;
    plan_.rows = height / kTileSide;
    plan_.tilesCut = static_cast<std::size_t>(plan_.columns) * static_cast<std::size_t>(plan_.rows);
    if (keepCells_)
        plan_.cells = TileRemap::Identity(plan_.tilesCut);
}

Status TileCutter::AddRow(std::span<const ColorIndex> row) {
    std::copy_n(row.begin(), width_,
                band_.begin() + static_cast<std::ptrdiff_t>(rowsInBand_) * width_);
    if (++rowsInBand_ < kTileSide)
        return Ok();
    rowsInBand_ = 0;
    Tile tile;
    for (int tx = 0; tx < plan_.columns; ++tx, ++nextEntry_) {
        for (int py = 0; py < kTileSide; ++py)
            std::memcpy(&tile[static_cast<std::size_t>(py * kTileSide)],
                        &band_[static_cast<std::size_t>(py * width_ + tx * kTileSide)], kTileSide);
        const TileRemap::Target target = deduplicator_.Add(tile, plan_.tiles);
        if (keepCells_)
            plan_.cells[nextEntry_] = target;
        if (plan_.tiles.size() > room_)
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
