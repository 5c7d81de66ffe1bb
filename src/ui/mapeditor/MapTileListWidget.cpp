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
    Refresh();
}

void MapTileListWidget::Refresh() {
    const MapTileListGeometry g = MapTileListGeometry::For(workspace_.CurrentTileSet);
    const QSize wanted(std::max(g.StripWidth, 1), g.StripHeight);
    if (size() != wanted)
        setFixedSize(wanted);
    if (area_)
        area_->setFixedHeight(g.StripHeight + area_->horizontalScrollBar()->sizeHint().height() +
                              2 * area_->frameWidth());
    update();
}

void MapTileListWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(128, 128, 128));
    const TileSet& tileSet = workspace_.CurrentTileSet;
    const MapTileListGeometry g = MapTileListGeometry::For(tileSet);
    const int scrollX = area_ ? area_->horizontalScrollBar()->value() : event->rect().left();
    const int visible = area_ ? area_->viewport()->width() : event->rect().width();
    const MapTileListGeometry::Range range = g.VisibleBlocks(scrollX, visible);
    const BlockSize block = tileSet.Block;
    const int pictureWidth = block.Width * g.Zoom;
    const int pictureHeight = block.Height * g.Zoom;
    if (picture_.Width != pictureWidth || picture_.Height != pictureHeight)
        picture_ = RgbImage(pictureWidth, pictureHeight);
    BlockLook look;
    look.Block = block;
    look.PaletteSet = 0;
    look.Palette = kEachTilesPalette;
    look.Zoom = g.Zoom;
    look.HFlip = state_.HFlip;
    look.VFlip = state_.VFlip;
    const QFontMetrics metrics = painter.fontMetrics();
    for (int k = range.First; k <= range.Last; ++k) {
        const int b = k * g.TilesPerBlock;
        const int left = k * g.Pitch;
        if (b == state_.LeftBlock || b == state_.RightBlock) {
            painter.setPen(b == state_.LeftBlock ? QColor(0, 255, 0) : QColor(255, 0, 0));
            painter.setBrush(QColor(128, 128, 128));
            painter.drawRect(left, 0, pictureWidth + 1, pictureHeight + 1);
        }
        look.FirstTile = b;
        PaintBlock(tileSet, look, picture_, 0, 0);
        painter.drawImage(left + 1, 1, RgbImageView(picture_));
        const QString number = QString::number(k);
        painter.setPen(Qt::black);
        painter.drawText(left + g.Pitch / 2 - metrics.horizontalAdvance(number) / 2,
                         pictureHeight + 4 + metrics.ascent(), number);
    }
}

void MapTileListWidget::mousePressEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    if (ClickMapTileList(state_, workspace_.CurrentTileSet, CoreButton(event->button()), x)) {
        update();
        Q_EMIT BlockPicked();
    }
}

} // namespace tessivar::ui
