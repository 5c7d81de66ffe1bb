#include "ui/common/RgbImageView.h"

namespace tessivar::ui {

QImage RgbImageView(const RgbImage& picture) {
    return QImage(reinterpret_cast<const uchar*>(picture.Pixels.data()), picture.Width,
                  picture.Height, picture.Width * 4, QImage::Format_RGB32);
}

} // namespace tessivar::ui
