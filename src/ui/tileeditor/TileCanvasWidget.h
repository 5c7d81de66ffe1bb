#pragma once

#include "core/picture/RgbImage.h"
#include "core/tileeditor/TileStroke.h"
#include "core/workspace/Workspace.h"

#include <QWidget>

namespace tessivar::ui {

// The zoomed picture of the current Block. Mouse events go to the core TileStroke in
// screen coordinates; the widget repaints what the stroke reports and paints the
// damaged area from the core's canvas picture, drag preview included.
class TileCanvasWidget : public QWidget {
    Q_OBJECT

public:
    TileCanvasWidget(Workspace& workspace, TileStroke& stroke, QWidget* parent = nullptr);

    void SetZoom(int zoom);
    int Zoom() const { return zoom_; }
    void SetGridColor(const Rgb& color);
    const Rgb& GridColor() const { return gridColor_; }

Q_SIGNALS:
    // Text for the pixel panel of the status bar.
    void PixelStatusChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // The pixel panel names a pixel only while the pointer is over one.
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Handle(const TileStrokeResponse& response);
    void RepaintPixels(const PixelRect& pixels);

    Workspace& workspace_;
    TileStroke& stroke_;
    int zoom_ = 32;
    Rgb gridColor_{0, 0, 0};
    RgbImage picture_; // the whole canvas; only the damaged part is refreshed per paint
};

} // namespace tessivar::ui
