#include "ui/common/MouseButtons.h"

namespace tessivar::ui {

MouseButton CoreButton(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        return MouseButton::Left;
    if (button == Qt::RightButton)
        return MouseButton::Right;
    return MouseButton::Other;
}

} // namespace tessivar::ui
