#include "ui/common/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tessivar::ui {

void CentreWindow(QWidget& window, const QWidget* over) {
    window.adjustSize();
    QPoint centre;
    if (over && over->isVisible()) {
        centre = over->frameGeometry().center();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        centre = screen->availableGeometry().center();
    } else {
        return;
    }
    window.move(centre - window.rect().center());
}

} // namespace tessivar::ui
