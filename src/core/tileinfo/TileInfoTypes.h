#pragma once

// How each category type shows and stores a Tile's information value. The type codes
// are stored per category (and as one byte in the file); codes other than the four
// known ones can only come from a file: such values show empty and cannot be edited.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/model/TileSet.h"

namespace tessivar {

// Rows 0..2 of the category table drive tile animation; the user cannot rename or
// retype them.
constexpr int kAnimatedCategory = 0;
constexpr int kAnimNextCategory = 1;
constexpr int kAnimDelayCategory = 2;
constexpr int kBuiltInCategories = 3;

bool IsKnownCategoryType(CategoryType type);

// "Boolean", "Byte", "Word", "Time"; empty for other codes.
std::string CategoryTypeName(CategoryType type);

// A value as the custom information grid shows it: "false" / "true", "%u", or "%d ms";
// empty for other codes.
std::string FormatTileInfoValue(CategoryType type, std::int32_t value);

// The text the in-place editor opens with: "%d" of the stored value, for every type.
std::string TileInfoEditorText(std::int32_t value);

// The value an edited text stores: Byte keeps the low 8 bits, Word the low 16, Time the
// whole number. Boolean rows are set from their pop-up and other codes store nothing:
// nullopt.
std::optional<std::int32_t> EditedTileInfoValue(CategoryType type, std::string_view text);

} // namespace tessivar
