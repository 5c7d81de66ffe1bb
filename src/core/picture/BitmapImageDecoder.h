#pragma once

#include "core/picture/BitmapImage.h"

#include <cstdint>
#include <span>

namespace tessivar {

// Root of the picture coder family.
class BitmapImageCoder {
public:
    virtual ~BitmapImageCoder() = default;
};

// A reader that turns a whole encoded stream into a BitmapImage.
class BitmapImageDecoder : public BitmapImageCoder {
public:
    // Decodes `stream` into `image`; throws an EGraphicsException on failure, in which
    // case `image` is left as it was.
    virtual void ReadImage(std::span<const std::uint8_t> stream, BitmapImage& image) = 0;
};

} // namespace tessivar
