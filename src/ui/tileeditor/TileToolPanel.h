#pragma once

#include "core/tileeditor/TileStroke.h"
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
    explicit TileToolPanel(TileStroke& stroke, QWidget* parent = nullptr);

    QMenu* RectangleMenu() const { return rectangleMenu_; }
    QAbstractButton* ToolButton(DrawingTool tool) const;

Q_SIGNALS:
    // Text for the tool panel of the status bar.
    void ToolStatusChanged(const QString& text);
    void TransformRequested(BlockTransform transform);
    // The wide button: open the animation preview.
    void AnimationRequested();

private:
    void BuildToolButtons();
    void BuildTransformButtons();
    void BuildRectangleMenu();
    void ChooseTool(DrawingTool tool);
    void ChooseRectangleMode(RectangleMode mode);

    TileStroke& stroke_;
    QButtonGroup* tools_ = nullptr;
    QMenu* rectangleMenu_ = nullptr;
    QPushButton* animationButton_ = nullptr;
};

} // namespace tessivar::ui
