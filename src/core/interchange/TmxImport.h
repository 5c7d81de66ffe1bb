#pragma once

// Reads back a TMX map whose tilesets are the ones the TMX export writes (TmxMap.h),
// also after the general editor saved it again: layer data as CSV, or base64 plain,
// zlib or gzip. Anything the map file cannot hold is refused with the reason: other
// tilesets, several layers or layers of other kinds, other orientations or tile sizes,
// endless maps, empty or rotated cells. The reader is bounded: at most
// kLargestTmxFileBytes of text, no document type declarations (so no entities to
// expand), at most kDeepestTmxNesting levels of elements, and layer data that unpacks to
// more than the map's cells is refused before it is stored.

#include "core/files/MapFile.h"
#include "core/util/Result.h"

#include <cstdint>
#include <span>

namespace tessivar {

inline constexpr std::uint64_t kLargestTmxFileBytes = std::uint64_t{128} << 20;
inline constexpr int kDeepestTmxNesting = 16;

// The map file contents (version "VX02") the TMX text describes; the tile set path is
// the one the export kept, empty when the TMX has none.
Result<MapFileContents> ParseTmx(std::span<const std::uint8_t> text);

} // namespace tessivar
