#pragma once

#include "core/picture/RgbImage.h"
#include "core/render/CellGrid.h"

#include <QImage>
#include <QRect>

namespace tessivar::ui {

// A QImage over the pixels of `picture`, without a copy. The picture must outlive every
// use of the QImage (draw it before the picture changes or goes away).
QImage rgbImageView(const RgbImage& picture);

// A repaint's damaged rectangle as the cell geometry takes it.
inline ScreenRect screenRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.right(), rect.bottom()};
}

} // namespace tessivar::ui
