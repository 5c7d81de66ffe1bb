#pragma once

class QWidget;

namespace tessivar::ui {

// Moves `window` so that its centre lies on the centre of `over`, or of the screen's
// available area when `over` is null or hidden. Sizes the window first, so it can run
// before the first showing.
void CentreWindow(QWidget& window, const QWidget* over = nullptr);

} // namespace tessivar::ui
