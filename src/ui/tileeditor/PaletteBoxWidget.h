#pragma once

#include "core/tileeditor/PaletteBox.h"
#include "core/workspace/Workspace.h"

#include <QWidget>

class QAction;
class QMenu;

namespace tessivar::ui {

// The four colour swatches of the current palette set. Exactly four swatches wide, so
// every click lands on a colour; a mouse release picks the left or right colour.
class PaletteBoxWidget : public QWidget {
    Q_OBJECT

public:
    PaletteBoxWidget(Workspace& workspace, UserPrompts& prompts, QWidget* parent = nullptr);

    // The context menu: the preset palettes, the one saved in this run, and saving.
    QMenu* PresetMenu() const { return presetMenu_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A double-click edits the colour under the pointer in the colour dialog.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void BuildPresetMenu();

    Workspace& workspace_;
    UserPrompts& prompts_;
    PaletteBox box_;
    QMenu* presetMenu_ = nullptr;
    QAction* savedPreset_ = nullptr;
    Palette saved_{};
};

} // namespace tessivar::ui
