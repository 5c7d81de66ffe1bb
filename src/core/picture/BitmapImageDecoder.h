#pragma once

#include "core/picture/BitmapImage.h"

#include <cstdint>
#include <span>

namespace tessivar {

// A reader that turns a whole encoded stream into a BitmapImage.
class BitmapImageDecoder {
public:
    virtual ~BitmapImageDecoder() = default;
    // Decodes `stream` into `image`; throws an EGraphicsException on failure, in which
    // case `image` is left as it was.
    virtual void ReadImage(std::span<const std::uint8_t> stream, BitmapImage& image) = 0;
};

} // namespace tessivar
