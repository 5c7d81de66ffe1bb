#include "ui/common/ToolButtons.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QToolButton>

#include <utility>

namespace tessivar::ui {

QToolButton* MakeToolButton(ToolPicture picture, const char* hint, const char* objectName,
                            bool checkable) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(objectName));
    button->setToolTip(QCoreApplication::translate("ToolButtons", hint));
    button->setIcon(ToolIcon(picture));
    button->setIconSize(QSize(24, 24));
    button->setFixedSize(kToolButtonSide, kToolButtonSide);
    if (checkable) {
        button->setCheckable(true);
        button->setAutoRaise(false);
    }
    return button;
}

QButtonGroup* MakeToolGroup(std::span<const ToolButtonSpec> specs, QObject* parent,
                            const std::function<void(QToolButton*)>& place) {
    auto* group = new QButtonGroup(parent);
    group->setExclusive(true);
    for (const ToolButtonSpec& spec : specs) {
        QToolButton* button = MakeToolButton(spec.Picture, spec.Hint, spec.ObjectName, true);
        group->addButton(button, spec.Id);
        place(button);
    }
    if (!specs.empty())
        group->button(specs.front().Id)->setChecked(true);
    return group;
}

QMenu* MakeRectangleMenu(QWidget* parent, std::function<void(RectangleMode)> chosen) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("rectangleMenu"));
    auto* modes = new QActionGroup(menu);
    modes->setExclusive(true);
    const std::pair<RectangleMode, const char*> items[] = {{RectangleMode::Filled, "Filled"},
                                                           {RectangleMode::Hollow, "Hollow"}};
    for (const auto& [mode, caption] : items) {
        QAction* action = menu->addAction(QCoreApplication::translate("ToolButtons", caption));
        action->setObjectName(QStringLiteral("rectangle%1").arg(QString::fromLatin1(caption)));
        action->setCheckable(true);
        action->setChecked(mode == RectangleMode::Filled);
        // Each item carries its own small picture, shown in both states.
        action->setIcon(ToolIcon(mode == RectangleMode::Filled ? ToolPicture::FilledMark
                                                               : ToolPicture::HollowMark));
        action->setActionGroup(modes);
        QObject::connect(action, &QAction::triggered, menu,
                         [chosen, mode = mode] { chosen(mode); });
    }
    return menu;
}

} // namespace tessivar::ui
