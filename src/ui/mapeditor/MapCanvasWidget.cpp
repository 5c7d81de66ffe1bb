#include "ui/mapeditor/MapCanvasWidget.h"

#include "core/mapeditor/MapCanvasPainter.h"
#include "ui/common/MouseButtons.h"
#include "ui/common/RgbImageView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tessivar::ui {

MapCanvasWidget::MapCanvasWidget(Workspace& workspace, MapEditorState& state, MapStroke& stroke,
                                 QWidget* parent)
    : QWidget(parent)
    , workspace_(workspace)
    , state_(state)
    , stroke_(stroke) {
    setObjectName(QStringLiteral("mapCanvas"));
    setCursor(Qt::CrossCursor);
    setMouseTracking(true); // moves without a button update the status bar
    setAttribute(Qt::WA_OpaquePaintEvent);
    refresh();
}

CellGrid MapCanvasWidget::cellGrid() const {
    return MapCanvasGrid(workspace_.tileSet, workspace_.map);
}

QColor MapCanvasWidget::gridColor() const {
    if (!state_.gridColorChosen)
        return palette().color(QPalette::Button);
    const Rgb& c = state_.MapGridColor;
    return QColor(c.red, c.green, c.blue);
}

void MapCanvasWidget::refresh() {
    frames_.clear();
    const CellGrid grid = cellGrid();
    const QSize wanted(grid.width(), grid.height());
    if (size() != wanted)
        setFixedSize(wanted);
    update();
}

void MapCanvasWidget::showFrame(int column, int row, int frame, int palette) {
    frames_[static_cast<long long>(row) * workspace_.map.Width() + column] = {frame, palette};
    const CellGrid grid = cellGrid();
    update(grid.cellLeft(column), grid.cellTop(row), grid.pictureWidth(), grid.pictureHeight());
}

void MapCanvasWidget::paintEvent(QPaintEvent* event) {
    const CellGrid grid = cellGrid();
    const QRect damaged = event->rect();
    QPainter painter(this);
    const QColor background = gridColor();
    // Beyond the map (the widget may be stretched) only the background shows.
    painter.fillRect(damaged, background);
    const CellRange cells =
        grid.cellsTouching({damaged.left(), damaged.top(), damaged.right(), damaged.bottom()});
    if (cells.lastColumn < cells.firstColumn || cells.lastRow < cells.firstRow)
        return;
    const int originX = grid.cellLeft(cells.firstColumn);
    const int originY = grid.cellTop(cells.firstRow);
    const int width = grid.cellLeft(cells.lastColumn + 1) - originX;
    const int height = grid.cellTop(cells.lastRow + 1) - originY;
    if (picture_.width != width || picture_.height != height)
        picture_ = RgbImage(width, height);
    const TileSet& tileSet = workspace_.tileSet;
    PaintMapCanvas(tileSet, stroke_, grid, cells, 0xFF000000u | background.rgb(), picture_, originX,
                   originY);
    if (!frames_.empty() && !state_.RectDragging) {
        const int columns = workspace_.map.Width();
        for (int row = cells.firstRow; row <= cells.lastRow; ++row)
            for (int column = cells.firstColumn; column <= cells.lastColumn; ++column) {
                const auto found = frames_.find(static_cast<long long>(row) * columns + column);
                if (found != frames_.end())
                    PaintMapFrame(tileSet, grid, column, row, found->second.frame,
                                  found->second.palette, picture_, originX, originY);
            }
    }
    painter.drawImage(originX, originY, rgbImageView(picture_));
}

void MapCanvasWidget::handle(const MapResponse& response) {
    if (response.repaintAll) {
        frames_.clear();
        update();
    } else if (!response.repaint.empty()) {
        const CellGrid grid = cellGrid();
        const MapCellRange& r = response.repaint;
        for (int row = r.firstRow; row <= r.lastRow; ++row)
            for (int column = r.firstColumn; column <= r.lastColumn; ++column)
                frames_.erase(static_cast<long long>(row) * workspace_.map.Width() + column);
        update(grid.cellLeft(r.firstColumn), grid.cellTop(r.firstRow),
               grid.cellLeft(r.lastColumn + 1) - grid.cellLeft(r.firstColumn),
               grid.cellTop(r.lastRow + 1) - grid.cellTop(r.firstRow));
    }
    if (response.status)
        Q_EMIT cellStatusChanged(QString::fromStdString(*response.status));
}

void MapCanvasWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    handle(stroke_.mouseDown(coreButton(event->button()), at.x(), at.y()));
}

void MapCanvasWidget::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Q_EMIT cellStatusChanged(QString());
}

void MapCanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    handle(stroke_.mouseMove(at.x(), at.y()));
}

void MapCanvasWidget::mouseReleaseEvent(QMouseEvent*) {
    handle(stroke_.mouseUp());
    Q_EMIT strokeFinished();
}

} // namespace tessivar::ui
