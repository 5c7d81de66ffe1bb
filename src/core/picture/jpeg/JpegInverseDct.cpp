#include "core/picture/jpeg/JpegInverseDct.h"

#include <algorithm>

// The column pass and the output stage are written so the compiler vectorises them across
// the eight columns; on x86-64 an AVX2 copy is built besides the baseline one and chosen
// at run time.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TESSIVAR_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define TESSIVAR_VECTOR_CLONES
#endif

namespace tessivar {

namespace {

// Values are 32-bit two's complement numbers held in unsigned integers: additions and
// multiplications wrap instead of overflowing, so a damaged stream with absurd
// coefficients gives garbage samples but never undefined behaviour; shifts go through the
// signed type (arithmetic shift).
using Value = std::uint32_t;

// Constants and the quantization table carry 12 fraction bits. So that every product of
// a well-formed stream fits in 32 bits, the dequantised inputs are kept with 8 fraction
// bits in the row pass and 6 in the column pass, and each multiplication by a constant
// c is done as an integer multiple of x plus x times the 12-bit fraction (c - that
// multiple), whose factor stays below 2^11. The largest dequantised coefficient of an
// 8-bit stream is about 2^17 with 8 fraction bits; a multiplication sees at most four
// inputs summed, and 2^19 x 1697 < 2^30. The result is brought back to 12 fraction
// bits for the level shift.
constexpr int kFractionBits = 12;
constexpr int kRowFractionBits = 8;
constexpr int kColumnFractionBits = 6;
constexpr Value kHalf = Value{1} << (kFractionBits - 1);
constexpr Value kLevelShift = (Value{128} << kFractionBits) + kHalf;

inline Value ShiftRight(Value x, int bits) {
    return static_cast<Value>(static_cast<std::int32_t>(x) >> bits);
}
inline Value Fraction(Value x, Value constant) {
    return ShiftRight(x * constant + kHalf, kFractionBits);
}
// sqrt(2) = 1 + 1697 / 4096
inline Value TimesSqrt2(Value x) {
    return x + Fraction(x, 1697);
}
// 2 cos(pi/8) = 1.847759 = 2 - 624 / 4096
inline Value TimesC2PlusC6(Value x) {
    return 2 * x - Fraction(x, 624);
}
// 2 (cos(pi/8) - cos(3 pi/8)) = 1.082392 = 1 + 337 / 4096
inline Value TimesC2MinusC6(Value x) {
    return x + Fraction(x, 337);
}
// 2 (cos(pi/8) + cos(3 pi/8)) = 2.613126 = 3 - 1585 / 4096
inline Value TimesC6Times2(Value x) {
    return 3 * x - Fraction(x, 1585);
}

// One 8-point AAN inverse transform of x0..x7 into out[0], out[step], ..., out[7 step].
// The inputs carry the AAN pre-scaling (folded into the quantization table), so the
// transform needs only five multiplications. `finish` is applied to each output.
template <int Step, class Finish>
[[gnu::always_inline]] inline void Transform8(Value x0, Value x1, Value x2, Value x3, Value x4,
                                              Value x5, Value x6, Value x7, Value* out,
                                              Finish finish) {
    const Value tmp10 = x0 + x4;
    const Value tmp11 = x0 - x4;
    const Value tmp13 = x2 + x6;
    const Value tmp12 = TimesSqrt2(x2 - x6) - tmp13;
    const Value even0 = tmp10 + tmp13;
    const Value even3 = tmp10 - tmp13;
    const Value even1 = tmp11 + tmp12;
    const Value even2 = tmp11 - tmp12;

    const Value z13 = x5 + x3;
    const Value z10 = x5 - x3;
    const Value z11 = x1 + x7;
    const Value z12 = x1 - x7;
    const Value odd7 = z11 + z13;
    const Value t11 = TimesSqrt2(z11 - z13);
    const Value z5 = TimesC2PlusC6(z10 + z12);
    const Value t10 = TimesC2MinusC6(z12) - z5;
    const Value t12 = z5 - TimesC6Times2(z10);
    const Value odd6 = t12 - odd7;
    const Value odd5 = t11 - odd6;
    const Value odd4 = t10 + odd5;

    out[0] = finish(even0 + odd7);
    out[7 * Step] = finish(even0 - odd7);
    out[1 * Step] = finish(even1 + odd6);
    out[6 * Step] = finish(even1 - odd6);
    out[2 * Step] = finish(even2 + odd5);
    out[5 * Step] = finish(even2 - odd5);
    out[4 * Step] = finish(even3 + odd4);
    out[3 * Step] = finish(even3 - odd4);
}

inline Value Dequantise(std::int16_t coefficient, std::int32_t scale) {
    const Value product = static_cast<Value>(std::int32_t{coefficient}) * static_cast<Value>(scale);
    constexpr int shift = kFractionBits - kRowFractionBits;
    return ShiftRight(product + (Value{1} << (shift - 1)), shift);
}

// Row pass result -> column pass input.
inline Value BetweenPasses(Value v) {
    constexpr int shift = kRowFractionBits - kColumnFractionBits;
    return ShiftRight(v + (Value{1} << (shift - 1)), shift);
}

inline std::uint8_t ToSample(Value v) {
    const auto level = static_cast<std::int32_t>(
        ShiftRight((v << (kFractionBits - kColumnFractionBits)) + kLevelShift, kFractionBits));
    return static_cast<std::uint8_t>(std::clamp(level, 0, 255));
}

} // namespace

TESSIVAR_VECTOR_CLONES
void JpegInverseDct(const std::int16_t* coefficients, const std::int32_t* integerScaled,
                    std::uint8_t* samples) {
    alignas(32) Value work[64];
    bool needColumns = false;
    // Rows first: a row whose AC terms are all zero is its DC term repeated.
    for (int row = 0; row < 8; ++row) {
        const std::int16_t* in = coefficients + row * 8;
        const std::int32_t* q = integerScaled + row * 8;
        Value* out = work + row * 8;
        if ((in[1] | in[2] | in[3] | in[4] | in[5] | in[6] | in[7]) == 0) {
            const Value dc = BetweenPasses(Dequantise(in[0], q[0]));
            for (int i = 0; i < 8; ++i)
                out[i] = dc;
            needColumns = needColumns || (row > 0 && dc != 0);
            continue;
        }
        needColumns = true;
        // Dequantised straight into registers: no round trip through memory.
        Transform8<1>(Dequantise(in[0], q[0]), Dequantise(in[1], q[1]), Dequantise(in[2], q[2]),
                      Dequantise(in[3], q[3]), Dequantise(in[4], q[4]), Dequantise(in[5], q[5]),
                      Dequantise(in[6], q[6]), Dequantise(in[7], q[7]), out,
                      [](Value v) { return BetweenPasses(v); });
    }
    if (!needColumns) { // only the DC term: the whole unit is one value
        const std::uint8_t value = ToSample(work[0]);
        for (int i = 0; i < 64; ++i)
            samples[i] = value;
        return;
    }
    for (int column = 0; column < 8; ++column)
        Transform8<8>(work[column], work[8 + column], work[16 + column], work[24 + column],
                      work[32 + column], work[40 + column], work[48 + column], work[56 + column],
                      work + column, [](Value v) { return v; });
    for (int i = 0; i < 64; ++i)
        samples[i] = ToSample(work[i]);
}

} // namespace tessivar
