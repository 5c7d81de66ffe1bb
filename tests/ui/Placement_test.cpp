// Where message boxes and the Map Size dialog appear, and which icon a box shows.

#include "../common/ScriptedPrompts.h"

#include "ui/app/EditorSession.h"
#include "ui/app/QtUserPrompts.h"
#include "ui/mapeditor/MapEditorWindow.h"
#include "ui/mapeditor/MapSizeDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs `open`, which shows a modal dialog; meanwhile records the dialog's centre and
// closes it. `icon` receives the icon of a message box.
QPoint centreOfModal(const std::function<void()>& open, QMessageBox::Icon* icon = nullptr) {
    QPoint centre(-1000, -1000);
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        centre = modal->frameGeometry().center();
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && icon)
            *icon = box->icon();
        static_cast<QDialog*>(modal)->reject();
    });
    open();
    return centre;
}

QPoint screenCentre() {
    return QGuiApplication::primaryScreen()->availableGeometry().center();
}

bool near(QPoint a, QPoint b) {
    return (a - b).manhattanLength() <= 4;
}

} // namespace

class PlacementTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void boxAtStartUpIsCentredOnTheScreen() {
        QWidget mainWindow; // not shown yet, as at start-up
        mainWindow.setGeometry(0, 0, 700, 500);
        tessivar::ui::QtUserPrompts prompts;
        prompts.setParentWindow(&mainWindow);
        const QPoint centre = centreOfModal([&] { prompts.showMessage("bad", "Error"); });
        QVERIFY(near(centre, screenCentre()));
    }

    void boxIsCentredOnTheWindowInUseWithItsIcon() {
        QWidget mainWindow, other;
        mainWindow.setGeometry(20, 20, 300, 200);
        other.setGeometry(400, 300, 300, 260);
        other.show();
        mainWindow.show(); // the main window was shown last
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        tessivar::ui::QtUserPrompts prompts;
        prompts.setParentWindow(&mainWindow);
        QTest::mouseClick(&other, Qt::LeftButton, {}, QPoint(5, 5)); // the user works here
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QPoint centre = centreOfModal([&] { prompts.showMessage("bad", "Error"); }, &icon);
        QVERIFY(near(centre, other.frameGeometry().center()));
        QCOMPARE(icon, QMessageBox::Warning);
        centre = centreOfModal([&] { prompts.askYesNoCancel("save?", "Tessivar"); }, &icon);
        QVERIFY(near(centre, other.frameGeometry().center()));
        QCOMPARE(icon, QMessageBox::Question);
        centreOfModal([&] { prompts.showInformation("Done", "Tessivar"); }, &icon);
        QCOMPARE(icon, QMessageBox::Information);
    }

    void mapSizeDialogIsCentredOnTheScreen() {
        tessivar::testing::ScriptedPrompts prompts;
        tessivar::ui::EditorSession session(prompts);
        auto& mapEditor = session.mapEditor();
        mapEditor.setGeometry(0, 0, 600, 500);
        mapEditor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mapEditor));
        const QPoint centre = centreOfModal([&] { mapEditor.changeMapSize(); });
        QVERIFY(near(centre, screenCentre()));
    }
};

QTEST_MAIN(PlacementTest)
#include "Placement_test.moc"
