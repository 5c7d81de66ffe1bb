#pragma once

#include "core/picture/HugePageAllocator.h"
#include "core/picture/jpeg/JpegCoefficientStore.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tessivar {

// 8 x 8 samples of one component after the inverse transform, row-major.
struct JpegDecoderDataUnit {
    std::array<std::uint8_t, 64> Samples{};
};

// One colour component of the current frame, addressed by its identifier.
struct JpegDecoderComponent {
    bool Defined = false;
    int Identifier = 0;
    int HorizontalFactor = 1;
    int VerticalFactor = 1;
    int QuantizationTable = -1; // -1 until the frame assigns one
    int DcTable = -1;           // chosen by the current scan
    int AcTable = -1;
    int DcPredictor = 0;

    // Data units held: (MCU columns x h) by (MCU rows x v).
    int DataUnitColumns = 0;
    int DataUnitRows = 0;
    // Data units a non-interleaved scan walks: ceil(component size / 8).
    int ScanColumns = 0;
    int ScanRows = 0;

    // Coefficients of frames held across scans (progressive, or sequential with several
    // scans); turned into samples one strip at a time once the stream is read.
    JpegCoefficientStore Coefficients;
    // Sequential frames: the dequantization in force when a scan last named the
    // component (a table may be redefined between scans).
    std::array<std::int32_t, 64> ScanDequantization{};
    // Samples of the current strip: the data unit rows from UnitRowBase on.
    LargeVector<JpegDecoderDataUnit> DataUnits;
    int UnitRowBase = 0;

    // One sample row gathered from the data units, and the same row upsampled to the
    // image width; `CachedRow` is the component row they hold (-1 = none).
    std::vector<std::uint8_t> SampleRow;
    std::vector<std::uint8_t> UpsampledRow;
    int CachedRow = -1;
};

} // namespace tessivar
