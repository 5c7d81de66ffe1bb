#include "core/tileinfo/TileInfoCommands.h"

#include "core/tileinfo/TileInfoTypes.h"

namespace tessivar {

namespace {

bool isCategoryRow(const TileSet& tileSet, int row) {
    return row >= 0 && row < tileSet.categoryCount;
}

constexpr DocumentChange kInfoEdited{TileInfoChanged, true};

DocumentChange storeForCurrentTile(TileSet& tileSet, const EditingState& editing, int category,
                                   std::int32_t value) {
    const int tile = editing.CurrentTile;
    if (tile < 0 || tile >= kMaxTiles)
        return {};
    tileSet.tileInfo[tile][category] = value;
    return kInfoEdited;
}

} // namespace

DocumentChange EditTileInfoValue(TileSet& tileSet, const EditingState& editing, int category,
                                 std::string_view text) {
    if (!isCategoryRow(tileSet, category))
        return {};
    const auto value = EditedTileInfoValue(tileSet.categories[category].type, text);
    return value ? storeForCurrentTile(tileSet, editing, category, *value) : DocumentChange{};
}

DocumentChange SetBooleanTileInfo(TileSet& tileSet, const EditingState& editing, int category,
                                  bool value) {
    if (!isCategoryRow(tileSet, category) ||
        tileSet.categories[category].type != static_cast<int>(CategoryType::Boolean))
        return {};
    return storeForCurrentTile(tileSet, editing, category, value ? 1 : 0);
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

DocumentChange EditCategoryName(TileSet& tileSet, int row, std::string_view text) {
    const bool newRow = row == tileSet.categoryCount && OffersNewCategoryRow(tileSet);
    if (row < kBuiltInCategories || (!newRow && !IsUserCategory(tileSet, row)))
        return {};
    if (newRow) {
        // The new category's values are whatever its slot holds already.
        tileSet.categories[row].type = static_cast<int>(CategoryType::Word);
        ++tileSet.categoryCount;
    }
    tileSet.categories[row].setName(std::string(text));
    return kInfoEdited;
}

DocumentChange SetCategoryType(TileSet& tileSet, int row, int type) {
    if (!IsUserCategory(tileSet, row) || !IsKnownCategoryType(type))
        return {};
    tileSet.categories[row].type = type;
    return kInfoEdited;
}

} // namespace tessivar
