#pragma once

// The screen colours of one palette set, packed for RgbImage, looked up once per paint
// instead of once per pixel. Numbers out of range are masked into it: a set or palette
// number p reads as p & 7 and a colour index c as c & 3, so stray values from files
// never index past the palette table.

#include "core/picture/RgbImage.h"

#include <array>
#include <cstdint>

namespace tessivar {

static_assert(kPaletteSets == 8 && kPalettesPerSet == 8 && kColorsPerPalette == 4,
              "the masks below assume these sizes");

class PaletteColors {
public:
    PaletteColors(const TileSet& tileSet, int paletteSet) {
        const auto& set = tileSet.Palettes[paletteSet & 7];
        for (int p = 0; p < kPalettesPerSet; ++p)
            for (int c = 0; c < kColorsPerPalette; ++c)
                colors_[p][c] = PackRgb(DisplayColor(set[p][c]));
    }

    std::uint32_t operator()(int palette, int color) const {
        return colors_[palette & 7][color & 3];
    }

private:
    std::array<std::array<std::uint32_t, kColorsPerPalette>, kPalettesPerSet> colors_{};
};

} // namespace tessivar
