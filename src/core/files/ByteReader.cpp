#include "core/files/ByteReader.h"

#include <algorithm>

namespace tessivar {

std::string ByteReader::FixedString(std::size_t fieldSize) {
    const auto field = Bytes(fieldSize);
    if (field.empty())
        return {};
    // The text ends at the first NUL, and never runs past the field's last byte but one.
    const auto limit = field.begin() + static_cast<std::ptrdiff_t>(fieldSize - 1);
    const auto end = std::find(field.begin(), limit, std::uint8_t{0});
    return std::string(field.begin(), end);
}

} // namespace tessivar
