#include "ui/tileeditor/TileCanvasWidget.h"

#include "core/render/CanvasPainter.h"
#include "ui/common/MouseButtons.h"
#include "ui/common/RgbImageView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tessivar::ui {

TileCanvasWidget::TileCanvasWidget(Workspace& workspace, TileStroke& stroke, QWidget* parent)
    : QWidget(parent)
    , workspace_(workspace)
    , stroke_(stroke) {
    setObjectName(QStringLiteral("tileCanvas"));
    setCursor(Qt::CrossCursor);
    // Moves without a button still update the pixel panel of the status bar.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TileCanvasWidget::SetZoom(int Zoom) {
    if (Zoom == zoom_)
        return;
    zoom_ = Zoom;
    update();
}

void TileCanvasWidget::SetGridColor(const Rgb& color) {
    gridColor_ = color;
    update();
}

void TileCanvasWidget::paintEvent(QPaintEvent* event) {
    const BlockSize block = workspace_.CurrentTileSet.Block;
    const int width = block.Width * zoom_;
    const int height = block.Height * zoom_;
    if (picture_.Width != width || picture_.Height != height)
        picture_ = RgbImage(width, height);

    const QRect damaged = event->rect().intersected(QRect(0, 0, width, height));
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    if (damaged.isEmpty())
        return;
    const CellRange range = TileCanvasGrid(block, zoom_).CellsTouching(ToScreenRect(damaged));
    const TileEditorState& editing = workspace_.Editing;
    CanvasLook look{editing.CurrentTile,
                    editing.CurrentPaletteSet,
                    editing.CurrentPalette,
                    zoom_,
                    gridColor_,
                    {}};
    if (stroke_.Dragging())
        look.Preview = [this](int x, int y) { return stroke_.PreviewColorAt(x, y); };
    PaintTileCanvas(workspace_.CurrentTileSet, look, range, picture_);
    // The picture is wrapped, not copied: it lives until the painter is done.
    painter.drawImage(damaged.topLeft(), RgbImageView(picture_), damaged);
}

void TileCanvasWidget::RepaintPixels(const PixelRect& pixels) {
    if (pixels.empty())
        return;
    // The outline of a square reaches one screen pixel past its far edge.
    update(pixels.Left * zoom_, pixels.Top * zoom_, pixels.Width * zoom_ + 1,
           pixels.Height * zoom_ + 1);
}

void TileCanvasWidget::Handle(const TileStrokeResponse& response) {
    workspace_.Apply(response.Change);
    RepaintPixels(response.Repaint);
    if (response.Status)
        Q_EMIT PixelStatusChanged(QString::fromStdString(*response.Status));
}

void TileCanvasWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    Handle(stroke_.MouseDown(CoreButton(event->button()), at.x(), at.y(), zoom_));
}

void TileCanvasWidget::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Q_EMIT PixelStatusChanged(QString());
}

void TileCanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    Handle(stroke_.MouseMove(at.x(), at.y(), zoom_));
}

void TileCanvasWidget::mouseReleaseEvent(QMouseEvent*) {
    Handle(stroke_.MouseUp());
}

} // namespace tessivar::ui
