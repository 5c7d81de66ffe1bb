#include "ui/common/WindowPlacement.h"

#include "core/workspace/WindowPlacement.h"

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

namespace {

WindowRect ToScreenRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QRect AvailableArea(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// Moves and sizes the window so that its frame covers `frame`.
void SetFrame(QWidget& window, const WindowRect& frame) {
    const QSize margins = window.frameGeometry().size() - window.size();
    const QSize inner(frame.Width - margins.width(), frame.Height - margins.height());
    if (inner != window.size())
        window.resize(inner);
    window.move(frame.X, frame.Y);
}

} // namespace

void KeepWindowOnScreen(QWidget& window) {
    const QRect available = AvailableArea(window);
    if (available.isEmpty())
        return;
    SetFrame(window, KeepInside(ToScreenRect(window.frameGeometry()), ToScreenRect(available)));
}

void PlaceWindowBeside(QWidget& window, const QWidget& owner) {
    const QRect available = AvailableArea(owner);
    if (available.isEmpty())
        return;
    const QSize frame = window.frameGeometry().size();
    SetFrame(window, PlaceBeside(ToScreenRect(owner.frameGeometry()), frame.width(), frame.height(),
                                 ToScreenRect(available)));
}

} // namespace tessivar::ui
