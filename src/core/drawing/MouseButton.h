#pragma once

namespace tessivar {

// The button that presses on a canvas, a tile list or the palette box.
enum class MouseButton { Left, Right, Other };

} // namespace tessivar
