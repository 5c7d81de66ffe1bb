#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace tessivar {

// Writes uncompressed 24-bit Windows bitmap files: the 14-byte file header, the 40-byte
// BITMAPINFOHEADER, then the rows from the bottom up, each padded to a multiple of 4 bytes.

constexpr std::size_t kBitmap24HeaderBytes = 54;

// Size of the whole file of a `width` x `height` 24-bit bitmap (may exceed 4 GiB, which
// the format cannot hold).
std::uint64_t Bitmap24FileBytes(int width, int height);

// Bytes of one stored row, padded to a multiple of 4.
std::size_t Bitmap24Stride(int width);

// The two headers of a bottom-up 24-bit bitmap; false when the size is below 1 x 1 or
// the file would not stay under 4 GiB.
bool MakeBitmap24Header(int width, int height, std::span<std::uint8_t, kBitmap24HeaderBytes> out);

// Fills `bgr` (3 x width bytes, blue, green, red) with picture row `row`, 0 = top.
using BitmapRowSource = std::function<void(int row, std::span<std::uint8_t> bgr)>;

// The whole file for a `width` x `height` picture (both at least 1, and the file under
// 4 GiB; std::invalid_argument otherwise) whose rows come from `source`.
std::vector<std::uint8_t> EncodeBitmap24(int width, int height, const BitmapRowSource& source);

// The same from a buffer of `height` top-down rows of 3 x width bytes each.
std::vector<std::uint8_t> EncodeBitmap24(int width, int height,
                                         std::span<const std::uint8_t> topDownBgr);

} // namespace tessivar
