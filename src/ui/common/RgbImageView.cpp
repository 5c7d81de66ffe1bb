#include "ui/common/RgbImageView.h"

namespace tessivar::ui {

QImage rgbImageView(const RgbImage& picture) {
    return QImage(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                  picture.height, picture.width * 4, QImage::Format_RGB32);
}

} // namespace tessivar::ui
