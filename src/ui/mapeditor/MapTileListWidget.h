#pragma once

#include "core/mapeditor/MapEditorState.h"
#include "core/picture/RgbImage.h"
#include "core/workspace/Workspace.h"

#include <QWidget>

class QScrollArea;

namespace tessivar::ui {

// The strip of Blocks at the top of the map editor, on a grey background: each Block as
// the flip buttons show it, its number under it, the left button's Block outlined in
// green and the right button's in red. Only the Blocks in the visible part are drawn.
class MapTileListWidget : public QWidget {
    Q_OBJECT

public:
    MapTileListWidget(Workspace& workspace, MapEditorState& state, QWidget* parent = nullptr);

    // The scroll area it sits in, whose visible part decides what is drawn.
    void SetScrollArea(QScrollArea* area) { area_ = area; }
    // Sizes the strip to the tile count and Block size, and repaints it.
    void Refresh();

Q_SIGNALS:
    // A click picked a Block (and maybe the map palette).
    void BlockPicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Workspace& workspace_;
    MapEditorState& state_;
    QScrollArea* area_ = nullptr;
    RgbImage picture_;
};

} // namespace tessivar::ui
