#include "core/imageimport/DuplicateRemoval.h"

#include <algorithm>

namespace tessivar {

namespace {

// How the kept Tile is turned to show a merged one.
TileRemap::Target OrientationOf(const Tile& kept, const Tile& merged, std::uint32_t keptIndex) {
    TileRemap::Target target{keptIndex, false, false};
    if (merged == kept)
        return target;
    const Tile upsideDown = UpsideDown(kept);
    if (merged == upsideDown) {
        target.ToggleVFlip = true;
        return target;
    }
    target.ToggleHFlip = true;
    target.ToggleVFlip = merged != Mirrored(kept);
    return target;
}

// The smallest of the Tile's four orientations: equal for Tiles that are flips of
// each other, since the four flips form a group.
Tile CanonicalOrientation(const Tile& tile) {
    const Tile upsideDown = UpsideDown(tile);
    const Tile mirrored = Mirrored(tile);
    const Tile both = Mirrored(upsideDown);
    return std::min({tile, upsideDown, mirrored, both});
}

} // namespace

TileRemap::Target TileDeduplicator::Add(const Tile& entry, std::vector<Tile>& kept) {
    const auto next = static_cast<std::uint32_t>(kept.size());
    if (mode_ == DuplicateMode::None) {
        kept.push_back(entry);
        return {next, false, false};
    }
    const auto [slot, isNew] = index_.try_emplace(
        mode_ == DuplicateMode::Full ? CanonicalOrientation(entry) : entry, next);
    if (!isNew)
        return OrientationOf(kept[slot->second], entry, slot->second);
    kept.push_back(entry);
    return {next, false, false};
}

TileRemap RemoveDuplicateTiles(std::vector<Tile>& entries, DuplicateMode mode) {
    TileRemap remap = TileRemap::Identity(entries.size());
    TileDeduplicator deduplicator(mode);
    std::vector<Tile> kept;
    for (std::size_t k = 0; k < entries.size(); ++k)
        remap[k] = deduplicator.Add(entries[k], kept);
    entries = std::move(kept);
    return remap;
}

} // namespace tessivar
