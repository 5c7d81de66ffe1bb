#pragma once

// The captions of the two editor windows: the role, then the file name without folder
// and extension, or "untitled".

#include "core/model/MapDocument.h"
#include "core/model/TileEditorState.h"

#include <string>

namespace tessivar {

std::string TileEditorTitle(const TileEditorState& editing);
std::string MapEditorTitle(const MapDocument& map);

} // namespace tessivar
