#pragma once

#include "core/picture/RgbImage.h"
#include "core/workspace/Workspace.h"

#include <QWidget>

namespace tessivar::ui {

// The strip of Blocks above the canvas: every Block at ListZoom with its number below,
// the selected ones framed in white. Only the Blocks inside the damaged area are drawn.
// A mouse press (any button, Shift for a range) picks Blocks through the core rule.
class TileListWidget : public QWidget {
    Q_OBJECT

public:
    explicit TileListWidget(Workspace& workspace, QWidget* parent = nullptr);

    void SetListZoom(int zoom);
    int ListZoom() const { return listZoom_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void PaintListBlock(QPainter& painter, int firstTile);

    Workspace& workspace_;
    int listZoom_ = 4;
    RgbImage picture_; // one Block, reused for every Block drawn
};

} // namespace tessivar::ui
