#pragma once

#include <QImage>
#include <QWidget>

namespace tessivar::ui {

// One view of the "Bitmap Import" dialog: a grey area with a picture drawn centred at
// its shown size times the zoom, scaled while painting with nearest-neighbour sampling
// (no scaled copy is kept). It grows with the zoomed picture so its scroll area scrolls.
class PictureView : public QWidget {
    Q_OBJECT

public:
    explicit PictureView(QWidget* parent = nullptr);

    // `image` is drawn stretched over `shownSize` pixels (before the zoom); it may share
    // memory owned elsewhere, which must outlive it.
    void SetPicture(const QImage& image, QSize shownSize);
    void SetZoom(int zoom);
    // The "Conversion in progress" notice instead of the picture.
    void SetNotice(bool shown);

    QSize sizeHint() const override;

Q_SIGNALS:
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void UpdateMinimumSize();

    QImage image_;
    QSize shownSize_{1, 1};
    int zoom_ = 1;
    bool notice_ = false;
};

} // namespace tessivar::ui
