#pragma once

// The map editor's "Bitmap" export: the save dialog, then the map picture.

#include "core/model/MapDocument.h"
#include "core/model/TileSet.h"
#include "core/workspace/UserPrompts.h"

namespace tessivar {

inline constexpr const char* kMapPictureFilter =
    "Bitmap File (*.bmp)|*.bmp|PNG Picture (*.png)|*.png|All Files (*.*)|*.*";

// Asks for a file (the dialog asks before overwriting) and writes the picture, as PNG
// when the name ends in ".png". A failure is reported as "File Error" with the file and
// the reason. The map is not changed. True when a picture was written.
bool ExportMapPicture(const TileSet& tileSet, const MapGrid& grid, UserPrompts& prompts);

} // namespace tessivar
