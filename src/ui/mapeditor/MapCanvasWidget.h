#pragma once

#include "core/mapeditor/MapStroke.h"
#include "core/picture/RgbImage.h"
#include "core/render/CellGrid.h"
#include "core/workspace/Workspace.h"

#include <QWidget>

#include <unordered_map>

namespace tessivar::ui {

// The zoomed map with its one-pixel grid. Mouse events go to the core MapStroke in
// canvas pixels; the widget repaints the cells the stroke reports, and a paint draws only
// the cells of the damaged area. Animation frames are drawn into single cells until the
// next full redraw.
class MapCanvasWidget : public QWidget {
    Q_OBJECT

public:
    MapCanvasWidget(Workspace& workspace, MapEditorState& state, MapStroke& stroke,
                    QWidget* parent = nullptr);

    // Sizes the drawing area to the map and repaints all of it; frames are dropped.
    void refresh();
    // Shows Tile `frame` in cell (column, row) until the next full redraw.
    void showFrame(int column, int row, int frame, int palette);
    CellGrid cellGrid() const;
    // Background and grid lines: the grid colour once chosen, the window face before.
    QColor gridColor() const;

Q_SIGNALS:
    // Text for the cell panel of the status bar.
    void cellStatusChanged(const QString& text);
    // A stroke ended, so the views beside the map may repaint.
    void strokeFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // The cell panel names a cell only while the pointer is over one.
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void handle(const MapResponse& response);

    struct Frame {
        int frame;
        int palette;
    };

    Workspace& workspace_;
    MapEditorState& state_;
    MapStroke& stroke_;
    RgbImage picture_; // the cells of the damaged area, reused between paints
    std::unordered_map<long long, Frame> frames_; // cell index -> frame shown
};

} // namespace tessivar::ui
