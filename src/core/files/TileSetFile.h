#pragma once

#include "core/model/TileSet.h"
#include "core/util/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessivar {

constexpr int kPathFieldBytes = 256;

// The largest tile set file: "VX03" with every Tile slot and every category in use.
constexpr std::uint64_t kLargestTileSetFileBytes =
    4 + kPathFieldBytes + kPaletteSets * kPalettesPerSet * kColorsPerPalette * kComponentsPerColor +
    2 + std::uint64_t{kMaxTiles} * (kTileBytes + 2) + 1 +
    std::uint64_t{kMaxCategories} * (kCategoryNameBytes + 1 + 4 * kMaxTiles);

// Everything a tile set file holds, parsed and checked, not yet applied.
struct TileSetFileContents {
    std::string Version;       // "VX01", "VX02" or "VX03"
    std::string AssociatedMap; // "VX03" only; empty means none
    PaletteTable Palettes{};
    int TileCount = 0;
    std::vector<Tile> Tiles;
    std::vector<int> TilePalette;
    std::vector<int> TilePaletteSet;
    bool HasCategories = false; // "VX02" and "VX03"
    std::vector<TileInfoCategory> Categories;
    std::vector<std::vector<std::int32_t>> Values; // [category][tile], as stored on disk
};

// Whether the data starts with one of the three tile set magics.
bool HasTileSetMagic(std::span<const std::uint8_t> data);

// Parses a whole tile set file. A refused file is reported with its reason and never
// half-applied: nothing but the returned value is touched.
Result<TileSetFileContents> ParseTileSetFile(std::span<const std::uint8_t> data);

// Moves parsed contents into the tile set. Slots at and above the file's tile count
// keep what they held; a "VX01" file leaves the categories and their values alone.
void ApplyTileSetFile(const TileSetFileContents& contents, TileSet& tileSet);

// The current version ("VX03") of the tile set, naming its map; refused when the map
// path does not fit its field.
Result<std::vector<std::uint8_t>> SerializeTileSet(const TileSet& tileSet,
                                                   const std::string& mapPath);

// Refuses a path that cannot be stored with its NUL in a 256-byte field.
Status CheckPathFitsField(const std::string& path, const std::string& whatPath);

} // namespace tessivar
