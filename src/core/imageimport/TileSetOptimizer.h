#pragma once

#include "core/workspace/Workspace.h"

namespace tessivar {

// "Optimize...": removes every Tile whose 64 bytes equal an earlier Tile's (palettes are
// not compared; the kept Tile keeps its own), moves the rest down in order and renumbers
// the map so it shows the same pictures. Returns the number of Tiles removed; when it is
// not 0 the set is marked modified, and the map too when a cell changed.
int OptimizeTileSet(Workspace& workspace);

} // namespace tessivar
