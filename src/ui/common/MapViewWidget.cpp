#include "ui/common/MapViewWidget.h"

#include "core/mapeditor/MapCanvasPainter.h"
#include "core/render/BlockPainter.h"
#include "core/render/CellGrid.h"
#include "ui/common/RgbImageView.h"

#include <QPaintEvent>
#include <QPainter>

namespace tessivar::ui {

MapViewWidget::MapViewWidget(Workspace& workspace, QWidget* parent)
    : QWidget(parent)
    , workspace_(workspace) {
    setObjectName(QStringLiteral("mapView"));
    refresh();
}

void MapViewWidget::refresh() {
    const BlockSize block = workspace_.tileSet.block;
    const QSize wanted(2 * block.width * workspace_.map.Width(),
                       2 * block.height * workspace_.map.Height());
    if (size() != wanted)
        setFixedSize(wanted);
    update();
}

void MapViewWidget::paintEvent(QPaintEvent* event) {
    const MapDocument& map = workspace_.map;
    const TileSet& tileSet = workspace_.tileSet;
    const BlockSize block = tileSet.block;
    const CellGrid grid(2 * block.width, 2 * block.height, map.Width(), map.Height());
    const CellArea area = grid.areaTouching(screenRect(event->rect()));
    if (area.empty())
        return;

    // The cells are painted side by side into one picture and drawn at once.
    const CellRange& cells = area.cells;
    const int originX = area.left;
    const int originY = area.top;
    picture_.resize(area.width, area.height);
    BlockLook look;
    look.block = block;
    look.paletteSet = workspace_.editing.CurrentPaletteSet;
    look.zoom = 2;
    for (int row = cells.firstRow; row <= cells.lastRow; ++row) {
        for (int column = cells.firstColumn; column <= cells.lastColumn; ++column) {
            LookOfCell(look, map.cell(row, column));
            PaintBlock(tileSet, look, picture_, grid.cellLeft(column) - originX,
                       grid.cellTop(row) - originY);
        }
    }
    QPainter painter(this);
    painter.drawImage(originX, originY, rgbImageView(picture_));
}

} // namespace tessivar::ui
