#include "ui/tileeditor/TileCanvasWidget.h"

#include "core/render/CanvasPainter.h"
#include "ui/common/MouseButtons.h"
#include "ui/common/RgbImageView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tessivar::ui {

TileCanvasWidget::TileCanvasWidget(Workspace& workspace, CanvasStroke& stroke, QWidget* parent)
    : QWidget(parent)
    , workspace_(workspace)
    , stroke_(stroke) {
    setObjectName(QStringLiteral("tileCanvas"));
    setCursor(Qt::CrossCursor);
    // Moves without a button still update the pixel panel of the status bar.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TileCanvasWidget::setZoom(int zoom) {
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    update();
}

void TileCanvasWidget::setGridColor(const Rgb& color) {
    gridColor_ = color;
    update();
}

void TileCanvasWidget::paintEvent(QPaintEvent* event) {
    const BlockSize block = workspace_.tileSet.block;
    const int width = block.width * zoom_;
    const int height = block.height * zoom_;
    if (picture_.width != width || picture_.height != height)
        picture_ = RgbImage(width, height);

    const QRect damaged = event->rect().intersected(QRect(0, 0, width, height));
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    if (damaged.isEmpty())
        return;
    const CellRange range = TileCanvasGrid(block, zoom_).cellsTouching(screenRect(damaged));
    const EditingState& editing = workspace_.editing;
    CanvasLook look{editing.CurrentTile,
                    editing.CurrentPaletteSet,
                    editing.CurrentPalette,
                    zoom_,
                    gridColor_,
                    {}};
    if (stroke_.dragging())
        look.preview = [this](int x, int y) { return stroke_.previewColorAt(x, y); };
    PaintTileCanvas(workspace_.tileSet, look, range, picture_);
    // The picture is wrapped, not copied: it lives until the painter is done.
    painter.drawImage(damaged.topLeft(), rgbImageView(picture_), damaged);
}

void TileCanvasWidget::repaintPixels(const PixelRect& pixels) {
    if (pixels.empty())
        return;
    // The outline of a square reaches one screen pixel past its far edge.
    update(pixels.left * zoom_, pixels.top * zoom_, pixels.width * zoom_ + 1,
           pixels.height * zoom_ + 1);
}

void TileCanvasWidget::handle(const CanvasResponse& response) {
    workspace_.apply(response.change);
    repaintPixels(response.repaint);
    if (response.status)
        Q_EMIT pixelStatusChanged(QString::fromStdString(*response.status));
}

void TileCanvasWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    handle(stroke_.mouseDown(coreButton(event->button()), at.x(), at.y(), zoom_));
}

void TileCanvasWidget::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Q_EMIT pixelStatusChanged(QString());
}

void TileCanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    handle(stroke_.mouseMove(at.x(), at.y(), zoom_));
}

void TileCanvasWidget::mouseReleaseEvent(QMouseEvent*) {
    handle(stroke_.mouseUp());
}

} // namespace tessivar::ui
