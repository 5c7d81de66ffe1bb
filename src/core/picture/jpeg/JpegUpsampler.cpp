#include "core/picture/jpeg/JpegUpsampler.h"

#include <algorithm>
#include <cstring>

namespace tessivar {

namespace {

inline std::uint8_t ClampSample(int value) {
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

inline void ConvertPixel(int luma, int blueDiff, int redDiff, std::uint8_t* out) {
    out[0] = ClampSample(luma + ((7258 * blueDiff + 2048) >> 12));
    out[1] = ClampSample(luma - ((1409 * blueDiff + 2925 * redDiff + 2048) >> 12));
    out[2] = ClampSample(luma + ((5742 * redDiff + 2048) >> 12));
}

// YCbCr -> BGR with the integer multipliers 4096 x 1.402, 0.34414, 0.71414 and 1.772.
TESSIVAR_VECTOR_CLONES
void ConvertRow(const std::uint8_t* y, const std::uint8_t* cb, const std::uint8_t* cr,
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
            blue[i] = ClampSample(luma + ((7258 * blueDiff + 2048) >> 12));
            green[i] = ClampSample(luma - ((1409 * blueDiff + 2925 * redDiff + 2048) >> 12));
            red[i] = ClampSample(luma + ((5742 * redDiff + 2048) >> 12));
        }
        std::uint8_t* pixel = out + 3 * x;
        for (int i = 0; i < kChunk; ++i) {
            pixel[3 * i] = blue[i];
            pixel[3 * i + 1] = green[i];
            pixel[3 * i + 2] = red[i];
        }
    }
    for (; x < width; ++x)
        ConvertPixel(y[x], cb[x] - 128, cr[x] - 128, out + 3 * x);
}

// Repeats each of the samples `ratio` times: out[x] = in[x / ratio] for x < width.
TESSIVAR_VECTOR_CLONES
void ReplicateRow(const std::uint8_t* in, std::uint8_t* out, int ratio, int width) {
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

const std::uint8_t* JpegUpsampler::UpsampledRowFor(const JpegFrame& frame,
                                                   JpegDecoderComponent& component, int row) {
    const int h = component.HorizontalFactor;
    const int v = component.VerticalFactor;
    const int sourceRow = frame.MaxVerticalFactor % v == 0
                              ? row / (frame.MaxVerticalFactor / v)
                              : static_cast<int>(std::int64_t{row} * v / frame.MaxVerticalFactor);
    if (sourceRow != component.CachedRow) {
        const int columns = component.DataUnitColumns;
        const auto* units = component.DataUnits.data() +
                            static_cast<std::size_t>(sourceRow / 8 - component.UnitRowBase) *
                                static_cast<std::size_t>(columns);
        const std::size_t offset = static_cast<std::size_t>(sourceRow % 8) * 8;
        std::uint8_t* line = component.SampleRow.data();
        for (int column = 0; column < columns; ++column)
            std::memcpy(line + 8 * column, units[column].Samples.data() + offset, 8);
        component.CachedRow = sourceRow;
        if (h != frame.MaxHorizontalFactor) {
            std::uint8_t* out = component.UpsampledRow.data();
            if (frame.MaxHorizontalFactor % h == 0) {
                ReplicateRow(line, out, frame.MaxHorizontalFactor / h, frame.Width);
            } else {
                for (int x = 0; x < frame.Width; ++x)
                    out[x] = line[static_cast<std::int64_t>(x) * h / frame.MaxHorizontalFactor];
            }
        }
    }
    return h == frame.MaxHorizontalFactor ? component.SampleRow.data()
                                          : component.UpsampledRow.data();
}

void JpegUpsampler::Prepare(JpegFrame& frame, BitmapImage& image, int rows) {
    image.SetSizeForWriting(frame.Width, rows, frame.ComponentCount == 3 ? 24 : 8);
    for (const int id : frame.Order) {
        auto& component = frame.Components[static_cast<std::size_t>(id)];
        component.SampleRow.assign(static_cast<std::size_t>(component.DataUnitColumns) * 8, 0);
        component.UpsampledRow.assign(static_cast<std::size_t>(frame.Width), 0);
        component.CachedRow = -1;
    }
}

void JpegUpsampler::EmitRows(JpegFrame& frame, BitmapImage& image, int firstRow, int endRow,
                             int rowBase) {
    for (const int id : frame.Order)
        frame.Components[static_cast<std::size_t>(id)].CachedRow = -1; // the strip may have changed
    if (frame.ComponentCount == 1) {
        auto& luma = frame.Component(0);
        for (int y = firstRow; y < endRow; ++y)
            std::memcpy(image.Row(y - rowBase).data(), UpsampledRowFor(frame, luma, y),
                        static_cast<std::size_t>(frame.Width));
        return;
    }
    auto& luma = frame.Component(0);
    auto& blue = frame.Component(1);
    auto& red = frame.Component(2);
    for (int y = firstRow; y < endRow; ++y)
        ConvertRow(UpsampledRowFor(frame, luma, y), UpsampledRowFor(frame, blue, y),
                   UpsampledRowFor(frame, red, y), image.Row(y - rowBase).data(), frame.Width);
}

} // namespace tessivar
