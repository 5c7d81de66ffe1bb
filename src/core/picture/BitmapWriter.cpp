#include "core/picture/BitmapWriter.h"

#include "core/files/ByteWriter.h"

#include <algorithm>

namespace tessivar {

namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kPixelsPerMetre = 2835; // 72 dots per inch

} // namespace

std::size_t Bitmap24Stride(int width) {
    const std::size_t rowBytes = static_cast<std::size_t>(std::max(width, 0)) * 3;
    return (rowBytes + 3) & ~std::size_t{3};
}

std::uint64_t Bitmap24FileBytes(int width, int height) {
    return kFileHeaderBytes + kInfoHeaderBytes +
           static_cast<std::uint64_t>(Bitmap24Stride(width)) *
               static_cast<std::uint64_t>(std::max(height, 0));
}

Result<std::array<std::uint8_t, kBitmap24HeaderBytes>> MakeBitmap24Header(int width, int height,
                                                                          bool topDown) {
    if (width < 1 || height < 1)
        return Fail("bitmap size must be at least 1 x 1");
    const std::uint64_t fileBytes = Bitmap24FileBytes(width, height);
    if (fileBytes > 0xFFFFFFFFu)
        return Fail("bitmap too large for the file format");
    ByteWriter out;
    out.Raw("BM");
    out.U32(static_cast<std::uint32_t>(fileBytes));
    out.U32(0);                                   // reserved
    out.U32(kFileHeaderBytes + kInfoHeaderBytes); // offset of the pixels
    out.U32(kInfoHeaderBytes);
    out.U32(static_cast<std::uint32_t>(width));
    out.U32(static_cast<std::uint32_t>(topDown ? -height : height)); // positive: bottom-up
    out.U16(1);                                                      // planes
    out.U16(24);                                                     // bits per pixel
    out.U32(0);                                                      // BI_RGB, uncompressed
    out.U32(static_cast<std::uint32_t>(fileBytes - kBitmap24HeaderBytes));
    out.U32(kPixelsPerMetre);
    out.U32(kPixelsPerMetre);
    out.U32(0); // colours used
    out.U32(0); // important colours
    const std::vector<std::uint8_t> bytes = out.Take();
    std::array<std::uint8_t, kBitmap24HeaderBytes> header{};
    std::copy_n(bytes.begin(), header.size(), header.begin());
    return header;
}

Result<std::vector<std::uint8_t>> EncodeBitmap24(int width, int height,
                                                 const BitmapRowSource& source) {
    const auto header = MakeBitmap24Header(width, height);
    if (!header)
        return Fail(header.error());
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    const std::size_t stride = Bitmap24Stride(width);
    std::vector<std::uint8_t> file(static_cast<std::size_t>(Bitmap24FileBytes(width, height)), 0);
    std::copy(header->begin(), header->end(), file.begin());
    std::uint8_t* pixels = file.data() + kFileHeaderBytes + kInfoHeaderBytes;
    for (int row = 0; row < height; ++row) {
        const auto fileRow = static_cast<std::size_t>(height - 1 - row);
        source(row, std::span<std::uint8_t>(pixels + fileRow * stride,
                                            static_cast<std::size_t>(rowBytes)));
    }
    return file;
}

Result<std::vector<std::uint8_t>> EncodeBitmap24(int width, int height,
                                                 std::span<const std::uint8_t> topDownBgr) {
    const std::size_t rowBytes = static_cast<std::size_t>(std::max(width, 0)) * 3;
    if (topDownBgr.size() != rowBytes * static_cast<std::size_t>(std::max(height, 0)))
        return Fail("pixel buffer does not match the bitmap size");
    return EncodeBitmap24(width, height, [&](int row, std::span<std::uint8_t> bgr) {
        const auto first = topDownBgr.begin() +
                           static_cast<std::ptrdiff_t>(static_cast<std::size_t>(row) * rowBytes);
        std::copy(first, first + static_cast<std::ptrdiff_t>(rowBytes), bgr.begin());
    });
}

} // namespace tessivar
