#pragma once

// What the map's TMX form fixes, shared by its writer and its reader: an orthogonal map
// of 8 x 8 tiles in which each palette of the map's cells has its own tileset, named
// "palette p", over a sheet of the Tiles drawn in that palette, 16 a row. The tilesets
// follow each other in tile numbers as the general editor numbers them (each starts
// where the one before ends, the first at 1), so a cell's tile number minus the first
// number of its tileset is its Tile; flips sit in the number's two highest bits.

#include <cstdint>
#include <string>

namespace tessivar {

inline constexpr std::uint32_t kTmxHFlipBit = 0x80000000u;
inline constexpr std::uint32_t kTmxVFlipBit = 0x40000000u;
// Bits the general editor uses for rotation; the map's cells cannot hold them.
inline constexpr std::uint32_t kTmxOtherFlagBits = 0x30000000u;
inline constexpr std::uint32_t kTmxTileBits = 0x0FFFFFFFu;

inline constexpr int kTmxPalettes = 8;
inline constexpr int kTmxSheetColumns = 16;
// The map property holding the map file's tile set path.
inline constexpr const char* kTmxTileSetProperty = "tileSet";

// "palette P".
std::string TmxTilesetName(int palette);

// The sheet of `palette` beside the TMX file: "LEVEL.tmx" gives "LEVEL-palette3.png".
std::string TmxSheetPath(const std::string& tmxPath, int palette);

} // namespace tessivar
