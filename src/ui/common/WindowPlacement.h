#pragma once

class QWidget;

namespace tessivar::ui {

// Moves `window` so that its centre lies on the centre of `over`, or of the screen's
// available area when `over` is null or hidden. Sizes the window first, so it can run
// before the first showing.
void CentreWindow(QWidget& window, const QWidget* over = nullptr);

// Moves a shown top-level window back inside its screen's available area (shrinking it
// when it is larger).
void KeepWindowOnScreen(QWidget& window);

// Moves `window` beside `owner` (see PlaceBeside), inside the owner's screen.
void PlaceWindowBeside(QWidget& window, const QWidget& owner);

} // namespace tessivar::ui
