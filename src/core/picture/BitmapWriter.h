#pragma once

#include "core/util/Result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace tessivar {

// Writes uncompressed 24-bit Windows bitmap files: the 14-byte file header, the 40-byte
// BITMAPINFOHEADER, then the rows from the bottom up, each padded to a multiple of 4 bytes.

constexpr std::size_t kBitmap24HeaderBytes = 54;

// Bytes of one stored row, padded to a multiple of 4.
std::size_t Bitmap24Stride(int width);

// Size of the whole file of a `width` x `height` picture (may exceed what the format can
// hold).
std::uint64_t Bitmap24FileBytes(int width, int height);

// The two headers of a file, for writers that stream the rows themselves: rows stored
// bottom-up, or with `topDown` top row first (a negative height in the header, so that
// rows can go to the file in the order they are made). Refused unless both sides are at
// least 1 and the file stays under 4 GiB.
Result<std::array<std::uint8_t, kBitmap24HeaderBytes>> MakeBitmap24Header(int width, int height,
                                                                          bool topDown = false);

// Fills `bgr` (3 x width bytes, blue, green, red) with picture row `row`, 0 = top.
using BitmapRowSource = std::function<void(int row, std::span<std::uint8_t> bgr)>;

// The whole file for a `width` x `height` picture whose rows come from `source`; refused
// unless both sides are at least 1 and the file stays under 4 GiB.
Result<std::vector<std::uint8_t>> EncodeBitmap24(int width, int height,
                                                 const BitmapRowSource& source);

// The same from a buffer of `height` top-down rows of 3 x width bytes each.
Result<std::vector<std::uint8_t>> EncodeBitmap24(int width, int height,
                                                 std::span<const std::uint8_t> topDownBgr);

} // namespace tessivar
