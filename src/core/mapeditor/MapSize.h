#pragma once

// The map editor's size panel and its Map Size dialog.

#include "core/mapeditor/MapHistory.h"
#include "core/util/Result.h"
#include "core/workspace/UserPrompts.h"

#include <string>

namespace tessivar {

// The size panel's "Change": the map is modified before the dialog opens, whether or not
// the size then changes.
DocumentChange BeginMapSizeChange();

// The Map Size dialog's checks in their order; the first that fails gives the message.
Status CheckMapSize(int rows, int columns);

// The dialog's "Change" with the texts of its "Row" and "Col" fields, read leniently. A
// refused size shows its message and returns false; an accepted one keeps the map's
// top-left part, as one step of `history`, which announces it.
bool ApplyMapSize(MapDocument& map, UserPrompts& prompts, MapHistory& history,
                  const std::string& rowText, const std::string& columnText);

} // namespace tessivar
