#pragma once

// Storing the Tiles of a tile sheet: as the picture import stores a picture's (from
// CurrentTile on, over or before the Tiles there, duplicates removed by the mode, a map
// of the sheet when asked), except that the set's palettes stay as they are, since the
// sheet's pixels are ColorIndex values already.

#include "core/imageimport/ImageImport.h"
#include "core/model/BlockGeometry.h"

namespace tessivar {

// `cut` comes from TileSheetCutter for `block`. Duplicate removal and a map work on
// 8 x 8 Tiles, so other Blocks take neither.
Result<ImportSummary> ImportTileSheet(Workspace& workspace, const ConvertedPicture& cut,
                                      BlockSize block, const ImportOptions& options);

} // namespace tessivar
