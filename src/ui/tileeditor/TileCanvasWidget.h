#pragma once

#include "core/picture/RgbImage.h"
#include "core/tileeditor/CanvasStroke.h"
#include "core/workspace/Workspace.h"

#include <QWidget>

namespace tessivar::ui {

// The zoomed picture of the current Block. Mouse events go to the core CanvasStroke in
// screen coordinates; the widget repaints what the stroke reports and paints the
// damaged area from the core's canvas picture, drag preview included.
class TileCanvasWidget : public QWidget {
    Q_OBJECT

public:
    TileCanvasWidget(Workspace& workspace, CanvasStroke& stroke, QWidget* parent = nullptr);

    void setZoom(int zoom);
    int zoom() const { return zoom_; }
    void setGridColor(const Rgb& color);
    const Rgb& gridColor() const { return gridColor_; }

Q_SIGNALS:
    // Text for the pixel panel of the status bar.
    void pixelStatusChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // The pixel panel names a pixel only while the pointer is over one.
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void handle(const CanvasResponse& response);
    void repaintPixels(const PixelRect& pixels);

    Workspace& workspace_;
    CanvasStroke& stroke_;
    int zoom_ = 32;
    Rgb gridColor_{0, 0, 0};
    RgbImage picture_; // the whole canvas; only the damaged part is refreshed per paint
};

} // namespace tessivar::ui
