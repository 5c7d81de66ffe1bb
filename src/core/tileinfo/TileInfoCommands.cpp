#include "core/tileinfo/TileInfoCommands.h"

#include "core/tileinfo/TileInfoTypes.h"

namespace tessivar {

namespace {

bool isCategoryRow(const TileSet& tileSet, int row) {
    return row >= 0 && row < tileSet.categoryCount;
}

bool storeForCurrentTile(Workspace& workspace, int category, std::int32_t value) {
    const int tile = workspace.editing.CurrentTile;
    if (tile < 0 || tile >= kMaxTiles)
        return false;
    workspace.tileSet.tileInfo[tile][category] = value;
    workspace.MarkModified();
    workspace.notify(TileInfoChanged);
    return true;
}

} // namespace

bool EditTileInfoValue(Workspace& workspace, int category, std::string_view text) {
    if (!isCategoryRow(workspace.tileSet, category))
        return false;
    const auto value = EditedTileInfoValue(workspace.tileSet.categories[category].type, text);
    return value && storeForCurrentTile(workspace, category, *value);
}

bool SetBooleanTileInfo(Workspace& workspace, int category, bool value) {
    if (!isCategoryRow(workspace.tileSet, category) ||
        workspace.tileSet.categories[category].type != static_cast<int>(CategoryType::Boolean))
        return false;
    return storeForCurrentTile(workspace, category, value ? 1 : 0);
}

bool IsUserCategory(const TileSet& tileSet, int row) {
    return row >= kBuiltInCategories && row < tileSet.categoryCount;
}

bool OffersNewCategoryRow(const TileSet& tileSet) {
    return tileSet.categoryCount < kMaxCategories;
}

int CategoryDialogRows(const TileSet& tileSet) {
    return tileSet.categoryCount + (OffersNewCategoryRow(tileSet) ? 1 : 0);
}

std::string CategoryNameEditorText(const TileSet& tileSet, int row) {
    return IsUserCategory(tileSet, row) ? tileSet.categories[row].nameText() : std::string();
}

bool EditCategoryName(Workspace& workspace, int row, std::string_view text) {
    TileSet& tileSet = workspace.tileSet;
    const bool newRow = row == tileSet.categoryCount && OffersNewCategoryRow(tileSet);
    if (row < kBuiltInCategories || (!newRow && !IsUserCategory(tileSet, row)))
        return false;
    if (newRow) {
        // The new category's values are whatever its slot holds already.
        tileSet.categories[row].type = static_cast<int>(CategoryType::Word);
        ++tileSet.categoryCount;
    }
    tileSet.categories[row].setName(std::string(text));
    workspace.MarkModified();
    workspace.notify(TileInfoChanged);
    return true;
}

bool SetCategoryType(Workspace& workspace, int row, int type) {
    if (!IsUserCategory(workspace.tileSet, row) || !IsKnownCategoryType(type))
        return false;
    workspace.tileSet.categories[row].type = type;
    workspace.MarkModified();
    workspace.notify(TileInfoChanged);
    return true;
}

} // namespace tessivar
