#pragma once

// The square picture buttons of the editors' tool panels and the "Filled" / "Hollow"
// pop-up of their rectangle tools, built the same way for both editors.

#include "core/drawing/DrawingTypes.h"
#include "ui/common/ToolIcons.h"

#include <functional>
#include <span>

class QButtonGroup;
class QMenu;
class QObject;
class QToolButton;
class QWidget;

namespace tessivar::ui {

// Side of a tool button in screen pixels.
inline constexpr int kToolButtonSide = 28;

// A button showing `picture` with the tool-tip `hint`; `checkable` for tools that stay
// down, plain for commands.
QToolButton* MakeToolButton(ToolPicture picture, const char* hint, const char* objectName,
                            bool checkable);

// One button of a panel's tool row; `id` is the tool's value in the button group.
struct ToolButtonSpec {
    int Id;
    ToolPicture Picture;
    const char* Hint;
    const char* ObjectName;
};

// An exclusive group of checkable tool buttons, one per spec, the first one down. `place`
// puts each button into the panel's layout.
QButtonGroup* MakeToolGroup(std::span<const ToolButtonSpec> specs, QObject* parent,
                            const std::function<void(QToolButton*)>& place);

// The rectangle pop-up "RectangleMenu" with the radio items "Filled" (checked) and
// "Hollow" ("rectangleFilled", "rectangleHollow"), each with its own check-mark picture.
// `chosen` runs when the user picks an item.
QMenu* MakeRectangleMenu(QWidget* parent, std::function<void(RectangleMode)> chosen);

} // namespace tessivar::ui
