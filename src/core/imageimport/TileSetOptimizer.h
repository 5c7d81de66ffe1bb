#pragma once

#include "core/model/DocumentChange.h"
#include "core/model/MapDocument.h"
#include "core/model/TileSet.h"

#include <string>

namespace tessivar {

struct OptimizeSummary {
    int Removed = 0;
    DocumentChange Change;
};

// "Optimize...": removes every Tile whose 64 bytes equal an earlier Tile's (palettes are
// not compared; the kept Tile keeps its own), moves the rest down in order and renumbers
// the map so it shows the same pictures. When Tiles were removed the set is modified, and
// the map too when a cell changed.
OptimizeSummary OptimizeTileSet(TileSet& tileSet, MapGrid& map);

// What the status bar says afterwards, from the tile count before and the Tiles removed:
// "Optimize: 4 duplicate Tiles removed (193 → 189)" or "Optimize: no duplicate Tiles".
std::string OptimizeStatusText(int countBefore, int removed);

} // namespace tessivar
