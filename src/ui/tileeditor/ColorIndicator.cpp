#include "ui/tileeditor/ColorIndicator.h"

#include <QPainter>

namespace tessivar::ui {

ColorIndicator::ColorIndicator(Workspace& workspace, Side side, QWidget* parent)
    : QWidget(parent)
    , workspace_(workspace)
    , side_(side) {
    setObjectName(side == Side::Left ? QStringLiteral("leftColor") : QStringLiteral("rightColor"));
    setFixedSize(16, 16);
}

QColor ColorIndicator::ShownColor() const {
    const TileEditorState& editing = workspace_.Editing;
    const int index = side_ == Side::Left ? editing.LeftColor : editing.RightColor;
    const Rgb color =
        DisplayColor(workspace_.CurrentTileSet
                         .Palettes[editing.CurrentPaletteSet][editing.CurrentPalette][index]);
    return QColor(color.Red, color.Green, color.Blue);
}

void ColorIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ShownColor());
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace tessivar::ui
