#include "ui/tileeditor/PaletteBoxWidget.h"

#include "core/tileeditor/PaletteColors.h"
#include "ui/common/MouseButtons.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace tessivar::ui {

PaletteBoxWidget::PaletteBoxWidget(Workspace& workspace, UserPrompts& prompts, QWidget* parent)
    : QWidget(parent)
    , workspace_(workspace)
    , prompts_(prompts) {
    setObjectName(QStringLiteral("paletteBox"));
    // One row of swatches is seen: the palette 0 row.
    setFixedSize(PaletteBox::kSwatches * PaletteBox::kSwatchSize, PaletteBox::kSwatchSize);
    setToolTip(tr("Double-click a colour to change it; right-click for preset palettes"));
    BuildPresetMenu();
}

void PaletteBoxWidget::BuildPresetMenu() {
    presetMenu_ = new QMenu(this);
    presetMenu_->setObjectName(QStringLiteral("palettePresets"));
    for (const PalettePreset& preset : BuiltInPalettePresets()) {
        const Palette colors = preset.Colors;
        connect(presetMenu_->addAction(tr(preset.Name)), &QAction::triggered, this, [this, colors] {
            workspace_.Apply(ApplyPalette(workspace_.CurrentTileSet, workspace_.Editing, colors));
        });
    }
    savedPreset_ = presetMenu_->addAction(tr("Saved palette"));
    savedPreset_->setObjectName(QStringLiteral("savedPalette"));
    savedPreset_->setEnabled(false);
    connect(savedPreset_, &QAction::triggered, this, [this] {
        workspace_.Apply(ApplyPalette(workspace_.CurrentTileSet, workspace_.Editing, saved_));
    });
    presetMenu_->addSeparator();
    QAction* save = presetMenu_->addAction(tr("Save palette as preset"));
    save->setObjectName(QStringLiteral("savePalette"));
    connect(save, &QAction::triggered, this, [this] {
        saved_ = CurrentPalette(workspace_.CurrentTileSet, workspace_.Editing);
        savedPreset_->setEnabled(true);
    });
}

void PaletteBoxWidget::contextMenuEvent(QContextMenuEvent* event) {
    presetMenu_->popup(event->globalPos());
}

void PaletteBoxWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    if (event->button() == Qt::LeftButton && x >= 0 &&
        x < PaletteBox::kSwatches * PaletteBox::kSwatchSize)
        workspace_.Apply(EditPaletteColor(workspace_.CurrentTileSet, workspace_.Editing, prompts_,
                                          x / PaletteBox::kSwatchSize));
}

void PaletteBoxWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const TileEditorState& editing = workspace_.Editing;
    const auto& set = workspace_.CurrentTileSet.Palettes[editing.CurrentPaletteSet];
    constexpr int side = PaletteBox::kSwatchSize;
    for (int p = 0; p < kPalettesPerSet; ++p) {
        for (int c = 0; c < kColorsPerPalette; ++c) {
            const Rgb color = DisplayColor(set[p][c]);
            const bool marked = p == editing.CurrentPalette && c == editing.LeftColor;
            const QRect swatch(c * side, p * side, side, side);
            painter.fillRect(swatch, QColor(color.Red, color.Green, color.Blue));
            painter.setPen(marked ? Qt::white : Qt::black);
            painter.drawRect(swatch.adjusted(0, 0, -1, -1));
        }
    }
}

void PaletteBoxWidget::mouseReleaseEvent(QMouseEvent* event) {
    workspace_.Apply(box_.MouseUp(workspace_.CurrentTileSet, workspace_.Editing,
                                  CoreButton(event->button()), event->position().toPoint().x()));
}

} // namespace tessivar::ui
