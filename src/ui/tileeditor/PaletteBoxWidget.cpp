#include "ui/tileeditor/PaletteBoxWidget.h"

#include "ui/common/MouseButtons.h"

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
    box_.mouseUp(workspace_, coreButton(event->button()), event->position().toPoint().x());
}

} // namespace tessivar::ui
