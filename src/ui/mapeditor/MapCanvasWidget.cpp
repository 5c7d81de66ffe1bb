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
    Refresh();
}

CellGeometry MapCanvasWidget::Geometry() const {
    return MapCanvasGrid(workspace_.CurrentTileSet, workspace_.Map);
}

QColor MapCanvasWidget::GridColor() const {
    if (!state_.GridColorChosen)
        return palette().color(QPalette::Button);
    const Rgb& c = state_.MapGridColor;
    return QColor(c.Red, c.Green, c.Blue);
}

void MapCanvasWidget::Refresh() {
    animation_.ForgetShown();
    const CellGeometry grid = Geometry();
    const QSize wanted(grid.Width(), grid.Height());
    if (size() != wanted)
        setFixedSize(wanted);
    update();
}

void MapCanvasWidget::RepaintCell(int column, int row) {
    const CellGeometry grid = Geometry();
    update(grid.CellLeft(column), grid.CellTop(row), grid.PictureWidth(), grid.PictureHeight());
}

void MapCanvasWidget::paintEvent(QPaintEvent* event) {
    const CellGeometry grid = Geometry();
    const QRect damaged = event->rect();
    QPainter painter(this);
    const QColor background = GridColor();
    // Beyond the map (the widget may be stretched) only the background shows.
    painter.fillRect(damaged, background);
    const CellArea area = grid.AreaTouching(ToScreenRect(damaged));
    if (area.empty())
        return;
    const CellRange& cells = area.Cells;
    const int originX = area.Left;
    const int originY = area.Top;
    if (picture_.Width != area.Width || picture_.Height != area.Height)
        picture_ = RgbImage(area.Width, area.Height);
    const TileSet& tileSet = workspace_.CurrentTileSet;
    PaintMapCanvas(tileSet, stroke_, grid, cells, 0xFF000000u | background.rgb(), picture_, originX,
                   originY);
    if (animation_.ShowsFrames() && !state_.RectDragging) {
        for (int row = cells.FirstRow; row <= cells.LastRow; ++row)
            for (int column = cells.FirstColumn; column <= cells.LastColumn; ++column)
                if (const auto* shown = animation_.ShownAt(column, row))
                    PaintMapFrame(tileSet, grid, column, row, shown->Frame, shown->Palette,
                                  picture_, originX, originY);
    }
    painter.drawImage(originX, originY, RgbImageView(picture_));
}

void MapCanvasWidget::Handle(const MapStrokeResponse& response) {
    workspace_.Apply(response.Change);
    if (response.RepaintAll) {
        animation_.ForgetShown();
        update();
    } else if (!response.Repaint.empty()) {
        const CellGeometry grid = Geometry();
        const CellRange& r = response.Repaint;
        animation_.ForgetShown({r.FirstColumn, r.LastColumn, r.FirstRow, r.LastRow});
        update(grid.CellLeft(r.FirstColumn), grid.CellTop(r.FirstRow),
               grid.CellLeft(r.LastColumn + 1) - grid.CellLeft(r.FirstColumn),
               grid.CellTop(r.LastRow + 1) - grid.CellTop(r.FirstRow));
    }
    if (response.Status)
        Q_EMIT CellStatusChanged(QString::fromStdString(*response.Status));
}

void MapCanvasWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    Handle(stroke_.MouseDown(CoreButton(event->button()), at.x(), at.y()));
}

void MapCanvasWidget::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Q_EMIT CellStatusChanged(QString());
}

void MapCanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    Handle(stroke_.MouseMove(at.x(), at.y()));
}

void MapCanvasWidget::mouseReleaseEvent(QMouseEvent*) {
    Handle(stroke_.MouseUp());
}

} // namespace tessivar::ui
