#pragma once

// Reading a tile sheet back into Tiles, exactly: no scaling and no dithering. Pixels
// come as palette indexes 0..3 (an indexed picture of at most four colours) or as
// colours, of which there may be at most four, numbered by brightness (the lightest
// is 0). The picture is cut into Blocks left to right, top to bottom, and each Block
// into its Tiles in the order the editor numbers them.

#include "core/imageimport/PictureConversion.h"
#include "core/model/BlockGeometry.h"
#include "core/util/Result.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tessivar {

class TileSheetCutter {
public:
    // Refuses, before any row, sides that are not multiples of the Block's whole Tiles
    // and a sheet of more than `maxTiles` Tiles.
    static Result<TileSheetCutter> Start(int width, int height, BlockSize block,
                                         std::size_t maxTiles);

    // The next row from the top: `width` palette indexes, each below 4.
    Status AddIndexRow(std::span<const std::uint8_t> indexes);
    // The next row from the top: 3 x `width` bytes blue, green, red. A fifth colour is
    // refused with its position.
    Status AddColorRow(std::span<const std::uint8_t> bgr);

    // The Tiles in cutting order, as a picture whose Tiles read in that order row by row:
    // the sheet itself for 8 x 8 Blocks, else one row of Tiles. With fewer `keepTiles`
    // than the sheet holds, one row of the first `keepTiles` Tiles.
    ConvertedPicture Finish(std::size_t keepTiles = SIZE_MAX) &&;

private:
    TileSheetCutter(int width, int height, BlockSize block);
    void Store(int x, ColorIndex value);

    int width_;
    int height_;
    BlockSize block_;
    int row_ = 0;
    bool byBrightness_ = false;
    std::vector<std::uint32_t> colors_; // 0xRRGGBB in order of first appearance
    ConvertedPicture tiles_;
};

} // namespace tessivar
