#include "core/tileinfo/TileInfoTypes.h"

#include "core/model/LenientInteger.h"
#include "core/model/TileSet.h"

namespace tessivar {

bool IsKnownCategoryType(int type) {
    return type >= static_cast<int>(CategoryType::Boolean) &&
           type <= static_cast<int>(CategoryType::Time);
}

std::string CategoryTypeName(int type) {
    switch (type) {
    case static_cast<int>(CategoryType::Boolean):
        return "Boolean";
    case static_cast<int>(CategoryType::Byte):
        return "Byte";
    case static_cast<int>(CategoryType::Word):
        return "Word";
    case static_cast<int>(CategoryType::Time):
        return "Time";
    default:
        return {};
    }
}

std::string FormatTileInfoValue(int type, std::int32_t value) {
    switch (type) {
    case static_cast<int>(CategoryType::Boolean):
        return value != 0 ? "true" : "false";
    case static_cast<int>(CategoryType::Byte):
    case static_cast<int>(CategoryType::Word):
        return std::to_string(static_cast<std::uint32_t>(value));
    case static_cast<int>(CategoryType::Time):
        return std::to_string(value) + " ms";
    default:
        return {};
    }
}

std::string TileInfoEditorText(std::int32_t value) {
    return std::to_string(value);
}

std::optional<std::int32_t> EditedTileInfoValue(int type, std::string_view text) {
    const std::int32_t number = ParseLenientInteger(text);
    switch (type) {
    case static_cast<int>(CategoryType::Byte):
        return number & 0xFF;
    case static_cast<int>(CategoryType::Word):
        return number & 0xFFFF;
    case static_cast<int>(CategoryType::Time):
        return number;
    default:
        return std::nullopt;
    }
}

} // namespace tessivar
