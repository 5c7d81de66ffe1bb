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

QColor ColorIndicator::shownColor() const {
    const EditingState& editing = workspace_.editing;
    const int index = side_ == Side::Left ? editing.LeftColor : editing.RightColor;
    const Rgb color = DisplayColor(
        workspace_.tileSet.paletteTable[editing.CurrentPaletteSet][editing.CurrentPalette][index]);
    return QColor(color.red, color.green, color.blue);
}

void ColorIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), shownColor());
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace tessivar::ui
