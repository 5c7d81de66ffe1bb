#pragma once

#include <cstdint>

namespace tessivar {

// Dequantises one data unit and applies the separable inverse DCT in integer arithmetic
// with 12 fraction bits (AAN factorisation), then level-shifts and clamps to 0..255.
// `coefficients`: 64 values in natural order; `integerScaled`: the quantization table's
// IntegerScaled(); `samples`: 64 output samples, row-major.
void JpegInverseDct(const std::int16_t* coefficients, const std::int32_t* integerScaled,
                    std::uint8_t* samples);

} // namespace tessivar
