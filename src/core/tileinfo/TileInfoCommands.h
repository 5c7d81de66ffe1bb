#pragma once

// The edits of the custom information grid and the Tile Information dialog. Each one
// that stores something marks the tile set modified and announces TileInfoChanged, so
// both grids repaint and the change is saved with the set.

#include "core/model/DocumentChange.h"
#include "core/model/TileEditorState.h"
#include "core/model/TileSet.h"

#include <string>
#include <string_view>

namespace tessivar {

// The in-place editor of the grid's value column changed its text: stores the value of
// `category` for CurrentTile by the category's type. False when nothing was stored
// (Boolean and unknown types, a row outside the table): an empty change.
DocumentChange EditTileInfoValue(TileSet& tileSet, const TileEditorState& editing, int category,
                                 std::string_view text);

// The grid's "&false" / "&true" pop-up on a Boolean row; other rows are left alone.
DocumentChange SetBooleanTileInfo(TileSet& tileSet, const TileEditorState& editing, int category,
                                  bool value);

// Rows 3 and later below the category count: the ones the user may rename and retype.
bool IsUserCategory(const TileSet& tileSet, int row);

// The dialog lists every category and, while fewer than 64 exist, one empty row below
// them that adds a category when a name is typed into it.
bool OffersNewCategoryRow(const TileSet& tileSet);
int CategoryDialogRows(const TileSet& tileSet);

// The text the dialog's name editor opens with: the name of a user category, else empty.
std::string CategoryNameEditorText(const TileSet& tileSet, int row);

// The dialog's name editor changed its text in `row`. The new-category row first adds a
// category of type Word; the name is cut to 15 characters. Rows 0..2 and rows past the
// table store nothing (an empty change).
DocumentChange EditCategoryName(TileSet& tileSet, int row, std::string_view text);

// The dialog's type pop-up: sets the type code of a user category (nothing for others).
DocumentChange SetCategoryType(TileSet& tileSet, int row, CategoryType type);

} // namespace tessivar
