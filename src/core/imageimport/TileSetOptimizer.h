#pragma once

#include "core/workspace/Workspace.h"

#include <string>

namespace tessivar {

// "Optimize...": removes every Tile whose 64 bytes equal an earlier Tile's (palettes are
// not compared; the kept Tile keeps its own), moves the rest down in order and renumbers
// the map so it shows the same pictures. Returns the number of Tiles removed; when it is
// not 0 the set is marked modified, and the map too when a cell changed.
int OptimizeTileSet(Workspace& workspace);

// What the status bar says afterwards, from the tile count before and the Tiles removed:
// "Optimize: 4 duplicate Tiles removed (193 → 189)" or "Optimize: no duplicate Tiles".
std::string OptimizeStatusText(int countBefore, int removed);

} // namespace tessivar
