#include "core/imageimport/PixelQuantizer.h"

#include <algorithm>
#include <cstdlib>

namespace tessivar {

int PixelGrey(int red, int green, int blue) {
    red &= 0xF8;
    green &= 0xF8;
    blue &= 0xF8;
    if (red == 0 && green == 0 && blue == 0)
        return 0;
    return (299 * red + 587 * green + 114 * blue - 1) / 1000;
}

ColorIndex PixelQuantizer::Quantize(int red, int green, int blue) {
    const int grey = PixelGrey(red, green, blue);
    const int value = std::clamp(grey + error_, 0, 255);
    int index = 0;
    if (grayscale_) {
        // The nearest level; on a tie the lighter (lower) index.
        for (int i = 1; i < kColorsPerPalette; ++i)
            if (std::abs(value - kGreyLevels[i]) < std::abs(value - kGreyLevels[index]))
                index = i;
    } else {
        index = value < 128 ? 3 : 0;
    }
    // The error is measured from the pixel's own grey, before the carried error.
    error_ += (grey - kGreyLevels[index]) * ditherPercent_ / 100;
    return static_cast<ColorIndex>(index);
}

} // namespace tessivar
