#include "ui/tileeditor/TileListWidget.h"

#include "core/render/BlockPainter.h"
#include "core/tileeditor/TileList.h"
#include "ui/common/RgbImageView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tessivar::ui {

namespace {

const QColor kStripGrey(128, 128, 128);

} // namespace

TileListWidget::TileListWidget(Workspace& workspace, QWidget* parent)
    : QWidget(parent)
    , workspace_(workspace) {
    setObjectName(QStringLiteral("tileList"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TileListWidget::SetListZoom(int zoom) {
    if (zoom == listZoom_)
        return;
    listZoom_ = zoom;
    update();
}

void TileListWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), kStripGrey);
    const TileSet& tileSet = workspace_.CurrentTileSet;
    const BlockStartRange range =
        VisibleTileListBlocks(tileSet, listZoom_, event->rect().left(), event->rect().width());
    const int tilesPerBlock = tileSet.TilesPerBlock();
    for (int first = range.First; first <= range.Last; first += tilesPerBlock)
        PaintListBlock(painter, first);
}

void TileListWidget::PaintListBlock(QPainter& painter, int firstTile) {
    const TileSet& tileSet = workspace_.CurrentTileSet;
    const TileEditorState& editing = workspace_.Editing;
    const int block = firstTile / tileSet.TilesPerBlock();
    const int left = TileListGrid(tileSet, listZoom_).CellLeft(block);
    const int imageWidth = tileSet.Block.Width * listZoom_;
    const int imageHeight = tileSet.Block.Height * listZoom_;

    // The white frame is the one-pixel ring around the image.
    if (editing.SelectionStart <= firstTile && firstTile <= editing.SelectionEnd)
        painter.fillRect(left, 0, imageWidth + 2, imageHeight + 2, Qt::white);
    picture_.Resize(imageWidth, imageHeight);
    PaintBlock(tileSet,
               {tileSet.Block, firstTile, kFirstTilesPaletteSet, kEachTilesPalette, listZoom_},
               picture_, 0, 0);
    painter.drawImage(left + 1, 1, RgbImageView(picture_));

    const QString number = QString::number(block);
    const QFontMetrics metrics = painter.fontMetrics();
    const int textLeft = left + (imageWidth + 2) / 2 - metrics.horizontalAdvance(number) / 2;
    const int textTop = imageHeight + 4;
    painter.fillRect(textLeft, textTop, metrics.horizontalAdvance(number), metrics.height(),
                     kStripGrey);
    painter.setPen(Qt::black);
    painter.drawText(textLeft, textTop + metrics.ascent(), number);
}

void TileListWidget::mousePressEvent(QMouseEvent* event) {
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    workspace_.Apply(ClickTileList(workspace_.Editing, workspace_.CurrentTileSet, listZoom_,
                                   event->position().toPoint().x(), shift));
}

} // namespace tessivar::ui
