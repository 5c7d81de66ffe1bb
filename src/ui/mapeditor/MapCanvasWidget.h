#pragma once

#include "core/mapeditor/MapAnimation.h"
#include "core/mapeditor/MapStroke.h"
#include "core/picture/RgbImage.h"
#include "core/render/CellGeometry.h"
#include "core/workspace/Workspace.h"

#include <QWidget>

namespace tessivar::ui {

// The zoomed map with its one-pixel grid. Mouse events go to the core MapStroke in
// canvas pixels; the widget repaints the cells the stroke reports, and a paint draws only
// the cells of the damaged area, with the frames the map animation shows in them.
class MapCanvasWidget : public QWidget {
    Q_OBJECT

public:
    MapCanvasWidget(Workspace& workspace, MapEditorState& state, MapStroke& stroke,
                    MapAnimation& animation, QWidget* parent = nullptr);

    // Sizes the drawing area to the map and repaints all of it; frames are dropped.
    void Refresh();
    // Repaints cell (column, row), with the frame the animation shows there if any.
    void RepaintCell(int column, int row);
    CellGeometry Geometry() const;
    // Background and grid lines: the grid colour once chosen, the window face before.
    QColor GridColor() const;

Q_SIGNALS:
    // Text for the cell panel of the status bar.
    void CellStatusChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // The cell panel names a cell only while the pointer is over one.
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Handle(const MapStrokeResponse& response);

    Workspace& workspace_;
    MapEditorState& state_;
    MapStroke& stroke_;
    MapAnimation& animation_;
    RgbImage picture_; // the cells of the damaged area, reused between paints
};

} // namespace tessivar::ui
