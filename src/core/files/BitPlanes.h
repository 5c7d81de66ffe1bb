#pragma once

// The bit planes of a Block, as both the assembler source and the raw tile binaries
// store tile pixels.

#include "core/model/BlockGeometry.h"

#include <cstdint>

namespace tessivar {

class TileSet;

// One bit plane of the Block whose first Tile is b: for each row, TilesAcross bytes,
// pixel 8j in bit 7 of byte j down to pixel 8j + 7 in bit 0; the bit is `planeMask` (2 or
// 1) of the ColorIndex. Columns right of the Block in its last Tile column carry the
// stored pixels when `storedBeyondBlock`, zero bits otherwise. Tiles past the last slot
// read as empty. Writes TilesAcross x height bytes to `out`.
void WriteBitPlane(const TileSet& tileSet, BlockSize block, int b, int planeMask,
                   bool storedBeyondBlock, std::uint8_t* out);

} // namespace tessivar
