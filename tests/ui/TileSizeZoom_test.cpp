// The Tile Size and Number of Tiles dialogs, the zoom items of the "View" menu and the
// sizes the layout gives the canvas, the tile list and the left pane.

#include "SessionHarness.h"

#include "ui/tileeditor/TileCanvasWidget.h"
#include "ui/tileeditor/TileCountDialog.h"
#include "ui/tileeditor/TileEditorWindow.h"
#include "ui/tileeditor/TileSizeDialog.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>

class TileSizeZoomTest : public QObject, private SessionTestBase {
    Q_OBJECT

private:
    // Runs `interact` once the modal dialog is up, then runs `open`, which shows it.
    void whileModal(const std::function<void()>& interact, const std::function<void()>& open) {
        bool ran = false;
        QTimer::singleShot(0, this, [&] {
            interact();
            ran = true;
        });
        open();
        QVERIFY(ran);
    }
    // Types into the Tile Size dialog and presses "Change"; closes it with the close box
    // when it stays open. True when it stayed open.
    bool enterTileSize(const QString& width, const QString& height) {
        bool stayedOpen = false;
        whileModal(
            [&] {
                tessivar::ui::TileSizeDialog* dialog = window().tileSizeDialog();
                dialog->widthField()->setText(width);
                dialog->heightField()->setText(height);
                dialog->findChild<QPushButton*>(QStringLiteral("changeButton"))->click();
                stayedOpen = dialog->isVisible();
                if (stayedOpen)
                    dialog->close();
            },
            [&] { window().action("actionBlockCustom")->trigger(); });
        return stayedOpen;
    }
    void enterTileCount(const std::optional<QString>& text) {
        whileModal(
            [&] {
                tessivar::ui::TileCountDialog* dialog = window().tileCountDialog();
                if (!text) {
                    dialog->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
                    return;
                }
                dialog->countField()->setText(*text);
                dialog->findChild<QPushButton*>(QStringLiteral("changeButton"))->click();
            },
            [&] { window().findChild<QPushButton*>(QStringLiteral("changeTileCount"))->click(); });
    }

private Q_SLOTS:
    void initTestCase() { IsolateSettings(settingsDir_); }
    void init() { QVERIFY(StartSession(prompts_, session_)); }
    void cleanup() { session_.reset(); }

    // The checks and the counts are the core's; these prove the dialogs reach them.
    void customSizes() {
        QVERIFY(enterTileSize(QStringLiteral("241"), QStringLiteral("8"))); // stays open
        QCOMPARE(Texts(prompts_.messages),
                 QStringList{QStringLiteral("Size error: The width entered is larger than 240")});
        QCOMPARE(window().canvas()->size(), QSize(8 * 32, 8 * 32));
        QVERIFY(!enterTileSize(QStringLiteral("12"), QStringLiteral("20")));
        QCOMPARE(prompts_.messages.size(), std::size_t{1});
        QCOMPARE(workspace().tileSet.block.height, 20);
        QCOMPARE(window().canvas()->size(), QSize(12 * 8, 20 * 8));
        // The fields keep the last entry for the next opening.
        QCOMPARE(window().tileSizeDialog()->widthField()->text(), QStringLiteral("12"));
    }

    void tileCounts() {
        enterTileCount(std::nullopt);
        QVERIFY(workspace().editing.Modified); // Cancel too
        QCOMPARE(workspace().tileSet.tileCount, 16);
        window().action("actionBlock16x16")->trigger();
        enterTileCount(QStringLiteral("193"));
        QCOMPARE(
            Texts(prompts_.messages),
            QStringList{QStringLiteral("BAD BAD: The tile count you entered is out of range!")});
        QCOMPARE(window().blockCountText(), QStringLiteral("4"));
        window().action("actionBlock8x8")->trigger();
        enterTileCount(QStringLiteral("1"));
        QCOMPARE(workspace().tileSet.tileCount, 1);
        QCOMPARE(window().blockCountText(), QStringLiteral("1"));
    }

    void tileCountDialogShowsTheBlockCount() {
        window().action("actionBlock16x16")->trigger();
        QString preset;
        whileModal(
            [&] {
                preset = window().tileCountDialog()->countField()->text();
                window().tileCountDialog()->reject();
            },
            [&] { window().changeTileCount(); });
        QCOMPARE(preset, QStringLiteral("4"));
    }

    // Each step starts from the zoom the one before left.
    void zoomCommands() {
        const std::pair<QStringList, int> steps[] = {
            {{"actionZoomIn"}, 32},                     // stops at 32
            {{"actionZoom2", "actionZoomOut"}, 2},      // stays at 2
            {{"actionZoom8", "actionDefaultZoom"}, 32}, // the automatic zoom again
            {{"actionBlock32x32", "actionZoomIn"}, 16}, // 32x32 Blocks choose 8
        };
        for (const auto& [actions, zoom] : steps) {
            for (const QString& name : actions)
                window().action(name.toLatin1().constData())->trigger();
            QCOMPARE(window().canvas()->zoom(), zoom);
            const auto block = workspace().tileSet.block;
            QCOMPARE(window().canvas()->size(), QSize(block.width * zoom, block.height * zoom));
        }
    }

    void wideBlocksWidenTheLeftPane() {
        QCOMPARE(window().leftPaneWidth(), 409); // 8 x 32 = 256 is not wider than 256
        const int windowWidth = window().width();
        QVERIFY(!enterTileSize(QStringLiteral("240"), QStringLiteral("8")));
        QCOMPARE(window().leftPaneWidth(), 240 * 3 + 153);
        QCOMPARE(window().width(), windowWidth + 240 * 3 + 153 - 409);
    }
};

QTEST_MAIN(TileSizeZoomTest)
#include "TileSizeZoom_test.moc"
