#pragma once

#include "core/picture/RgbImage.h"
#include "core/render/CellGeometry.h"

#include <QImage>
#include <QRect>

namespace tessivar::ui {

// A QImage over the pixels of `picture`, without a copy. The picture must outlive every
// use of the QImage (draw it before the picture changes or goes away).
QImage RgbImageView(const RgbImage& picture);

// A repaint's damaged rectangle as the cell geometry takes it.
inline ScreenRect ToScreenRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.right(), rect.bottom()};
}

} // namespace tessivar::ui
