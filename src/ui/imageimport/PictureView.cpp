#include "ui/imageimport/PictureView.h"

#include <QPainter>

namespace tessivar::ui {

namespace {

const QColor kViewGrey(0x80, 0x80, 0x80);
constexpr int kNoticeWidth = 112;
constexpr int kNoticeHeight = 32;
constexpr int kNoticeCentre = 56;
constexpr int kNoticeMiddle = 16;

} // namespace

PictureView::PictureView(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::SetPicture(const QImage& image, QSize shownSize) {
    image_ = image;
    shownSize_ = shownSize;
    notice_ = false;
    UpdateMinimumSize();
    update();
}

void PictureView::SetZoom(int zoom) {
    zoom_ = zoom;
    UpdateMinimumSize();
    update();
}

void PictureView::SetNotice(bool shown) {
    notice_ = shown;
    UpdateMinimumSize();
    update();
}

QSize PictureView::sizeHint() const {
    return minimumSize();
}

void PictureView::UpdateMinimumSize() {
    setMinimumSize(notice_ ? QSize(kNoticeWidth, kNoticeHeight) * zoom_ : shownSize_ * zoom_);
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kViewGrey);
    if (notice_) {
        // Drawn at 1x on a 112 x 32 notice, then pixel-doubled in 2x.
        painter.translate((width() - kNoticeWidth * zoom_) / 2,
                          (height() - kNoticeHeight * zoom_) / 2);
        painter.scale(zoom_, zoom_);
        painter.setPen(QColor(0x80, 0, 0));
        const QFontMetrics metrics = painter.fontMetrics();
        const int lineHeight = metrics.height();
        const auto centred = [&](const QString& text, int top) {
            painter.drawText(kNoticeCentre - metrics.horizontalAdvance(text) / 2,
                             top + metrics.ascent(), text);
        };
        centred(tr("Conversion in progress"), kNoticeMiddle - lineHeight);
        centred(tr("Please wait..."), kNoticeMiddle);
        return;
    }
    if (image_.isNull())
        return;
    const QSize shown = shownSize_ * zoom_;
    const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2),
                       shown);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, image_);
}

void PictureView::mouseDoubleClickEvent(QMouseEvent*) {
    Q_EMIT DoubleClicked();
}

} // namespace tessivar::ui
