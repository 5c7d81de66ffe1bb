#pragma once

#include "core/picture/BitmapImage.h"
#include "core/util/Result.h"

#include <string>

class QImage;

namespace tessivar {

// Reads a picture for the image import: ".jpg" through the JPEG decoder, ".png" through
// Qt's PNG reader and every other name through Qt's Windows bitmap reader (the format is
// forced, never guessed from the content). The size is read from the header first and a
// picture above 16384 x 16384 is refused before it is decoded. Every failure comes back
// as its text.
Result<BitmapImage> ReadPicture(const std::string& path);

// A 24-bit copy of a Qt picture (the clipboard's); the alpha channel is dropped.
Result<BitmapImage> PictureFromQImage(const QImage& image);

} // namespace tessivar
