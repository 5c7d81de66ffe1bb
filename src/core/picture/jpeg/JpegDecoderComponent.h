#pragma once

#include "core/picture/HugePageAllocator.h"
#include "core/picture/jpeg/JpegCoefficientStore.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tessivar {

// 8 x 8 samples of one component after the inverse transform, row-major.
struct JpegDecoderDataUnit {
    std::array<std::uint8_t, 64> samples{};
};

// One colour component of the current frame, addressed by its identifier.
struct JpegDecoderComponent {
    bool defined = false;
    int identifier = 0;
    int horizontalFactor = 1;
    int verticalFactor = 1;
    int quantizationTable = -1; // -1 until the frame assigns one
    int dcTable = -1;           // chosen by the current scan
    int acTable = -1;
    int dcPredictor = 0;

    // Data units held: (MCU columns x h) by (MCU rows x v).
    int dataUnitColumns = 0;
    int dataUnitRows = 0;
    // Data units a non-interleaved scan walks: ceil(component size / 8).
    int scanColumns = 0;
    int scanRows = 0;

    // Coefficients of frames held across scans (progressive, or sequential with several
    // scans); turned into samples one strip at a time once the stream is read.
    JpegCoefficientStore coefficients;
    // Sequential frames: the dequantization in force when a scan last named the
    // component (a table may be redefined between scans).
    std::array<std::int32_t, 64> scanDequantization{};
    // Samples of the current strip: the data unit rows from unitRowBase on.
    LargeVector<JpegDecoderDataUnit> dataUnits;
    int unitRowBase = 0;

    // One sample row gathered from the data units, and the same row upsampled to the
    // image width; `cachedRow` is the component row they hold (-1 = none).
    std::vector<std::uint8_t> sampleRow;
    std::vector<std::uint8_t> upsampledRow;
    int cachedRow = -1;
};

} // namespace tessivar
