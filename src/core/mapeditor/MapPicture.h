#pragma once

// The map as one picture of 8 x 8 pixels per cell: each cell shows the first Tile of its
// Block in palette set 0 and the cell's palette, mirrored within its own square as the
// cell's flips say. The picture is written a strip of one cell row at a time through the
// atomic file, as a 24-bit Windows bitmap or as an indexed PNG picture whose palette
// holds the colours in use, at the smallest bit depth they allow.

#include "core/model/MapDocument.h"
#include "core/model/TileSet.h"
#include "core/util/Result.h"

#include <string>

namespace tessivar {

class AtomicFile;

enum class PictureFormat { Bitmap, Png };

// Png for a name ending in ".png" (any case), Bitmap otherwise.
PictureFormat PictureFormatFor(const std::string& path);

// Writes the picture of `grid` to `path`. A bitmap that would reach 4 GiB is refused
// before a cell is read; on any failure no file is left behind.
Status WriteMapPicture(const TileSet& tileSet, const MapGrid& grid, const std::string& path,
                       PictureFormat format);
// The same picture into a file the caller commits (as one output of several).
Status WriteMapPicture(const TileSet& tileSet, const MapGrid& grid, AtomicFile& file,
                       PictureFormat format);

} // namespace tessivar
