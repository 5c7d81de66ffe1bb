#pragma once

// Storing the Tiles of a tile sheet: as the picture import stores a picture's (from
// CurrentTile on, over or before the Tiles there, duplicates removed by the mode, a map
// of the sheet when asked), except that the set's palettes stay as they are, since the
// sheet's pixels are ColorIndex values already.

#include "core/imageimport/ImageImport.h"
#include "core/model/BlockGeometry.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace tessivar {

// The rows of a sheet picture from the top: palette indexes (one byte a pixel) or colours
// (blue, green, red).
struct TileSheetRows {
    int Width = 0;
    int Height = 0;
    bool Indexed = false;
    std::function<Status(std::span<std::uint8_t>)> Next;
};

// The rows of the picture at `path`: a PNG picture whose palette has at most four
// colours gives its indexes, any other picture its colours. Failures come without the
// path.
Result<TileSheetRows> OpenTileSheet(const std::string& path);

// Cuts the sheet into Tiles for `block` (TileSheetCutter); with the Block count the sheet
// records, only those Blocks (the rest of its last row is padding). Refuses a sheet of
// more than `maxTiles` Tiles before reading a row.
Result<ConvertedPicture> CutTileSheet(TileSheetRows& rows, BlockSize block, std::size_t maxTiles,
                                      std::optional<int> recordedBlocks);

// `cut` comes from CutTileSheet for `block`. Duplicate removal and a map work on
// 8 x 8 Tiles, so other Blocks take neither. The summary's change is for the caller to
// apply.
Result<ImportSummary> ImportTileSheet(const ImportTarget& target, const ConvertedPicture& cut,
                                      BlockSize block, const ImportOptions& options);

} // namespace tessivar
