#pragma once

// A plain 32-bit picture the widgets blit as they are: one 0xFFRRGGBB word per pixel,
// rows top to bottom, the layout of a QImage in Format_RGB32.

#include "core/model/TileSet.h"

#include <cstdint>
#include <vector>

namespace tessivar {

inline std::uint32_t PackRgb(const Rgb& color) {
    return 0xFF000000u | static_cast<std::uint32_t>(color.red) << 16 |
           static_cast<std::uint32_t>(color.green) << 8 | static_cast<std::uint32_t>(color.blue);
}

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    RgbImage() = default;
    RgbImage(int w, int h, std::uint32_t fill = 0xFF000000u)
        : width(w)
        , height(h)
        , pixels(static_cast<std::size_t>(w) * h, fill) {}

    // A new size for a reused picture: the buffer is kept when it is large enough, so a
    // painter can redraw into it without allocating. The pixels are undefined afterwards.
    void resize(int w, int h) {
        width = w;
        height = h;
        pixels.resize(static_cast<std::size_t>(w) * h);
    }

    std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

} // namespace tessivar
