#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace tessivar::ui {

// Menu items carry object names, so code and tests find them without their captions.
inline QAction* AddNamedAction(QMenu* menu, const char* objectName, const QString& caption,
                               const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setShortcut(shortcut);
    return action;
}

inline QAction* FindNamedAction(const QObject* window, const char* objectName) {
    return window->findChild<QAction*>(QString::fromLatin1(objectName));
}

} // namespace tessivar::ui
