#include "core/picture/jpeg/JpegInverseDct.h"
#include "core/picture/jpeg/JpegDecoderQuantizationTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>

namespace tessivar {
namespace {

// Forward DCT of one block (T.81 A.3.3) in double precision, natural order.
std::array<double, 64> ForwardDct(const std::array<int, 64>& samples) {
    std::array<double, 64> out{};
    for (int v = 0; v < 8; ++v)
        for (int u = 0; u < 8; ++u) {
            double sum = 0.0;
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    sum += (samples[static_cast<std::size_t>(y * 8 + x)] - 128) *
                           std::cos((2 * x + 1) * u * std::numbers::pi / 16) *
                           std::cos((2 * y + 1) * v * std::numbers::pi / 16);
            const double cu = u == 0 ? 1 / std::sqrt(2.0) : 1.0;
            const double cv = v == 0 ? 1 / std::sqrt(2.0) : 1.0;
            out[static_cast<std::size_t>(v * 8 + u)] = cu * cv * sum / 4;
        }
    return out;
}

// Exact inverse DCT (T.81 A.3.3) of the coefficients as the decoder dequantises them,
// that is with the quantization table's truncated 12-bit values, level-shifted, rounded
// and clamped.
std::array<int, 64> ExactInverse(const std::int16_t* coefficients,
                                 const JpegDecoderQuantizationTable& table) {
    std::array<double, 8> factor{};
    factor[0] = 1.0;
    for (int k = 1; k < 8; ++k)
        factor[static_cast<std::size_t>(k)] = std::sqrt(2.0) * std::cos(k * std::numbers::pi / 16);
    std::array<double, 64> dequantised{};
    for (std::size_t i = 0; i < 64; ++i)
        dequantised[i] = coefficients[i] * (table.IntegerScaled()[i] / 4096.0) * 8.0 /
                         (factor[i / 8] * factor[i % 8]);
    std::array<int, 64> out{};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            double sum = 0.0;
            for (int v = 0; v < 8; ++v)
                for (int u = 0; u < 8; ++u)
                    sum += (u == 0 ? 1 / std::sqrt(2.0) : 1.0) *
                           (v == 0 ? 1 / std::sqrt(2.0) : 1.0) *
                           dequantised[static_cast<std::size_t>(v * 8 + u)] *
                           std::cos((2 * x + 1) * u * std::numbers::pi / 16) *
                           std::cos((2 * y + 1) * v * std::numbers::pi / 16);
            out[static_cast<std::size_t>(y * 8 + x)] =
                static_cast<int>(std::clamp(std::lround(sum / 4 + 128), 0L, 255L));
        }
    return out;
}

// Encodes `samples` with quantizer `q` everywhere and returns the largest difference
// between our transform and the exact one on the same coefficients.
int TransformError(const std::array<int, 64>& samples, std::uint16_t q) {
    std::array<std::uint16_t, 64> values{};
    values.fill(q);
    JpegDecoderQuantizationTable table;
    table.Define(values);
    const auto dct = ForwardDct(samples);
    std::int16_t coefficients[64];
    for (std::size_t i = 0; i < 64; ++i)
        coefficients[i] = static_cast<std::int16_t>(std::lround(dct[i] / q));
    std::uint8_t decoded[64];
    JpegInverseDct(coefficients, table.IntegerScaled().data(), decoded);
    const auto exact = ExactInverse(coefficients, table);
    int largest = 0;
    for (std::size_t i = 0; i < 64; ++i)
        largest = std::max(largest, std::abs(decoded[i] - exact[i]));
    return largest;
}

// The fixed-point transform agrees with the exact one within one level. The extreme
// patterns (with quantizer 1, so the coefficients keep their full size) drive the largest
// values an 8-bit stream can hold through both passes: a wrapped intermediate value would
// show as an error of tens or hundreds of levels.
TEST(JpegInverseDctTest, MatchesExactTransformWithinOneLevel) {
    using Pattern = std::function<int(int x, int y)>;
    const std::pair<const char*, Pattern> patterns[] = {
        {"flat black", [](int, int) { return 0; }},
        {"flat white", [](int, int) { return 255; }},
        {"checkerboard", [](int x, int y) { return (x + y) % 2 ? 255 : 0; }},
        {"stripes", [](int x, int) { return x % 2 ? 255 : 0; }},
        {"half", [](int x, int) { return x < 4 ? 0 : 255; }},
        {"quarter", [](int x, int y) { return x < 4 && y < 4 ? 255 : 0; }},
        {"ramp", [](int x, int y) { return x * 18 + y * 18; }},
        {"corner", [](int x, int y) { return x == 0 && y == 0 ? 255 : 0; }},
    };
    for (const auto& [name, pattern] : patterns) {
        std::array<int, 64> samples{};
        for (int i = 0; i < 64; ++i)
            samples[static_cast<std::size_t>(i)] = pattern(i % 8, i / 8);
        for (const std::uint16_t q : {1, 3, 16, 255})
            EXPECT_LE(TransformError(samples, q), 1) << name << " q " << q;
    }
    std::mt19937 random(5);
    for (int trial = 0; trial < 1000; ++trial) {
        std::array<int, 64> samples{};
        for (auto& sample : samples)
            sample = static_cast<int>(random() % 256);
        EXPECT_LE(TransformError(samples, 1), 1) << trial;
        EXPECT_LE(TransformError(samples, 7), 1) << trial;
    }
}

} // namespace
} // namespace tessivar
