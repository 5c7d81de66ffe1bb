#pragma once

// Opening a picture file for the image import and for other readers of pictures: the
// kind is told by the first bytes, and every kind is read by the program's own readers.

#include "core/picture/BitmapImage.h"
#include "core/picture/PictureReader.h"
#include "core/util/Result.h"

#include <memory>
#include <span>
#include <string>

namespace tessivar {

enum class PictureKind { Jpeg, Png, Bitmap };

// A name ending exactly in ".jpg" and bytes starting like a JPEG stream go to the JPEG
// decoder, bytes starting with the PNG signature to the PNG reader, and everything else
// to the Windows bitmap reader (which refuses what is not a bitmap).
PictureKind ClassifyPicture(const std::string& path, std::span<const std::uint8_t> firstBytes);

// A reader of the picture's rows from the top. A JPEG picture is decoded whole first.
// Failures come back as one line without the path, for the caller to prefix.
Result<std::unique_ptr<PictureReader>> OpenPicture(const std::string& path);

// The whole picture as 24-bit rows.
Result<BitmapImage> ReadPicture(const std::string& path);

// A 24-bit picture of that size whose rows the caller writes, for pictures that do not
// come from a file; a size out of bounds or too large for the memory is refused.
Result<BitmapImage> NewPicture(int width, int height);

// Rows of a picture held in memory, for pictures that do not come from a file.
std::unique_ptr<PictureReader> ReadRowsOf(const BitmapImage& image);

} // namespace tessivar
