#include "ui/app/ApplicationIcon.h"
#include "ui/app/EditorSession.h"
#include "ui/app/QtUserPrompts.h"
#include "ui/tileeditor/TileEditorWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessivar"));
    QApplication::setOrganizationName(QStringLiteral("Brennow"));
    QApplication::setApplicationVersion(QStringLiteral(TESSIVAR_VERSION));
    // The menu entry's name, which also ties the windows to it under Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral(TESSIVAR_APP_ID));
    QApplication::setWindowIcon(tessivar::ui::ApplicationIcon());
    // The program ends when the main window closes, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);

    tessivar::ui::QtUserPrompts prompts;
    tessivar::ui::EditorSession session(prompts);
    prompts.SetParentWindow(&session.TileEditor());
    QObject::connect(&session.TileEditor(), &tessivar::ui::TileEditorWindow::Closed, &application,
                     &QApplication::quit);

    // The whole argument text is one path, spaces included.
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    session.Start(arguments.join(QLatin1Char(' ')).toStdString());
    return QApplication::exec();
}
