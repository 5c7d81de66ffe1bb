#include "ui/mapeditor/MapTileListWidget.h"

#include "core/mapeditor/MapTileList.h"
#include "core/render/BlockPainter.h"
#include "ui/common/MouseButtons.h"
#include "ui/common/RgbImageView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

namespace tessivar::ui {

MapTileListWidget::MapTileListWidget(Workspace& workspace, MapEditorState& state, QWidget* parent)
    : QWidget(parent)
    , workspace_(workspace)
    , state_(state) {
    setObjectName(QStringLiteral("mapTileList"));
    setAutoFillBackground(false);
    refresh();
}

void MapTileListWidget::refresh() {
    const MapTileListGeometry g = MapTileListGeometry::For(workspace_.tileSet);
    const QSize wanted(std::max(g.stripWidth, 1), g.stripHeight);
    if (size() != wanted)
        setFixedSize(wanted);
    if (area_)
        area_->setFixedHeight(g.stripHeight + area_->horizontalScrollBar()->sizeHint().height() +
                              2 * area_->frameWidth());
    update();
}

void MapTileListWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(128, 128, 128));
    const TileSet& tileSet = workspace_.tileSet;
    const MapTileListGeometry g = MapTileListGeometry::For(tileSet);
    const int scrollX = area_ ? area_->horizontalScrollBar()->value() : event->rect().left();
    const int visible = area_ ? area_->viewport()->width() : event->rect().width();
    const MapTileListGeometry::Range range = g.visibleBlocks(scrollX, visible);
    const BlockSize block = tileSet.block;
    const int pictureWidth = block.width * g.zoom;
    const int pictureHeight = block.height * g.zoom;
    if (picture_.width != pictureWidth || picture_.height != pictureHeight)
        picture_ = RgbImage(pictureWidth, pictureHeight);
    BlockLook look;
    look.block = block;
    look.paletteSet = 0;
    look.palette = kEachTilesPalette;
    look.zoom = g.zoom;
    look.hFlip = state_.HFlip;
    look.vFlip = state_.VFlip;
    const QFontMetrics metrics = painter.fontMetrics();
    for (int k = range.first; k <= range.last; ++k) {
        const int b = k * g.tilesPerBlock;
        const int left = k * g.pitch;
        if (b == state_.LeftBlock || b == state_.RightBlock) {
            painter.setPen(b == state_.LeftBlock ? QColor(0, 255, 0) : QColor(255, 0, 0));
            painter.setBrush(QColor(128, 128, 128));
            painter.drawRect(left, 0, pictureWidth + 1, pictureHeight + 1);
        }
        look.firstTile = b;
        PaintBlock(tileSet, look, picture_, 0, 0);
        painter.drawImage(left + 1, 1, rgbImageView(picture_));
        const QString number = QString::number(k);
        painter.setPen(Qt::black);
        painter.drawText(left + g.pitch / 2 - metrics.horizontalAdvance(number) / 2,
                         pictureHeight + 4 + metrics.ascent(), number);
    }
}

void MapTileListWidget::mousePressEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    if (ClickMapTileList(state_, workspace_.tileSet, coreButton(event->button()), x)) {
        update();
        Q_EMIT blockPicked();
    }
}

} // namespace tessivar::ui
