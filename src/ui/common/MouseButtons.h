#pragma once

#include "core/grid/MouseButton.h"

#include <Qt>

namespace tessivar::ui {

// The core's view of a Qt mouse button: left, right, or any other.
MouseButton coreButton(Qt::MouseButton button);

} // namespace tessivar::ui
