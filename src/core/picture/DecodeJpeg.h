#pragma once

#include "core/picture/BitmapImage.h"
#include "core/picture/jpeg/JpegDecoder.h"
#include "core/util/Result.h"

#include <cstdint>
#include <span>

namespace tessivar {

// Decodes a whole JFIF stream. The decoder's errors, and running out of memory, come
// back as the failure's reason; nothing is thrown.
Result<BitmapImage> DecodeJpeg(std::span<const std::uint8_t> bytes);

// Decodes a whole JFIF stream row by row into `sink` (see JpegDecoder::DecodeRows).
Status DecodeJpegRows(std::span<const std::uint8_t> bytes, const JpegRowSink& sink);

} // namespace tessivar
