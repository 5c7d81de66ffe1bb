#include "core/picture/BitmapWriter.h"

#include "core/files/ByteWriter.h"

#include <algorithm>

namespace tessivar {

namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kPixelsPerMetre = 2835; // 72 dots per inch

} // namespace

Result<std::vector<std::uint8_t>> EncodeBitmap24(int width, int height,
                                                 const BitmapRowSource& source) {
    if (width < 1 || height < 1)
        return Fail("bitmap size must be at least 1 x 1");
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(width) * 3;
    const std::uint64_t stride = (rowBytes + 3) & ~std::uint64_t{3};
    const std::uint64_t imageBytes = stride * static_cast<std::uint64_t>(height);
    const std::uint64_t fileBytes = kFileHeaderBytes + kInfoHeaderBytes + imageBytes;
    if (fileBytes > 0xFFFFFFFFu)
        return Fail("bitmap too large for the file format");

    ByteWriter out;
    out.reserve(static_cast<std::size_t>(fileBytes));
    out.raw("BM");
    out.u32(static_cast<std::uint32_t>(fileBytes));
    out.u32(0);                                   // reserved
    out.u32(kFileHeaderBytes + kInfoHeaderBytes); // offset of the pixels
    out.u32(kInfoHeaderBytes);
    out.u32(static_cast<std::uint32_t>(width));
    out.u32(static_cast<std::uint32_t>(height)); // positive: bottom-up rows
    out.u16(1);                                  // planes
    out.u16(24);                                 // bits per pixel
    out.u32(0);                                  // BI_RGB, uncompressed
    out.u32(static_cast<std::uint32_t>(imageBytes));
    out.u32(kPixelsPerMetre);
    out.u32(kPixelsPerMetre);
    out.u32(0); // colours used
    out.u32(0); // important colours
    std::vector<std::uint8_t> file = out.take();
    file.resize(static_cast<std::size_t>(fileBytes), 0);

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
