#pragma once

#include <cstdint>

namespace tessivar {

// Bounds that keep a hostile stream from taking unbounded memory or time.
struct JpegDecoderLimits {
    // Largest frame accepted, width x height.
    std::uint64_t MaxPixels = std::uint64_t{16384} * 16384;
    // Largest number of scans in one stream.
    int MaxScans = 1000;
};

} // namespace tessivar
