#include "core/picture/BitmapWriter.h"

#include <algorithm>
#include <stdexcept>

namespace tessivar {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kPixelsPerMetre = 2835; // 72 dots per inch

void put16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::uint8_t* at, std::uint32_t value) {
    put16(at, value);
    put16(at + 2, value >> 16);
}

} // namespace

std::uint64_t Bitmap24FileBytes(int width, int height) {
    return kFileHeaderBytes + kInfoHeaderBytes +
           static_cast<std::uint64_t>(Bitmap24Stride(width)) *
               static_cast<std::uint64_t>(std::max(height, 0));
}

std::size_t Bitmap24Stride(int width) {
    const std::size_t rowBytes = static_cast<std::size_t>(std::max(width, 0)) * 3;
    return (rowBytes + 3) & ~std::size_t{3};
}

bool MakeBitmap24Header(int width, int height, std::span<std::uint8_t, kBitmap24HeaderBytes> out) {
    const std::uint64_t fileBytes = Bitmap24FileBytes(width, height);
    if (width < 1 || height < 1 || fileBytes > 0xFFFFFFFFu)
        return false;
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    std::uint8_t* header = out.data();
    header[0] = 'B';
    header[1] = 'M';
    put32(header + 2, static_cast<std::uint32_t>(fileBytes));
    put32(header + 10, kFileHeaderBytes + kInfoHeaderBytes); // offset of the pixels
    std::uint8_t* info = header + kFileHeaderBytes;
    put32(info, kInfoHeaderBytes);
    put32(info + 4, static_cast<std::uint32_t>(width));
    put32(info + 8, static_cast<std::uint32_t>(height)); // positive: bottom-up rows
    put16(info + 12, 1);                                 // planes
    put16(info + 14, 24);                                // bits per pixel
    put32(info + 16, 0);                                 // BI_RGB, uncompressed
    put32(info + 20, static_cast<std::uint32_t>(fileBytes - kBitmap24HeaderBytes));
    put32(info + 24, kPixelsPerMetre);
    put32(info + 28, kPixelsPerMetre);
    // Colours used and important colours stay 0.
    return true;
}

std::vector<std::uint8_t> EncodeBitmap24(int width, int height, const BitmapRowSource& source) {
    if (width < 1 || height < 1)
        throw std::invalid_argument("bitmap size must be at least 1 x 1");
    const std::uint64_t fileBytes = Bitmap24FileBytes(width, height);
    if (fileBytes > 0xFFFFFFFFu)
        throw std::invalid_argument("bitmap too large for the file format");
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    const std::size_t stride = Bitmap24Stride(width);

    std::vector<std::uint8_t> file(static_cast<std::size_t>(fileBytes), 0);
    MakeBitmap24Header(
        width, height,
        std::span<std::uint8_t, kBitmap24HeaderBytes>(file.data(), kBitmap24HeaderBytes));
    std::uint8_t* info = file.data() + kFileHeaderBytes;
    std::uint8_t* pixels = info + kInfoHeaderBytes;
    for (int row = 0; row < height; ++row) {
        const auto fileRow = static_cast<std::size_t>(height - 1 - row);
        source(row, std::span<std::uint8_t>(pixels + fileRow * stride, rowBytes));
    }
    return file;
}

std::vector<std::uint8_t> EncodeBitmap24(int width, int height,
                                         std::span<const std::uint8_t> topDownBgr) {
    const std::size_t rowBytes = static_cast<std::size_t>(std::max(width, 0)) * 3;
    if (topDownBgr.size() != rowBytes * static_cast<std::size_t>(std::max(height, 0)))
        throw std::invalid_argument("pixel buffer does not match the bitmap size");
    return EncodeBitmap24(width, height, [&](int row, std::span<std::uint8_t> bgr) {
        const auto first = topDownBgr.begin() +
                           static_cast<std::ptrdiff_t>(static_cast<std::size_t>(row) * rowBytes);
        std::copy(first, first + static_cast<std::ptrdiff_t>(rowBytes), bgr.begin());
    });
}

} // namespace tessivar
