#include "core/tileinfo/TileInfoTypes.h"

#include "core/model/LenientInteger.h"
#include "core/model/TileSet.h"

namespace tessivar {

bool IsKnownCategoryType(CategoryType type) {
    return type >= CategoryType::Boolean && type <= CategoryType::Time;
}

std::string CategoryTypeName(CategoryType type) {
    switch (type) {
    case CategoryType::Boolean:
        return "Boolean";
    case CategoryType::Byte:
        return "Byte";
    case CategoryType::Word:
        return "Word";
    case CategoryType::Time:
        return "Time";
    default:
        return {};
    }
}

std::string FormatTileInfoValue(CategoryType type, std::int32_t value) {
    switch (type) {
    case CategoryType::Boolean:
        return value != 0 ? "true" : "false";
    case CategoryType::Byte:
    case CategoryType::Word:
        return std::to_string(static_cast<std::uint32_t>(value));
    case CategoryType::Time:
        return std::to_string(value) + " ms";
    default:
        return {};
    }
}

std::string TileInfoEditorText(std::int32_t value) {
    return std::to_string(value);
}

std::optional<std::int32_t> EditedTileInfoValue(CategoryType type, std::string_view text) {
    const std::int32_t number = ParseLenientInteger(text);
    switch (type) {
    case CategoryType::Byte:
        return number & 0xFF;
    case CategoryType::Word:
        return number & 0xFFFF;
    case CategoryType::Time:
        return number;
    default:
        return std::nullopt;
    }
}

} // namespace tessivar
