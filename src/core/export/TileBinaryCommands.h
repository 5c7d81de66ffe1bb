#pragma once

// The tile editor's "Tile binary" export and "Tile binaries" import, with their file
// dialogs and messages.

namespace tessivar {

class Workspace;
class UserPrompts;

void ExportTileBinaryCommand(Workspace& workspace, UserPrompts& prompts);
// Reads Tiles into the slots from CurrentTile on; marks the tile set modified.
void ImportTileBinariesCommand(Workspace& workspace, UserPrompts& prompts);

} // namespace tessivar
