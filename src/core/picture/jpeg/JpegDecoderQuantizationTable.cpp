#include "core/picture/jpeg/JpegDecoderQuantizationTable.h"

#include <cmath>
#include <numbers>

namespace tessivar {

namespace {

constexpr std::array<std::uint8_t, 64> BuildZigZag() {
    std::array<std::uint8_t, 64> order{};
    int row = 0;
    int column = 0;
    for (int i = 0; i < 64; ++i) {
        order[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(row * 8 + column);
        if ((row + column) % 2 == 0) { // moving up and to the right
            if (column == 7)
                ++row;
            else if (row == 0)
                ++column;
            else {
                --row;
                ++column;
            }
        } else { // moving down and to the left
            if (row == 7)
                ++column;
            else if (column == 0)
                ++row;
            else {
                ++row;
                --column;
            }
        }
    }
    return order;
}

} // namespace

const std::array<std::uint8_t, 64> kJpegZigZagToNatural = BuildZigZag();

void JpegDecoderQuantizationTable::Define(const std::array<std::uint16_t, 64>& zigZagValues) {
    values_ = zigZagValues;
    std::array<double, 8> factor{};
    factor[0] = 1.0;
    for (int k = 1; k < 8; ++k)
        factor[static_cast<std::size_t>(k)] = std::sqrt(2.0) * std::cos(k * std::numbers::pi / 16);
    for (std::size_t i = 0; i < 64; ++i) {
        const std::size_t natural = kJpegZigZagToNatural[i];
        const double value = zigZagValues[i] * factor[natural / 8] * factor[natural % 8] / 8.0;
        integerScaled_[natural] = static_cast<std::int32_t>(value * (1 << kFractionBits));
    }
    defined_ = true;
}

} // namespace tessivar
