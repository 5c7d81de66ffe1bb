// The "Edit" menu's tile commands, the "Tile Editor Options" dialog and the option kept
// in the settings store between runs.

#include "SessionHarness.h"

#include "ui/common/QtOptionsStore.h"
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

    void copyAndPaste() {
        for (bool overwrite : {false, true}) {
            init(); // a fresh session with 16 Tiles
            setOverwriteOption(overwrite);
            numberTiles(16);
            clickBlock(2);
            clickBlock(5, Qt::ShiftModifier);
            trigger("actionCopyTiles");
            clickBlock(10);
            trigger("actionPasteTiles");
            const int tileCount = overwrite ? 16 : 20;
            QCOMPARE(tileSet().tileCount, tileCount);
            for (int k = 0; k < 4; ++k)
                QCOMPARE(tileSet().tiles[10 + k][0], 2 + k);
            // Inserting pushes the old Tiles on; overwriting replaces them.
            QCOMPARE(tileSet().tiles[14][0], overwrite ? 14 : 10);
            QCOMPARE(window().blockCountText(), QString::number(tileCount));
            QCOMPARE(window().tileList()->width(), tileCount * 34);
        }
    }

    void insertAndDelete() {
        const struct {
            const char* sizeAction;
            const char* command;
            int tileCount;
            int mapTile; // of a cell that showed Tile 12
        } cases[] = {{"actionBlock16x16", "actionInsertTile", 20, 16},
                     {"actionBlock8x16", "actionDeleteTiles", 14, 10}}; // deletes two
        for (const auto& c : cases) {
            init();
            trigger(c.sizeAction);
            workspace().editing.CurrentTile = 10;
            workspace().editing.SelectionStart = workspace().editing.SelectionEnd = 10;
            workspace().map.cell(0, 0).Tile = 12;
            trigger(c.command);
            QCOMPARE(tileSet().tileCount, c.tileCount);
            QCOMPARE(int(workspace().map.cell(0, 0).Tile), c.mapTile);
            QVERIFY(!workspace().editing.Modified);
        }
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

    void closingTheDialogSavesTheOption() {
        QVERIFY(!window().optionsDialog()->overwriteBox()->isChecked());
        for (bool ticked : {true, false}) { // by the close box, then by OK
            trigger("actionOptions");
            QVERIFY(!window().optionsDialog()->isModal());
            window().optionsDialog()->overwriteBox()->setChecked(ticked);
            QCOMPARE(workspace().options.OverwriteTiles, ticked);
            if (ticked)
                window().optionsDialog()->close();
            else
                window()
                    .optionsDialog()
                    ->findChild<QPushButton*>(QStringLiteral("okButton"))
                    ->click();
            QCOMPARE(storedSettings().value(QStringLiteral("Overwrite")).toInt(), ticked ? 1 : 0);
        }
    }

    void theNextRunLoadsTheOption() {
        // Set to 5 by hand; a value that is not a number is ignored.
        const std::pair<QVariant, bool> cases[] = {{5, true}, {QStringLiteral("yes"), false}};
        for (const auto& [stored, ticked] : cases) {
            session_.reset();
            storedSettings().setValue(QStringLiteral("Overwrite"), stored);
            QVERIFY(StartSession(prompts_, session_));
            QCOMPARE(workspace().options.OverwriteTiles, ticked);
            QCOMPARE(window().optionsDialog()->overwriteBox()->isChecked(), ticked);
        }
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
