#pragma once

#include "core/model/MapDocument.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessivar {

// The largest map file: "VX02" with 2048 x 2048 cells of 5 bytes.
constexpr std::uint64_t kLargestMapFileBytes =
    4 + 256 + 2 + 2 + 5 * std::uint64_t{kMaxMapSide} * kMaxMapSide;

struct MapFileContents {
    std::string version;     // "VX01" (3-byte cells) or "VX02" (5-byte cells)
    std::string tileSetPath; // empty means none
    MapGrid grid;
};

struct MapParseResult {
    bool ok = false;
    bool badMagic = false;
    std::string reason;
    MapFileContents contents;
};

// Parses a whole map file into a separate value; a refused file touches nothing.
MapParseResult ParseMapFile(std::span<const std::uint8_t> data);

struct MapSerializeResult {
    std::vector<std::uint8_t> bytes;
    std::string error;
};

// The current version ("VX02") of the map, naming its tile set.
MapSerializeResult SerializeMap(const MapGrid& grid, const std::string& tileSetPath);

} // namespace tessivar
