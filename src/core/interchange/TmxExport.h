#pragma once

// A map for the general tile map editor: the TMX file (layout in TmxMap.h) with one
// sheet per palette that the map's cells use, each written beside the TMX file. The
// sheets' Tiles carry the tile set's information values as typed properties and
// animated Tiles their animation chain as frames.

#include "core/model/MapDocument.h"
#include "core/model/TileSet.h"
#include "core/util/Result.h"

#include <functional>

#include <string>
#include <vector>

namespace tessivar {

class AtomicFile;

// Refuses a map whose cells a TMX file cannot give back as they are: a palette above
// 7, a flip other than 0 or 1, or a Tile past the last Tile slot. The reason names the
// first such cell.
Status CheckTmxCells(const MapGrid& grid);

// The number of Tiles on each sheet: the Tiles in use, and at least up to the highest
// Tile a cell shows.
int TmxSheetTileCount(const TileSet& tileSet, const MapGrid& grid);

// The TMX text of the map; `tileSetPath` is kept as a map property so that the map file
// can be written back unchanged. The sheets are named as TmxSheetPath gives for
// `tmxPath`, relative to it.
Result<std::string> MakeTmxDocument(const TileSet& tileSet, const MapGrid& grid,
                                    const std::string& tileSetPath, const std::string& tmxPath);

// Gives the file to write for a path, or why it cannot be written.
using TmxOutputOpener = std::function<Result<AtomicFile*>(const std::string& path)>;

// Writes the sheets and then the TMX text into the files `open` gives for their paths;
// the caller replaces the targets once every file is complete.
Status ExportTmx(const TileSet& tileSet, const MapGrid& grid, const std::string& tileSetPath,
                 const std::string& tmxPath, const TmxOutputOpener& open);

} // namespace tessivar
