#pragma once

// Storing a converted picture into the tile set: cutting it into Tiles, removing
// duplicates, placing them at CurrentTile and, when asked, replacing the map with a map
// of the picture.

#include "core/imageimport/DuplicateRemoval.h"
#include "core/imageimport/PictureConversion.h"
#include "core/imageimport/TileCutter.h"
#include "core/model/DocumentChange.h"
#include "core/model/MapDocument.h"
#include "core/model/TileRemap.h"
#include "core/model/TileSet.h"

#include <functional>

#include <vector>

namespace tessivar {

struct ImportOptions {
    DuplicateMode Mode = DuplicateMode::Full;
    bool CreateMap = true;
    bool Overwrite = false;
    // Tiles equal to one of the set's Tiles in use are shown through it, not stored.
    bool Reuse = false;
};

struct ImportSummary {
    bool Cancelled = false; // the map's save question was cancelled: nothing changed
    std::size_t TilesCut = 0;
    std::size_t TilesKept = 0;
    int FirstSlot = 0;
    int MapWidth = 0; // 0 when no map was made
    int MapHeight = 0;
    DocumentChange Change; // what the import modified and touched
};

// Where an import stores its Tiles: the documents it changes, the first slot, and the
// palette and palette set the Tiles take. With a new map, `MayReplaceMap` is asked once
// the picture is cut and before anything changes (the map's save question); none is yes.
struct ImportTarget {
    TileSet& Destination;
    MapDocument& Map;
    int FirstTile = 0;
    int Palette = 0;
    int PaletteSet = 0;
    std::function<bool()> MayReplaceMap;
};

inline constexpr const char* kImportErrorCaption = "Import Error";

// Refuses (with the reason, before anything changes) a picture whose Tiles would reach
// past the last slot. With `CreateMap` the map's question comes first; a no leaves
// everything as it was. The tile set is modified, and the map whenever a cell changes.
Result<ImportSummary> ImportConvertedImage(const ImportTarget& target,
                                           const ConvertedPicture& picture,
                                           const ImportOptions& options);

// The same for a picture converted as its rows are read: rows are converted, cut and
// de-duplicated as they come, and the capacity refusal comes as soon as the Tiles kept
// pass the free slots, without reading the rest. Memory follows the result (the Tiles
// kept and, with a map, its cells), not the picture. A read failure comes back as it is.
Result<ImportSummary> ImportPicture(const ImportTarget& target, PictureReader& source,
                                    const ConversionSettings& settings,
                                    const ImportOptions& options);

} // namespace tessivar
