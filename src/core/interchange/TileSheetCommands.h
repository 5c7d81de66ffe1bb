#pragma once

// The tile editor's "Tile sheet (PNG)..." export, with its file dialog and messages.

namespace tessivar {

class Workspace;
class UserPrompts;

// Writes the Blocks of the current size in the palette box's palette. True when a sheet
// was written.
bool ExportTileSheetCommand(Workspace& workspace, UserPrompts& prompts);

} // namespace tessivar
