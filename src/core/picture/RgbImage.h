#pragma once

// A plain 32-bit picture the widgets blit as they are: one 0xFFRRGGBB word per pixel,
// rows top to bottom, the layout of a QImage in Format_RGB32.

#include "core/model/TileSet.h"

#include <cstdint>
#include <vector>

namespace tessivar {

inline std::uint32_t PackRgb(const Rgb& color) {
    return 0xFF000000u | static_cast<std::uint32_t>(color.Red) << 16 |
           static_cast<std::uint32_t>(color.Green) << 8 | static_cast<std::uint32_t>(color.Blue);
}

struct RgbImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;

    RgbImage() = default;
    RgbImage(int w, int h, std::uint32_t fill = 0xFF000000u)
        : Width(w)
        , Height(h)
        , Pixels(static_cast<std::size_t>(w) * h, fill) {}

    // A new size for a reused picture: the buffer is kept when it is large enough, so a
    // painter can redraw into it without allocating. The pixels are undefined afterwards.
    void Resize(int w, int h) {
        Width = w;
        Height = h;
        Pixels.resize(static_cast<std::size_t>(w) * h);
    }

    std::uint32_t& At(int x, int y) { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
    std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

} // namespace tessivar
