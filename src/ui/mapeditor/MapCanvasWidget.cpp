#include "ui/mapeditor/MapCanvasWidget.h"

#include "core/mapeditor/MapCanvasPainter.h"
#include "ui/common/MouseButtons.h"
#include "ui/common/RgbImageView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tessivar::ui {

MapCanvasWidget::MapCanvasWidget(Workspace& workspace, MapEditorState& state, MapStroke& stroke,
                                 MapAnimation& animation, QWidget* parent)
    : QWidget(parent)
    , workspace_(workspace)
    , state_(state)
    , stroke_(stroke)
    , animation_(animation) {
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
    animation_.forgetShown();
    const CellGrid grid = cellGrid();
    const QSize wanted(grid.width(), grid.height());
    if (size() != wanted)
        setFixedSize(wanted);
    update();
}

void MapCanvasWidget::repaintCell(int column, int row) {
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
    const CellArea area = grid.areaTouching(screenRect(damaged));
    if (area.empty())
        return;
    const CellRange& cells = area.cells;
    const int originX = area.left;
    const int originY = area.top;
    if (picture_.width != area.width || picture_.height != area.height)
        picture_ = RgbImage(area.width, area.height);
    const TileSet& tileSet = workspace_.tileSet;
    PaintMapCanvas(tileSet, stroke_, grid, cells, 0xFF000000u | background.rgb(), picture_, originX,
                   originY);
    if (animation_.showsFrames() && !state_.RectDragging) {
        for (int row = cells.firstRow; row <= cells.lastRow; ++row)
            for (int column = cells.firstColumn; column <= cells.lastColumn; ++column)
                if (const auto* shown = animation_.shownAt(column, row))
                    PaintMapFrame(tileSet, grid, column, row, shown->frame, shown->palette,
                                  picture_, originX, originY);
    }
    painter.drawImage(originX, originY, rgbImageView(picture_));
}

void MapCanvasWidget::handle(const MapResponse& response) {
    workspace_.apply(response.change);
    if (response.repaintAll) {
        animation_.forgetShown();
        update();
    } else if (!response.repaint.empty()) {
        const CellGrid grid = cellGrid();
        const MapCellRange& r = response.repaint;
        animation_.forgetShown({r.firstColumn, r.lastColumn, r.firstRow, r.lastRow});
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
}

} // namespace tessivar::ui
