#pragma once

#include <QIcon>

namespace tessivar::ui {

// The program's icon (the one installed for the menu entry), for the windows and the
// About window.
QIcon ApplicationIcon();

} // namespace tessivar::ui
