#pragma once

// The tile editor's "Tile sheet (PNG)..." export and import, with their file dialogs and
// messages.

#include "core/interchange/TileSheetImport.h"
#include "core/model/TileEditorState.h"

#include <functional>
#include <string>

namespace tessivar {

class UserPrompts;

// Writes the Blocks of the current size in the palette box's palette. True when a sheet
// was written.
bool ExportTileSheetCommand(const TileSet& tileSet, const TileEditorState& editing,
                            UserPrompts& prompts);

// Opens a picture's rows.
using TileSheetOpener = std::function<Result<TileSheetRows>(const std::string& path)>;

// Asks for a sheet, cuts it into Blocks of the current size and stores its Tiles from
// CurrentTile on, over the Tiles there or before them; a failure is reported as "Import
// Error" and changes nothing. Returns what was stored: nothing at all after a cancel or a
// failure.
DocumentChange ImportTileSheetCommand(TileSet& tileSet, const TileEditorState& editing,
                                      MapDocument& map, UserPrompts& prompts, bool overwrite,
                                      const TileSheetOpener& open);

} // namespace tessivar
