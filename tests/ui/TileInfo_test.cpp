// The custom information grid, the Tile Information dialog and the Animation dialog:
// that each surface reaches the core and repaints from it.

#include "SessionHarness.h"

#include "ui/tileeditor/TileToolPanel.h"
#include "ui/tileinfo/AnimationDialog.h"
#include "ui/tileinfo/TileInfoDialog.h"
#include "ui/tileinfo/TileInfoGrid.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

class TileInfoTest : public QObject, private SessionTestBase {
    Q_OBJECT

private:
    tessivar::TileSet& tileSet() { return workspace().tileSet; }

    static void clickCell(QTableWidget* grid, int row, int column) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(row, column)).center());
    }
    // Opens the in-place editor of a cell and types into it; returns the text it opened with.
    static QString typeInto(QTableWidget* grid, int row, int column, const QString& text) {
        grid->setCurrentCell(row, column);
        grid->editItem(grid->item(row, column));
        auto* editor = grid->findChild<QLineEdit*>(QStringLiteral("cellEditor"));
        if (!editor)
            return QStringLiteral("<no editor>");
        const QString opening = editor->text();
        editor->clear();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        return opening;
    }
    static QAction* menuEntry(QMenu* menu, const QString& caption) {
        for (QAction* action : menu->actions())
            if (action->text() == caption)
                return action;
        return nullptr;
    }

private Q_SLOTS:
    void initTestCase() { IsolateSettings(settingsDir_); }
    void init() { QVERIFY(StartSession(prompts_, session_)); }
    void cleanup() { session_.reset(); }

    void gridPopUpAndEditorStoreForCurrentTile() {
        tessivar::ui::TileInfoGrid* grid = window().infoGrid();
        workspace().editing.CurrentTile = 4;
        workspace().notify(tessivar::EditingChanged);
        QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("4"));

        clickCell(grid, 0, 1);
        QMenu* menu = grid->booleanMenu();
        QVERIFY(menu->isVisible());
        QVERIFY(menuEntry(menu, QStringLiteral("&false"))->isChecked());
        menuEntry(menu, QStringLiteral("&true"))->trigger();
        menu->hide();
        QCOMPARE(tileSet().tileInfo[4][0], 1);
        QVERIFY(workspace().editing.Modified);

        QCOMPARE(typeInto(grid, 1, 1, QStringLiteral("-1")), QStringLiteral("4"));
        QCOMPARE(tileSet().tileInfo[4][1], 65535);
        QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("65535"));
    }

    void dialogAddsACategoryAndRetypesIt() {
        QVERIFY(window().action("actionCustomInformation")->isEnabled());
        tessivar::ui::TileInfoDialog* dialog = window().infoDialog();
        dialog->show(); // the menu opens it modally; shown here so the test goes on
        QTableWidget* grid = dialog->grid();
        QCOMPARE(grid->rowCount(), 4);

        QCOMPARE(typeInto(grid, 3, 0, QStringLiteral("x")), QString());
        QCOMPARE(tileSet().categoryCount, 4);
        QCOMPARE(grid->rowCount(), 5);
        QCOMPARE(window().infoGrid()->rowCount(), 4);
        QCOMPARE(grid->item(3, 1)->text(), QStringLiteral("Word"));

        clickCell(grid, 3, 1);
        QMenu* menu = dialog->typeMenu();
        QVERIFY(menu->isVisible());
        QVERIFY(menuEntry(menu, QStringLiteral("&Word"))->isChecked());
        menuEntry(menu, QStringLiteral("&Time"))->trigger();
        menu->hide();
        QCOMPARE(grid->item(3, 1)->text(), QStringLiteral("Time"));
        QCOMPARE(window().infoGrid()->item(3, 1)->text(), QStringLiteral("0 ms"));

        clickCell(grid, 1, 1); // built-in rows offer no pop-up
        QVERIFY(!menu->isVisible());
        dialog->close();
    }

    void animationDialogPlaysAndApplies() {
        tessivar::ui::AnimationDialog& dialog = session_->animation();
        workspace().editing.SelectionStart = 2;
        workspace().editing.SelectionEnd = 5;
        window().toolPanel()->findChild<QPushButton*>(QStringLiteral("animationButton"))->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.startField()->text(), QStringLiteral("2"));
        QCOMPARE(dialog.endField()->text(), QStringLiteral("5"));

        dialog.delayField()->setText(QStringLiteral("250"));
        dialog.playButton()->click();
        QCOMPARE(dialog.timer()->interval(), 250);
        QVERIFY(dialog.timer()->isActive());
        QVERIFY(QMetaObject::invokeMethod(dialog.timer(), "timeout")); // one period passes
        QCOMPARE(dialog.frameNumber()->text(), QStringLiteral("3"));

        workspace().editing.CurrentTile = 2;
        dialog.applyButton()->click();
        QCOMPARE(tileSet().tileInfo[5][1], 2);
        QVERIFY(workspace().editing.Modified);
        tessivar::ui::TileInfoGrid* grid = window().infoGrid();
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("true"));
        QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("3"));
        QCOMPARE(grid->item(2, 1)->text(), QStringLiteral("250 ms"));

        dialog.endField()->setText(QStringLiteral("2000000000"));
        dialog.playButton()->click();
        dialog.applyButton()->click();
        QCOMPARE(prompts_.messages.size(), 1);
        QCOMPARE(prompts_.messages.front().caption, std::string("Error"));
        dialog.close();
        QVERIFY(!dialog.timer()->isActive());
    }
};

QTEST_MAIN(TileInfoTest)
#include "TileInfo_test.moc"
