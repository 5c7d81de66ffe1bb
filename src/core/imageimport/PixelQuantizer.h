#pragma once

// Reduction of picture pixels to four grey levels (or black and white) with the error
// of each pixel fed forward into the next.

#include "core/model/TileSet.h"

#include <array>

namespace tessivar {

// The conversion's palette, lightest first: index i is the ColorIndex a pixel of grey
// kGreyLevels[i] becomes.
constexpr std::array<int, kColorsPerPalette> kGreyLevels = {248, 128, 64, 0};

// The grey of a pixel after its channels lose their low three bits: the weighted sum
// 0.299 R + 0.587 G + 0.114 B truncated, where an exact whole number counts one less
// (a pure grey 128 gives 127); black gives 0.
int PixelGrey(int red, int green, int blue);

class PixelQuantizer {
public:
    PixelQuantizer(int ditherPercent, bool grayscale)
        : ditherPercent_(ditherPercent)
        , grayscale_(grayscale) {}

    // The ColorIndex of the next pixel in reading order. One error accumulator serves
    // the whole picture: it is not reset between rows.
    ColorIndex Quantize(int red, int green, int blue);

    int Error() const { return error_; }

private:
    int ditherPercent_;
    bool grayscale_;
    int error_ = 0;
};

} // namespace tessivar
