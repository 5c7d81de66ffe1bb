#include "ui/tileeditor/PaletteBoxWidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace tessivar::ui {

PaletteBoxWidget::PaletteBoxWidget(Workspace& workspace, QWidget* parent)
    : QWidget(parent)
    , workspace_(workspace) {
    setObjectName(QStringLiteral("paletteBox"));
    // One row of swatches is seen: the palette 0 row.
    setFixedSize(PaletteBox::kSwatches * PaletteBox::kSwatchSize, PaletteBox::kSwatchSize);
}

void PaletteBoxWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const EditingState& editing = workspace_.editing;
    const auto& set = workspace_.tileSet.paletteTable[editing.CurrentPaletteSet];
    constexpr int side = PaletteBox::kSwatchSize;
    for (int p = 0; p < kPalettesPerSet; ++p) {
        for (int c = 0; c < kColorsPerPalette; ++c) {
            const Rgb color = DisplayColor(set[p][c]);
            const bool marked = p == editing.CurrentPalette && c == editing.LeftColor;
            const QRect swatch(c * side, p * side, side, side);
            painter.fillRect(swatch, QColor(color.red, color.green, color.blue));
            painter.setPen(marked ? Qt::white : Qt::black);
            painter.drawRect(swatch.adjusted(0, 0, -1, -1));
        }
    }
}

void PaletteBoxWidget::mouseReleaseEvent(QMouseEvent* event) {
    MouseButton button = MouseButton::Other;
    if (event->button() == Qt::LeftButton)
        button = MouseButton::Left;
    else if (event->button() == Qt::RightButton)
        button = MouseButton::Right;
    box_.mouseUp(workspace_, button, event->position().toPoint().x());
}

} // namespace tessivar::ui
