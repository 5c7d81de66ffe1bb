#pragma once

#include "core/tileeditor/CanvasStroke.h"
#include "core/tileeditor/TransformCommands.h"

#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QMenu;
class QPushButton;

namespace tessivar::ui {

// The buttons under the canvas: the four drawing tools in a radio group (the rectangle
// tool also opens the "Filled" / "Hollow" pop-up at the cursor), the seven transform
// push buttons and the wide animation preview button.
class TileToolPanel : public QWidget {
    Q_OBJECT

public:
    explicit TileToolPanel(CanvasStroke& stroke, QWidget* parent = nullptr);

    QMenu* rectangleMenu() const { return rectangleMenu_; }
    QAbstractButton* toolButton(DrawingTool tool) const;

Q_SIGNALS:
    // Text for the tool panel of the status bar.
    void toolStatusChanged(const QString& text);
    void transformRequested(BlockTransform transform);
    // The wide button: open the animation preview.
    void animationRequested();

private:
    void buildToolButtons();
    void buildTransformButtons();
    void buildRectangleMenu();
    void chooseTool(DrawingTool tool);
    void chooseRectangleMode(RectangleMode mode);

    CanvasStroke& stroke_;
    QButtonGroup* tools_ = nullptr;
    QMenu* rectangleMenu_ = nullptr;
    QPushButton* animationButton_ = nullptr;
};

} // namespace tessivar::ui
