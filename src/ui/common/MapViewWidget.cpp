#include "ui/common/MapViewWidget.h"

#include "core/tileeditor/TileRendering.h"

#include <QImage>
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
    const BlockSize block = workspace_.tileSet.block;
    const int cellWidth = 2 * block.width;
    const int cellHeight = 2 * block.height;
    const QRect damaged = event->rect();
    const CellRange cells =
        DamagedCells({damaged.left(), damaged.top(), damaged.right(), damaged.bottom()}, cellWidth,
                     cellHeight, map.Width(), map.Height());

    QPainter painter(this);
    const int paletteSet = workspace_.editing.CurrentPaletteSet;
    for (int row = cells.firstRow; row <= cells.lastRow; ++row) {
        for (int column = cells.firstColumn; column <= cells.lastColumn; ++column) {
            const RgbImage picture =
                RenderMapCell(workspace_.tileSet, paletteSet, map.cell(row, column));
            const QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                               picture.height, picture.width * 4, QImage::Format_RGB32);
            painter.drawImage(column * cellWidth, row * cellHeight, image);
        }
    }
}

} // namespace tessivar::ui
