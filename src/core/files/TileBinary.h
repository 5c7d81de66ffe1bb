#pragma once

// Raw tile bitmaps without a header. The export writes every Block as two whole planes
// (bit 1, then bit 0); the import reads 8x8 Tiles of 16 bytes, each row as a bit-0 byte
// followed by a bit-1 byte.

#include "core/util/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessivar {

class TileSet;

// The filter of both file dialogs.
inline constexpr const char* kTileBinaryFilter = "Tile Binary (*.bin)|*.bin";

// The export's bytes: Blocks b = 0, TilesPerBlock, ... while b < tile count, each as its
// bit-1 plane then its bit-0 plane, rows of TilesAcross bytes. The last Tile column of a
// Block narrower than its Tiles carries the stored pixels beyond the Block.
std::vector<std::uint8_t> SerializeTileBinary(const TileSet& tileSet);
Status ExportTileBinary(const TileSet& tileSet, const std::string& path);

struct TileBinaryImport {
    int TilesInFile = 0; // file length div 16
    int TilesRead = 0;   // fewer when the slots ran out before the file did
};

// Overwrites Tiles from `firstTile` on with the 16-byte Tiles of `data`, stopping at the
// last Tile slot. Palettes, information values and the tile count stay as they are.
TileBinaryImport ImportTileBinary(std::span<const std::uint8_t> data, int firstTile,
                                  TileSet& tileSet);

} // namespace tessivar
