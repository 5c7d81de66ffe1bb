#include "jpeg/JpegInverseDct.h"

#include <algorithm>

namespace tessivar {

namespace {

// Arithmetic is done in 64 bits: the inputs of a malformed stream can be as large as
// 2^15 x 2^18, and 64 bits keep every intermediate exact without overflow checks.
using Value = std::int64_t;

constexpr int kFractionBits = 12;
constexpr Value kHalf = Value{1} << (kFractionBits - 1);
constexpr Value kSqrt2 = 5793;     // sqrt(2) x 4096
constexpr Value kC2PlusC6 = 7568;  // 2 cos(pi/8) x 4096 (1.847759)
constexpr Value kC2MinusC6 = 4433; // 2 (cos(pi/8) - cos(3 pi/8)) x 4096 (1.082392)
constexpr Value kC6Times2 = 10703; // 2 (cos(pi/8) + cos(3 pi/8)) x 4096 (2.613126)
constexpr Value kLevelShift = (Value{128} << kFractionBits) + kHalf;

inline Value multiply(Value x, Value constant) {
    return (x * constant + kHalf) >> kFractionBits;
}

// One 8-point AAN inverse transform on v[0], v[step], ..., v[7 step]. The inputs carry
// the AAN pre-scaling (folded into the quantization table), so the transform needs only
// five multiplications.
template <int Step> inline void transform8(Value* v) {
    const Value tmp10 = v[0] + v[4 * Step];
    const Value tmp11 = v[0] - v[4 * Step];
    const Value tmp13 = v[2 * Step] + v[6 * Step];
    const Value tmp12 = multiply(v[2 * Step] - v[6 * Step], kSqrt2) - tmp13;
    const Value even0 = tmp10 + tmp13;
    const Value even3 = tmp10 - tmp13;
    const Value even1 = tmp11 + tmp12;
    const Value even2 = tmp11 - tmp12;

    const Value z13 = v[5 * Step] + v[3 * Step];
    const Value z10 = v[5 * Step] - v[3 * Step];
    const Value z11 = v[1 * Step] + v[7 * Step];
    const Value z12 = v[1 * Step] - v[7 * Step];
    const Value odd7 = z11 + z13;
    const Value t11 = multiply(z11 - z13, kSqrt2);
    const Value z5 = multiply(z10 + z12, kC2PlusC6);
    const Value t10 = multiply(z12, kC2MinusC6) - z5;
    const Value t12 = z5 - multiply(z10, kC6Times2);
    const Value odd6 = t12 - odd7;
    const Value odd5 = t11 - odd6;
    const Value odd4 = t10 + odd5;

    v[0] = even0 + odd7;
    v[7 * Step] = even0 - odd7;
    v[1 * Step] = even1 + odd6;
    v[6 * Step] = even1 - odd6;
    v[2 * Step] = even2 + odd5;
    v[5 * Step] = even2 - odd5;
    v[4 * Step] = even3 + odd4;
    v[3 * Step] = even3 - odd4;
}

inline std::uint8_t toSample(Value v) {
    return static_cast<std::uint8_t>(std::clamp<Value>((v + kLevelShift) >> kFractionBits, 0, 255));
}

} // namespace

void JpegInverseDct(const std::int16_t* coefficients, const std::int32_t* integerScaled,
                    std::uint8_t* samples) {
    Value work[64];
    bool needColumns = false;
    // Rows first: a row whose AC terms are all zero is its DC term repeated.
    for (int row = 0; row < 8; ++row) {
        const std::int16_t* in = coefficients + row * 8;
        const std::int32_t* q = integerScaled + row * 8;
        Value* out = work + row * 8;
        if ((in[1] | in[2] | in[3] | in[4] | in[5] | in[6] | in[7]) == 0) {
            const Value dc = Value{in[0]} * q[0];
            std::fill_n(out, 8, dc);
            needColumns = needColumns || (row > 0 && dc != 0);
            continue;
        }
        needColumns = true;
        for (int i = 0; i < 8; ++i)
            out[i] = Value{in[i]} * q[i];
        transform8<1>(out);
    }
    if (!needColumns) { // only the DC term: the whole unit is one value
        std::fill_n(samples, 64, toSample(work[0]));
        return;
    }
    for (int column = 0; column < 8; ++column)
        transform8<8>(work + column);
    for (int i = 0; i < 64; ++i)
        samples[i] = toSample(work[i]);
}

} // namespace tessivar
