#include "core/picture/BitmapImage.h"

#include "core/picture/GraphicsExceptions.h"

#include <algorithm>
#include <stdexcept>

namespace tessivar {

void BitmapImage::SetSize(int width, int height, int bitCount) {
    ResizePixels(width, height, bitCount, true);
}

void BitmapImage::SetSizeForWriting(int width, int height, int bitCount) {
    ResizePixels(width, height, bitCount, false);
}

void BitmapImage::ResizePixels(int width, int height, int bitCount, bool clear) {
    if (bitCount != 8 && bitCount != 24)
        throw EInvalidBitCount();
    if (width < 0 || height < 0)
        throw std::invalid_argument("negative image size");
    const std::size_t rowBytes = static_cast<std::size_t>(width) * (bitCount == 24 ? 3 : 1);
    const std::size_t bytes = rowBytes * static_cast<std::size_t>(height);
    pixels_.clear(); // nothing to keep: a larger block is taken without copying
    pixels_.resize(bytes);
    if (clear)
        std::fill(pixels_.begin(), pixels_.end(), std::uint8_t{0});
    width_ = width;
    height_ = height;
    bitCount_ = bitCount;
    rowBytes_ = rowBytes;
    colourMap_.clear();
    if (bitCount == 8) {
        colourMap_.resize(256);
        for (int i = 0; i < 256; ++i) {
            const auto v = static_cast<std::uint8_t>(i);
            colourMap_[static_cast<std::size_t>(i)] = {v, v, v};
        }
    }
}

std::span<std::uint8_t> BitmapImage::Row(int row) {
    if (row < 0 || row >= height_)
        throw ESubscriptOutOfRange();
    return {pixels_.data() + static_cast<std::size_t>(row) * rowBytes_, rowBytes_};
}

std::span<const std::uint8_t> BitmapImage::Row(int row) const {
    if (row < 0 || row >= height_)
        throw ESubscriptOutOfRange();
    return {pixels_.data() + static_cast<std::size_t>(row) * rowBytes_, rowBytes_};
}

void BitmapImage::CopyRowAsBgr(int row, std::span<std::uint8_t> out) const {
    const auto source = Row(row);
    const std::size_t width = static_cast<std::size_t>(width_);
    if (out.size() < width * 3)
        throw ESubscriptOutOfRange();
    if (bitCount_ == 24) {
        std::copy(source.begin(), source.end(), out.begin());
        return;
    }
    for (std::size_t x = 0; x < width; ++x) {
        const ColourEntry& entry = colourMap_[source[x]];
        out[3 * x] = entry.Blue;
        out[3 * x + 1] = entry.Green;
        out[3 * x + 2] = entry.Red;
    }
}

} // namespace tessivar
