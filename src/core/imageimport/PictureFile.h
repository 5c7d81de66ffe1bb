#pragma once

// Which reader a picture file goes to, and the JPEG reading of the image import.

#include "core/picture/BitmapImage.h"
#include "core/util/Result.h"

#include <string>

namespace tessivar {

enum class PictureKind {
    Jpeg,   // exactly ".jpg" (a capital ".JPG" is not)
    Png,    // exactly ".png"
    Bitmap, // every other name: read as a Windows bitmap
};

PictureKind ClassifyPictureFile(const std::string& path);

// Pictures larger than this either way are refused before they are decoded.
constexpr int kLargestPictureSide = 16384;

// Refuses a picture of the given size when it is empty or above the limit.
Status CheckPictureSize(long long width, long long height);

// Decodes a JPEG file. Every decoder error, a picture above the size limit and a lack of
// memory come back as the failure's text.
Result<BitmapImage> ReadJpegPicture(const std::string& path);

} // namespace tessivar
