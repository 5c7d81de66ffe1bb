#pragma once

#include "core/picture/HugePageAllocator.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tessivar {

// A decoded raster: 8-bit samples through a 256-entry colour map, or 24-bit pixels
// stored blue, green, red. Rows are numbered from the top and hold exactly
// width x bytes-per-pixel bytes, without padding.
class BitmapImage {
public:
    struct ColourEntry {
        std::uint8_t Red = 0;
        std::uint8_t Green = 0;
        std::uint8_t Blue = 0;
    };

    BitmapImage() = default;

    // Resizes to `width` x `height` with `bitCount` 8 or 24 (EInvalidBitCount otherwise).
    // Pixels are zeroed; an 8-bit image gets the grey colour map (entry i = i, i, i).
    void SetSize(int width, int height, int bitCount);

    // Like SetSize, but the pixels are left undefined for the caller to write every row;
    // fresh memory is not touched, so it is mapped only as rows are written.
    void SetSizeForWriting(int width, int height, int bitCount);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitCount() const { return bitCount_; }
    std::size_t RowBytes() const { return rowBytes_; }

    // Row `row` (0 = top); ESubscriptOutOfRange outside 0..Height()-1.
    std::span<std::uint8_t> Row(int row);
    std::span<const std::uint8_t> Row(int row) const;

    // 256 entries for an 8-bit image, empty for 24 bits.
    const std::vector<ColourEntry>& ColourMap() const { return colourMap_; }

    // Row `row` as 3 x width bytes blue, green, red; 8-bit samples go through the colour map.
    void CopyRowAsBgr(int row, std::span<std::uint8_t> out) const;

private:
    void ResizePixels(int width, int height, int bitCount, bool clear);

    int width_ = 0;
    int height_ = 0;
    int bitCount_ = 24;
    std::size_t rowBytes_ = 0;
    std::vector<std::uint8_t, UninitialisedHugePageAllocator<std::uint8_t>> pixels_;
    std::vector<ColourEntry> colourMap_;
};

} // namespace tessivar
