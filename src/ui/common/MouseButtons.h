#pragma once

#include "core/tileeditor/CanvasTypes.h"

#include <Qt>

namespace tessivar::ui {

// The core's view of a Qt mouse button: left, right, or any other.
MouseButton coreButton(Qt::MouseButton button);

} // namespace tessivar::ui
