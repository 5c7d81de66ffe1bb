#include "core/tileinfo/TileInfoCommands.h"

#include "core/tileinfo/TileInfoTypes.h"

namespace tessivar {

namespace {

bool IsCategoryRow(const TileSet& tileSet, int row) {
    return row >= 0 && row < tileSet.CategoryCount;
}

constexpr DocumentChange kInfoEdited{TileInfoChanged, true};

DocumentChange StoreForCurrentTile(TileSet& tileSet, const TileEditorState& editing, int category,
                                   std::int32_t value) {
    const int tile = editing.CurrentTile;
    if (tile < 0 || tile >= kMaxTiles)
        return {};
    tileSet.TileInfo[tile][category] = value;
    return kInfoEdited;
}

} // namespace

DocumentChange EditTileInfoValue(TileSet& tileSet, const TileEditorState& editing, int category,
                                 std::string_view text) {
    if (!IsCategoryRow(tileSet, category))
        return {};
    const auto value = EditedTileInfoValue(tileSet.Categories[category].Type, text);
    return value ? StoreForCurrentTile(tileSet, editing, category, *value) : DocumentChange{};
}

DocumentChange SetBooleanTileInfo(TileSet& tileSet, const TileEditorState& editing, int category,
                                  bool value) {
    if (!IsCategoryRow(tileSet, category) ||
        tileSet.Categories[category].Type != CategoryType::Boolean)
        return {};
    return StoreForCurrentTile(tileSet, editing, category, value ? 1 : 0);
}

bool IsUserCategory(const TileSet& tileSet, int row) {
    return row >= kBuiltInCategories && row < tileSet.CategoryCount;
}

bool OffersNewCategoryRow(const TileSet& tileSet) {
    return tileSet.CategoryCount < kMaxCategories;
}

int CategoryDialogRows(const TileSet& tileSet) {
    return tileSet.CategoryCount + (OffersNewCategoryRow(tileSet) ? 1 : 0);
}

std::string CategoryNameEditorText(const TileSet& tileSet, int row) {
    return IsUserCategory(tileSet, row) ? tileSet.Categories[row].NameText() : std::string();
}

DocumentChange EditCategoryName(TileSet& tileSet, int row, std::string_view text) {
    const bool newRow = row == tileSet.CategoryCount && OffersNewCategoryRow(tileSet);
    if (row < kBuiltInCategories || (!newRow && !IsUserCategory(tileSet, row)))
        return {};
    if (newRow) {
        // The new category's values are whatever its slot holds already.
        tileSet.Categories[row].Type = CategoryType::Word;
        ++tileSet.CategoryCount;
    }
    tileSet.Categories[row].SetName(std::string(text));
    return kInfoEdited;
}

DocumentChange SetCategoryType(TileSet& tileSet, int row, CategoryType type) {
    if (!IsUserCategory(tileSet, row) || !IsKnownCategoryType(type))
        return {};
    tileSet.Categories[row].Type = type;
    return kInfoEdited;
}

} // namespace tessivar
