#pragma once

// What the map's TMX form fixes, shared by its writer and its reader: an orthogonal map
// of 8 x 8 tiles in which each palette of the map's cells has its own tileset, over a
// sheet of the Tiles drawn in that palette. The tileset of palette p is named
// "palette p" and starts at tile number 1 + 768 p, so a tile number alone tells the
// cell's palette and Tile; flips sit in the number's two highest bits.

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

// The first tile number of the tileset of `palette`.
std::uint32_t TmxFirstTileNumber(int palette);

// "palette P".
std::string TmxTilesetName(int palette);

// The sheet of `palette` beside the TMX file: "LEVEL.tmx" gives "LEVEL-palette3.png".
std::string TmxSheetPath(const std::string& tmxPath, int palette);

} // namespace tessivar
