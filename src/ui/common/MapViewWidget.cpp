#include "ui/common/MapViewWidget.h"

#include "core/mapeditor/MapCanvasPainter.h"
#include "core/render/BlockPainter.h"
#include "core/render/CellGeometry.h"
#include "ui/common/RgbImageView.h"

#include <QPaintEvent>
#include <QPainter>

namespace tessivar::ui {

MapViewWidget::MapViewWidget(Workspace& workspace, QWidget* parent)
    : QWidget(parent)
    , workspace_(workspace) {
    setObjectName(QStringLiteral("mapView"));
    Refresh();
}

void MapViewWidget::Refresh() {
    const BlockSize block = workspace_.CurrentTileSet.Block;
    const QSize wanted(2 * block.Width * workspace_.Map.Width(),
                       2 * block.Height * workspace_.Map.Height());
    if (size() != wanted)
        setFixedSize(wanted);
    update();
}

void MapViewWidget::paintEvent(QPaintEvent* event) {
    const MapDocument& map = workspace_.Map;
    const TileSet& tileSet = workspace_.CurrentTileSet;
    const BlockSize block = tileSet.Block;
    const CellGeometry grid(2 * block.Width, 2 * block.Height, map.Width(), map.Height());
    const CellArea area = grid.AreaTouching(ToScreenRect(event->rect()));
    if (area.empty())
        return;

    // The cells are painted side by side into one picture and drawn at once.
    const CellRange& cells = area.Cells;
    const int originX = area.Left;
    const int originY = area.Top;
    picture_.Resize(area.Width, area.Height);
    BlockLook look;
    look.Block = block;
    look.PaletteSet = workspace_.Editing.CurrentPaletteSet;
    look.Zoom = 2;
    for (int row = cells.FirstRow; row <= cells.LastRow; ++row) {
        for (int column = cells.FirstColumn; column <= cells.LastColumn; ++column) {
            LookOfCell(look, map.Cell(row, column));
            PaintBlock(tileSet, look, picture_, grid.CellLeft(column) - originX,
                       grid.CellTop(row) - originY);
        }
    }
    QPainter painter(this);
    painter.drawImage(originX, originY, RgbImageView(picture_));
}

} // namespace tessivar::ui
