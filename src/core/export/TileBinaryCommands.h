#pragma once

// The tile editor's "Tile binary" export and "Tile binaries" import, with their file
// dialogs and messages.

#include "core/model/DocumentChange.h"
#include "core/model/TileEditorState.h"
#include "core/model/TileSet.h"

namespace tessivar {

class UserPrompts;

void ExportTileBinaryCommand(const TileSet& tileSet, UserPrompts& prompts);
// Reads Tiles into the slots from CurrentTile on; the set is modified once a Tile is read.
DocumentChange ImportTileBinariesCommand(TileSet& tileSet, const TileEditorState& editing,
                                         UserPrompts& prompts);

} // namespace tessivar
