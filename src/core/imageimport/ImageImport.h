#pragma once

// Storing a converted picture into the tile set: cutting it into Tiles, removing
// duplicates, placing them at CurrentTile and, when asked, replacing the map with a map
// of the picture.

#include "core/imageimport/DuplicateRemoval.h"
#include "core/imageimport/PictureConversion.h"
#include "core/imageimport/TileCutter.h"
#include "core/model/TileRemap.h"
#include "core/workspace/Workspace.h"

#include <vector>

namespace tessivar {

struct ImportOptions {
    DuplicateMode mode = DuplicateMode::Full;
    bool createMap = true;
    bool overwrite = false;
};

struct ImportSummary {
    bool cancelled = false; // the map's save question was cancelled: nothing changed
    std::size_t tilesCut = 0;
    std::size_t tilesKept = 0;
    int firstSlot = 0;
    int mapWidth = 0; // 0 when no map was made
    int mapHeight = 0;
};

inline constexpr const char* kImportErrorCaption = "Import Error";

// Refuses (with the reason, before anything changes) a picture whose Tiles would reach
// past the last slot. With `createMap` the map's save question comes first; its Cancel
// leaves everything as it was. Sets Modified, and MapModified whenever the map changes.
Result<ImportSummary> ImportConvertedImage(Workspace& workspace, const ConvertedPicture& picture,
                                           const ImportOptions& options);

// The same for a picture converted as its rows are read: rows are converted, cut and
// de-duplicated as they come, and the capacity refusal comes as soon as the Tiles kept
// pass the free slots, without reading the rest. Memory follows the result (the Tiles
// kept and, with a map, its cells), not the picture. A read failure comes back as it is.
Result<ImportSummary> ImportPicture(Workspace& workspace, PictureReader& source,
                                    const ConversionSettings& settings,
                                    const ImportOptions& options);

} // namespace tessivar
