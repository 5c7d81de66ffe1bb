#pragma once

#include "core/tileeditor/PaletteBox.h"
#include "core/workspace/Workspace.h"

#include <QWidget>

namespace tessivar::ui {

// The four colour swatches of the current palette set. Exactly four swatches wide, so
// every click lands on a colour; a mouse release picks the left or right colour.
class PaletteBoxWidget : public QWidget {
    Q_OBJECT

public:
    explicit PaletteBoxWidget(Workspace& workspace, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Workspace& workspace_;
    PaletteBox box_;
};

} // namespace tessivar::ui
