// The "Edit" menu's tile commands, the "Tile Editor Options" dialog and the option kept
// in the settings store between runs.

#include "SessionHarness.h"

#include "ui/app/QtOptionsStore.h"
#include "ui/tileeditor/TileEditorOptionsDialog.h"
#include "ui/tileeditor/TileListWidget.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>

class TileEditMenuTest : public QObject, private SessionTestBase {
    Q_OBJECT

private:
    tessivar::TileSet& tileSet() { return session_->workspace().tileSet; }

    void clickBlock(int block, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(window().tileList(), Qt::LeftButton, modifiers,
                          QPoint(block * 34 + 5, 5));
    }
    void trigger(const char* name) { window().action(name)->trigger(); }
    // Tiles 0..count-1 each hold their own number in pixel 0.
    void numberTiles(int count) {
        for (int tile = 0; tile < count; ++tile)
            tileSet().tiles[tile][0] = static_cast<std::uint8_t>(tile);
    }
    QSettings storedSettings() {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brennow"),
                         QStringLiteral("Tessivar (TI)"));
    }
    void setOverwriteOption(bool ticked) {
        trigger("actionOptions");
        window().optionsDialog()->overwriteBox()->setChecked(ticked);
        window().optionsDialog()->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    }

private Q_SLOTS:
    void initTestCase() { IsolateSettings(settingsDir_); }
    void init() {
        storedSettings().clear();
        QVERIFY(StartSession(prompts_, session_));
    }
    void cleanup() { session_.reset(); }

    void copyAndPaste_data() {
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<int>("tileCount");
        QTest::addColumn<int>("tileAfterPaste"); // what Tile 14 holds afterwards
        QTest::newRow("insert mode pushes the old Tiles on") << false << 20 << 10;
        QTest::newRow("overwrite mode replaces them") << true << 16 << 14;
    }
    void copyAndPaste() {
        QFETCH(bool, overwrite);
        QFETCH(int, tileCount);
        QFETCH(int, tileAfterPaste);
        setOverwriteOption(overwrite);
        numberTiles(16);
        clickBlock(2);
        clickBlock(5, Qt::ShiftModifier);
        trigger("actionCopyTiles");
        clickBlock(10);
        trigger("actionPasteTiles");
        QCOMPARE(tileSet().tileCount, tileCount);
        for (int k = 0; k < 4; ++k)
            QCOMPARE(tileSet().tiles[10 + k][0], 2 + k);
        QCOMPARE(tileSet().tiles[14][0], tileAfterPaste);
        QCOMPARE(window().blockCountText(), QString::number(tileCount));
        QCOMPARE(window().tileList()->width(), tileCount * 34);
    }

    void insertAndDelete_data() {
        QTest::addColumn<QString>("sizeAction");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("tileCount");
        QTest::addColumn<int>("mapTile"); // a cell that showed Tile 12
        QTest::newRow("insert, 16x16") << "actionBlock16x16"
                                       << "actionInsertTile" << 20 << 16;
        QTest::newRow("delete, 8x16 takes two") << "actionBlock8x16"
                                                << "actionDeleteTiles" << 14 << 10;
    }
    void insertAndDelete() {
        QFETCH(QString, sizeAction);
        QFETCH(QString, command);
        QFETCH(int, tileCount);
        QFETCH(int, mapTile);
        trigger(sizeAction.toLatin1().constData());
        workspace().editing.CurrentTile = 10;
        workspace().editing.SelectionStart = workspace().editing.SelectionEnd = 10;
        workspace().map.cell(0, 0).Tile = 12;
        trigger(command.toLatin1().constData());
        QCOMPARE(tileSet().tileCount, tileCount);
        QCOMPARE(int(workspace().map.cell(0, 0).Tile), mapTile);
        QVERIFY(!workspace().editing.Modified);
    }

    void clearTileCanBeUndone() {
        trigger("actionBlock16x16");
        tileSet().tiles[3].fill(2);
        trigger("actionClearTile");
        QCOMPARE(tileSet().tiles[3][63], 0);
        QVERIFY(workspace().editing.Modified);
        trigger("actionUndo");
        QCOMPARE(tileSet().tiles[3][63], 2);
    }

    void optionsDialogIsModelessAndStartsUnticked() {
        tessivar::ui::TileEditorOptionsDialog* dialog = window().optionsDialog();
        trigger("actionOptions");
        QVERIFY(dialog->isVisible() && !dialog->isModal());
        QVERIFY(!dialog->overwriteBox()->isChecked());
    }

    void closingTheDialogSavesTheOption_data() {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<bool>("byCloseBox");
        QTest::newRow("ticked, close box") << true << true;
        QTest::newRow("unticked, OK") << false << false;
    }
    void closingTheDialogSavesTheOption() {
        QFETCH(bool, ticked);
        QFETCH(bool, byCloseBox);
        trigger("actionOptions");
        window().optionsDialog()->overwriteBox()->setChecked(ticked);
        QCOMPARE(workspace().options.OverwriteTiles, ticked);
        if (byCloseBox)
            window().optionsDialog()->close();
        else
            window().optionsDialog()->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        QCOMPARE(storedSettings().value(QStringLiteral("Overwrite")).toInt(), ticked ? 1 : 0);
    }

    void theNextRunLoadsTheOption_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("set to 5 by hand") << QVariant(5) << true;
        QTest::newRow("not a number is ignored") << QVariant(QStringLiteral("yes")) << false;
    }
    void theNextRunLoadsTheOption() {
        QFETCH(QVariant, stored);
        QFETCH(bool, ticked);
        session_.reset();
        if (stored.isValid())
            storedSettings().setValue(QStringLiteral("Overwrite"), stored);
        QVERIFY(StartSession(prompts_, session_));
        QCOMPARE(workspace().options.OverwriteTiles, ticked);
        QCOMPARE(window().optionsDialog()->overwriteBox()->isChecked(), ticked);
    }

    void storeInAFileAndOneThatCannotBeWritten() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("options.ini"));
        QVERIFY(tessivar::ui::QtOptionsStore(path).writeInteger("Overwrite", 7).ok());
        const auto stored = tessivar::ui::QtOptionsStore(path).readInteger("Overwrite");
        QVERIFY(stored.ok() && *stored == 7);
        tessivar::ui::QtOptionsStore broken(QStringLiteral("/proc/no-such-dir/options.ini"));
        QVERIFY(!broken.writeInteger("Overwrite", 1).ok());
        const auto unread = broken.readInteger("Overwrite");
        QVERIFY(unread.ok() && !*unread);
    }
};

QTEST_MAIN(TileEditMenuTest)
#include "TileEditMenu_test.moc"
