#pragma once

// The four orientations of a Tile and a hash for Tiles as keys.

#include "core/model/TileSet.h"

#include <cstddef>

namespace tessivar {

// Row r becomes row 7 - r.
Tile UpsideDown(const Tile& tile);
// Column c becomes column 7 - c.
Tile Mirrored(const Tile& tile);

struct TileHash {
    std::size_t operator()(const Tile& tile) const noexcept;
};

} // namespace tessivar
