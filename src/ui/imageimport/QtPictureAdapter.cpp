#include "ui/imageimport/QtPictureAdapter.h"

#include "core/picture/PictureFile.h"

#include <QImage>

#include <algorithm>

namespace tessivar {

namespace {

// Pictures of other pixel formats are converted this many rows at a time.
constexpr int kStripRows = 256;

void CopyRgb32Rows(const QImage& strip, int firstRow, BitmapImage& out) {
    for (int y = 0; y < strip.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(strip.constScanLine(y));
        auto row = out.Row(firstRow + y);
        for (int x = 0; x < strip.width(); ++x) {
            row[static_cast<std::size_t>(x) * 3] = static_cast<std::uint8_t>(qBlue(pixels[x]));
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<std::uint8_t>(qGreen(pixels[x]));
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<std::uint8_t>(qRed(pixels[x]));
        }
    }
}

} // namespace

Result<BitmapImage> PictureFromQImage(const QImage& image) {
    auto out = NewPicture(image.width(), image.height());
    if (!out)
        return out;
    const bool direct =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    for (int first = 0; first < image.height(); first += kStripRows) {
        const int rows = std::min(kStripRows, image.height() - first);
        if (direct) {
            // Shares the pixels: no copy.
            const QImage strip(image.constScanLine(first), image.width(), rows,
                               image.bytesPerLine(), image.format());
            CopyRgb32Rows(strip, first, *out);
        } else {
            // Unpremultiplied, so the alpha channel drops out without darkening. Qt gives
            // an empty picture when it runs out of memory.
            const QImage strip =
                image.copy(0, first, image.width(), rows).convertToFormat(QImage::Format_ARGB32);
            if (strip.isNull())
                return Fail(kPictureOutOfMemory);
            CopyRgb32Rows(strip, first, *out);
        }
    }
    return out;
}

} // namespace tessivar
