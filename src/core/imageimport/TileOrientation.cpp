#include "core/imageimport/TileOrientation.h"

#include <cstdint>
#include <cstring>

namespace tessivar {

Tile UpsideDown(const Tile& tile) {
    Tile out;
    for (int r = 0; r < kTileSide; ++r)
        std::memcpy(&out[static_cast<std::size_t>((kTileSide - 1 - r) * kTileSide)],
                    &tile[static_cast<std::size_t>(r * kTileSide)], kTileSide);
    return out;
}

Tile Mirrored(const Tile& tile) {
    Tile out;
    for (int r = 0; r < kTileSide; ++r)
        for (int c = 0; c < kTileSide; ++c)
            out[static_cast<std::size_t>(r * kTileSide + kTileSide - 1 - c)] =
                tile[static_cast<std::size_t>(r * kTileSide + c)];
    return out;
}

std::size_t TileHash::operator()(const Tile& tile) const noexcept {
    std::uint64_t hash = 0x9E3779B97F4A7C15ull;
    for (std::size_t offset = 0; offset < tile.size(); offset += 8) {
        std::uint64_t word;
        std::memcpy(&word, &tile[offset], 8);
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
        hash ^= hash >> 32;
    }
    return static_cast<std::size_t>(hash);
}

} // namespace tessivar
