#pragma once

#include "core/picture/RgbImage.h"
#include "core/workspace/Workspace.h"

#include <QWidget>

namespace tessivar::ui {

// The read-only preview of the map beside the tile editor, each cell at twice the Block
// size with its own palette and flips. Only the cells of the damaged area are drawn.
class MapViewWidget : public QWidget {
    Q_OBJECT

public:
    explicit MapViewWidget(Workspace& workspace, QWidget* parent = nullptr);

    // Sizes the drawing area to the map and the Block size, and repaints it.
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Workspace& workspace_;
    RgbImage picture_; // the cells of the damaged area, reused between paints
};

} // namespace tessivar::ui
