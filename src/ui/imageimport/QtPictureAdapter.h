#pragma once

#include "core/picture/BitmapImage.h"
#include "core/util/Result.h"

class QImage;

namespace tessivar {

// A 24-bit copy of a picture held only in memory, such as the clipboard's; the alpha
// channel is dropped. Picture files are read by the core's readers instead.
Result<BitmapImage> PictureFromQImage(const QImage& image);

} // namespace tessivar
