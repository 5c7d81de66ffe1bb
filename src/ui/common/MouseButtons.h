#pragma once

#include "core/drawing/MouseButton.h"

#include <Qt>

namespace tessivar::ui {

// The core's view of a Qt mouse button: left, right, or any other.
MouseButton CoreButton(Qt::MouseButton button);

} // namespace tessivar::ui
