#include "ui/common/MapViewWidget.h"

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
    const QRect damaged = event->rect();
    const CellRange cells =
        grid.cellsTouching({damaged.left(), damaged.top(), damaged.right(), damaged.bottom()});
    if (cells.lastColumn < cells.firstColumn || cells.lastRow < cells.firstRow)
        return;

    // The cells are painted side by side into one picture and drawn at once.
    const int originX = grid.cellLeft(cells.firstColumn);
    const int originY = grid.cellTop(cells.firstRow);
    picture_.resize(grid.cellLeft(cells.lastColumn + 1) - originX,
                    grid.cellTop(cells.lastRow + 1) - originY);
    BlockLook look;
    look.block = block;
    look.paletteSet = workspace_.editing.CurrentPaletteSet;
    look.zoom = 2;
    for (int row = cells.firstRow; row <= cells.lastRow; ++row) {
        for (int column = cells.firstColumn; column <= cells.lastColumn; ++column) {
            const MapCell& cell = map.cell(row, column);
            look.firstTile = cell.Tile;
            look.palette = cell.Palette;
            look.hFlip = cell.HFlip != 0;
            look.vFlip = cell.VFlip != 0;
            PaintBlock(tileSet, look, picture_, grid.cellLeft(column) - originX,
                       grid.cellTop(row) - originY);
        }
    }
    QPainter painter(this);
    painter.drawImage(originX, originY, rgbImageView(picture_));
}

} // namespace tessivar::ui
