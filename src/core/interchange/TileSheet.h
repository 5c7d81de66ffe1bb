#pragma once

// Tile sheets: the Blocks of a tile set as one indexed PNG picture of bit depth 2 whose
// pixel values are the ColorIndex values, so that any pixel editor can draw them and
// they come back exactly. Blocks run left to right, a fixed number a row, each as the
// whole Tiles it covers (TilesAcross x 8 by TilesDown x 8 pixels, so that pixels a
// Block of an odd size stores outside its edge travel too); the rest of a partial last
// row is index 0.

#include "core/files/AtomicFile.h"
#include "core/model/TileSet.h"
#include "core/util/Result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tessivar {

inline constexpr const char* kTileSheetFilter = "PNG Picture (*.png)|*.png|All Files (*.*)|*.*";

struct TileSheetLook {
    BlockSize Block;
    int Columns = 0;     // Blocks a row; 0: as many as fill 16 Tiles' width (at least 1)
    int Palette = 0;     // palette of the set below
    int PaletteSet = -1; // palette set; -1: that of Tile 0, as the tile list shows it
    bool Grey = false;   // the editor's four default greys instead of the palette
};

// The text chunk that records how many Blocks a sheet holds, so that the padding of
// its last row is not read back as Blocks.
inline constexpr const char* kTileSheetBlocksKey = "Tessivar Blocks";

// The Block count recorded in a PNG file whose first bytes are `fileStart` (the chunks
// before the pixel data); none when there is no such record.
std::optional<int> TileSheetBlockCount(std::span<const std::uint8_t> fileStart);
// The same for the file at `path` (its first 64 KiB).
std::optional<int> TileSheetBlockCountOf(const std::string& path);

// The Blocks a row the look asks for.
int TileSheetColumns(const TileSheetLook& look);

// The four colours of the sheet's palette, for ColorIndex 0..3.
std::array<Rgb, kColorsPerPalette> TileSheetPalette(const TileSet& tileSet,
                                                    const TileSheetLook& look);

// Streams the sheet of the Blocks in use into `file` (not committed). A set with no
// whole Block is refused.
Status WriteTileSheet(const TileSet& tileSet, const TileSheetLook& look, AtomicFile& file);

// The same into a new file at `path`, replaced only when every byte was written.
Status WriteTileSheet(const TileSet& tileSet, const TileSheetLook& look, const std::string& path);

} // namespace tessivar
