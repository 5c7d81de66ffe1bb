#pragma once

#include <array>
#include <cstdint>

namespace tessivar {

// One quantization table: the 64 values as stored (zig-zag order) and two derived
// tables in natural order with the inverse transform's scaling folded in, so that
// dequantisation and the transform's pre-scaling are one multiplication.
class JpegDecoderQuantizationTable {
public:
    static constexpr int kFractionBits = 12;

    // Stores the values (zig-zag order, none zero) and rebuilds the derived tables.
    void Define(const std::array<std::uint16_t, 64>& zigZagValues);

    bool IsDefined() const { return defined_; }
    const std::array<std::uint16_t, 64>& Values() const { return values_; }
    // value x s(u) x s(v) / 8 x 4096, truncated toward zero, with s(0) = 1 and
    // s(k) = sqrt(2) cos(k pi / 16).
    const std::array<std::int32_t, 64>& IntegerScaled() const { return integerScaled_; }

private:
    bool defined_ = false;
    std::array<std::uint16_t, 64> values_{};
    std::array<std::int32_t, 64> integerScaled_{};
};

// Zig-zag position -> natural (row-major) position of the 8 x 8 coefficients.
extern const std::array<std::uint8_t, 64> kJpegZigZagToNatural;

} // namespace tessivar
