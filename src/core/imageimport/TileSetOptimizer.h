#pragma once

#include "core/model/DocumentChange.h"
#include "core/model/MapDocument.h"
#include "core/model/TileSet.h"

namespace tessivar {

struct OptimizeSummary {
    int removed = 0;
    DocumentChange change;
};

// "Optimize...": removes every Tile whose 64 bytes equal an earlier Tile's (palettes are
// not compared; the kept Tile keeps its own), moves the rest down in order and renumbers
// the map so it shows the same pictures. When Tiles were removed the set is modified, and
// the map too when a cell changed.
OptimizeSummary OptimizeTileSet(TileSet& tileSet, MapGrid& map);

} // namespace tessivar
