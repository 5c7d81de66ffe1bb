#include "core/picture/jpeg/JpegUpsampler.h"

#include <algorithm>
#include <cstring>

namespace tessivar {

namespace {

inline std::uint8_t clampSample(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// Hot row loops get an AVX2 copy besides the baseline one on x86-64, chosen at run time.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TESSIVAR_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define TESSIVAR_VECTOR_CLONES
#endif

// The row loops below work in fixed-size chunks so that the compiler can turn each
// chunk into vector instructions; the tails are handled one sample at a time.
constexpr int kChunk = 16;

inline void convertPixel(int luma, int blueDiff, int redDiff, std::uint8_t* out) {
    out[0] = clampSample(luma + ((7258 * blueDiff + 2048) >> 12));
    out[1] = clampSample(luma - ((1409 * blueDiff + 2925 * redDiff + 2048) >> 12));
    out[2] = clampSample(luma + ((5742 * redDiff + 2048) >> 12));
}

// YCbCr -> BGR with the integer multipliers 4096 x 1.402, 0.34414, 0.71414 and 1.772.
TESSIVAR_VECTOR_CLONES
void convertRow(const std::uint8_t* y, const std::uint8_t* cb, const std::uint8_t* cr,
                std::uint8_t* out, int width) {
    int x = 0;
    for (; x + kChunk <= width; x += kChunk) {
        std::uint8_t blue[kChunk];
        std::uint8_t green[kChunk];
        std::uint8_t red[kChunk];
        for (int i = 0; i < kChunk; ++i) {
            const int luma = y[x + i];
            const int blueDiff = cb[x + i] - 128;
            const int redDiff = cr[x + i] - 128;
            blue[i] = clampSample(luma + ((7258 * blueDiff + 2048) >> 12));
            green[i] = clampSample(luma - ((1409 * blueDiff + 2925 * redDiff + 2048) >> 12));
            red[i] = clampSample(luma + ((5742 * redDiff + 2048) >> 12));
        }
        std::uint8_t* pixel = out + 3 * x;
        for (int i = 0; i < kChunk; ++i) {
            pixel[3 * i] = blue[i];
            pixel[3 * i + 1] = green[i];
            pixel[3 * i + 2] = red[i];
        }
    }
    for (; x < width; ++x)
        convertPixel(y[x], cb[x] - 128, cr[x] - 128, out + 3 * x);
}

// Repeats each of the samples `ratio` times: out[x] = in[x / ratio] for x < width.
TESSIVAR_VECTOR_CLONES
void replicateRow(const std::uint8_t* in, std::uint8_t* out, int ratio, int width) {
    int x = 0;
    if (ratio == 2) {
        for (; x + 2 * kChunk <= width; x += 2 * kChunk) {
            const std::uint8_t* source = in + x / 2;
            for (int i = 0; i < kChunk; ++i) {
                out[x + 2 * i] = source[i];
                out[x + 2 * i + 1] = source[i];
            }
        }
    }
    for (; x < width; ++x)
        out[x] = in[x / ratio];
}

} // namespace

const std::uint8_t* JpegUpsampler::upsampledRowFor(const JpegFrame& frame,
                                                   JpegDecoderComponent& component, int row) {
    const int h = component.horizontalFactor;
    const int v = component.verticalFactor;
    const int sourceRow = frame.maxVerticalFactor % v == 0
                              ? row / (frame.maxVerticalFactor / v)
                              : static_cast<int>(std::int64_t{row} * v / frame.maxVerticalFactor);
    if (sourceRow != component.cachedRow) {
        const int columns = component.dataUnitColumns;
        const auto* units = component.dataUnits.data() +
                            static_cast<std::size_t>(sourceRow / 8 - component.unitRowBase) *
                                static_cast<std::size_t>(columns);
        const std::size_t offset = static_cast<std::size_t>(sourceRow % 8) * 8;
        std::uint8_t* line = component.sampleRow.data();
        for (int column = 0; column < columns; ++column)
            std::memcpy(line + 8 * column, units[column].samples.data() + offset, 8);
        component.cachedRow = sourceRow;
        if (h != frame.maxHorizontalFactor) {
            std::uint8_t* out = component.upsampledRow.data();
            if (frame.maxHorizontalFactor % h == 0) {
                replicateRow(line, out, frame.maxHorizontalFactor / h, frame.width);
            } else {
                for (int x = 0; x < frame.width; ++x)
                    out[x] = line[static_cast<std::int64_t>(x) * h / frame.maxHorizontalFactor];
            }
        }
    }
    return h == frame.maxHorizontalFactor ? component.sampleRow.data()
                                          : component.upsampledRow.data();
}

void JpegUpsampler::Prepare(JpegFrame& frame, BitmapImage& image, int rows) {
    image.SetSizeForWriting(frame.width, rows, frame.componentCount == 3 ? 24 : 8);
    for (const int id : frame.order) {
        auto& component = frame.components[static_cast<std::size_t>(id)];
        component.sampleRow.assign(static_cast<std::size_t>(component.dataUnitColumns) * 8, 0);
        component.upsampledRow.assign(static_cast<std::size_t>(frame.width), 0);
        component.cachedRow = -1;
    }
}

void JpegUpsampler::EmitRows(JpegFrame& frame, BitmapImage& image, int firstRow, int endRow,
                             int rowBase) {
    for (const int id : frame.order)
        frame.components[static_cast<std::size_t>(id)].cachedRow = -1; // the strip may have changed
    if (frame.componentCount == 1) {
        auto& luma = frame.Component(0);
        for (int y = firstRow; y < endRow; ++y)
            std::memcpy(image.Row(y - rowBase).data(), upsampledRowFor(frame, luma, y),
                        static_cast<std::size_t>(frame.width));
        return;
    }
    auto& luma = frame.Component(0);
    auto& blue = frame.Component(1);
    auto& red = frame.Component(2);
    for (int y = firstRow; y < endRow; ++y)
        convertRow(upsampledRowFor(frame, luma, y), upsampledRowFor(frame, blue, y),
                   upsampledRowFor(frame, red, y), image.Row(y - rowBase).data(), frame.width);
}

} // namespace tessivar
