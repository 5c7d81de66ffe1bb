#pragma once

#include "core/model/MapDocument.h"
#include "core/util/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessivar {

// The largest map file: "VX02" with 2048 x 2048 cells of 5 bytes.
constexpr std::uint64_t kLargestMapFileBytes =
    4 + 256 + 2 + 2 + 5 * std::uint64_t{kMaxMapSide} * kMaxMapSide;

struct MapFileContents {
    std::string Version;     // "VX01" (3-byte cells) or "VX02" (5-byte cells)
    std::string TileSetPath; // empty means none
    MapGrid Grid;
};

// Whether the data starts with one of the two map magics.
bool HasMapMagic(std::span<const std::uint8_t> data);

// Parses a whole map file into a separate value; a refused file touches nothing.
Result<MapFileContents> ParseMapFile(std::span<const std::uint8_t> data);

// The current version ("VX02") of the map, naming its tile set; refused when the tile
// set path does not fit its field.
Result<std::vector<std::uint8_t>> SerializeMap(const MapGrid& grid, const std::string& tileSetPath);

} // namespace tessivar
