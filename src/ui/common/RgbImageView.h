#pragma once

#include "core/picture/RgbImage.h"

#include <QImage>

namespace tessivar::ui {

// A QImage over the pixels of `picture`, without a copy. The picture must outlive every
// use of the QImage (draw it before the picture changes or goes away).
QImage rgbImageView(const RgbImage& picture);

} // namespace tessivar::ui
