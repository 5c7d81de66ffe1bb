// The Tile Size and Number of Tiles dialogs, the zoom items of the "View" menu and the
// sizes the layout gives the canvas, the tile list and the left pane.

#include "SessionHarness.h"

#include "ui/app/EditorSession.h"
#include "ui/tileeditor/TileCanvasWidget.h"
#include "ui/tileeditor/TileCountDialog.h"
#include "ui/tileeditor/TileEditorWindow.h"
#include "ui/tileeditor/TileSizeDialog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using tessivar::ui::EditorSession;
using tessivar::ui::TileEditorWindow;

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

    void tileSizeDialogLooks() {
        tessivar::ui::TileSizeDialog* dialog = window().tileSizeDialog();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Tile Size"));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QStringList labels;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            labels << label->text();
        QCOMPARE(labels, QStringList({"Width:", "Height:"}));
        QStringList buttons;
        for (const QPushButton* button : dialog->findChildren<QPushButton*>())
            buttons << button->text();
        QCOMPARE(buttons, QStringList{QStringLiteral("Change")});
    }

    void customSizes_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QSize>("block");
        QTest::addColumn<int>("canvasZoom");
        const QSize unchanged(8, 8);
        QTest::newRow("too wide") << "241"
                                  << "8"
                                  << "The width entered is larger than 240" << unchanged << 32;
        QTest::newRow("12 x 20") << "12"
                                 << "20"
                                 << "" << QSize(12, 20) << 8;
        QTest::newRow("largest, lenient") << " 240px"
                                          << "+128"
                                          << "" << QSize(240, 128) << 3;
    }
    void customSizes() {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, message);
        QFETCH(QSize, block);
        QFETCH(int, canvasZoom);
        const bool stayedOpen = enterTileSize(width, height);
        QCOMPARE(stayedOpen, !message.isEmpty());
        const QStringList expected = message.isEmpty()
                                         ? QStringList{}
                                         : QStringList{QStringLiteral("Size error: ") + message};
        QCOMPARE(Texts(prompts_.messages), expected);
        const auto size = workspace().tileSet.block;
        QCOMPARE(QSize(size.width, size.height), block);
        QCOMPARE(window().canvas()->size(),
                 QSize(block.width() * canvasZoom, block.height() * canvasZoom));
        // The fields keep the last entry for the next opening.
        QCOMPARE(window().tileSizeDialog()->widthField()->text(), width);
    }

    void tileCounts_data() {
        QTest::addColumn<QString>("sizeAction");
        QTest::addColumn<std::optional<QString>>("entered");
        QTest::addColumn<int>("tileCount");
        QTest::addColumn<QString>("blockCount");
        QTest::addColumn<bool>("refused");
        using Text = std::optional<QString>;
        QTest::newRow("16x16, 193 is out of range")
            << "actionBlock16x16" << Text(QStringLiteral("193")) << 16 << "4" << true;
        QTest::newRow("8x8, one Block")
            << "actionBlock8x8" << Text(QStringLiteral("1")) << 1 << "1" << false;
        QTest::newRow("cancel") << "actionBlock8x8" << Text() << 16 << "16" << false;
    }
    void tileCounts() {
        QFETCH(QString, sizeAction);
        QFETCH(std::optional<QString>, entered);
        QFETCH(int, tileCount);
        QFETCH(QString, blockCount);
        QFETCH(bool, refused);
        window().action(sizeAction.toLatin1().constData())->trigger();
        enterTileCount(entered);
        QCOMPARE(workspace().tileSet.tileCount, tileCount);
        QCOMPARE(window().blockCountText(), blockCount);
        const QStringList expected =
            refused ? QStringList{QStringLiteral(
                          "BAD BAD: The tile count you entered is out of range!")}
                    : QStringList{};
        QCOMPARE(Texts(prompts_.messages), expected);
        QVERIFY(workspace().editing.Modified); // after either button
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
        QCOMPARE(window().tileCountDialog()->windowTitle(), QStringLiteral("Number of Tiles"));
    }

    void zoomCommands_data() {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<int>("zoom");
        QTest::newRow("zoom in stops at 32") << QStringList{"actionZoomIn"} << 32;
        QTest::newRow("2x view, zoom out stays at 2")
            << QStringList{"actionZoom2", "actionZoomOut"} << 2;
        QTest::newRow("default zoom again")
            << QStringList{"actionZoom8", "actionDefaultZoom"} << 32;
        QTest::newRow("32x32 Blocks choose 8, zoom in doubles")
            << QStringList{"actionBlock32x32", "actionZoomIn"} << 16;
    }
    void zoomCommands() {
        QFETCH(QStringList, actions);
        QFETCH(int, zoom);
        for (const QString& name : actions)
            window().action(name.toLatin1().constData())->trigger();
        QCOMPARE(window().editorLayout().CanvasZoom, zoom);
        QCOMPARE(window().canvas()->zoom(), zoom);
        const auto block = workspace().tileSet.block;
        QCOMPARE(window().canvas()->size(), QSize(block.width * zoom, block.height * zoom));
    }

    void wideBlocksWidenTheLeftPane() {
        QCOMPARE(window().leftPaneWidth(), 409); // 8 x 32 = 256 is not wider than 256
        const int windowWidth = window().width();
        QVERIFY(!enterTileSize(QStringLiteral("80"), QStringLiteral("8"))); // 80 x 3 = 240
        QCOMPARE(window().leftPaneWidth(), 409);
        QVERIFY(!enterTileSize(QStringLiteral("240"), QStringLiteral("8")));
        QCOMPARE(window().leftPaneWidth(), 240 * 3 + 153);
        QCOMPARE(window().width(), windowWidth + 240 * 3 + 153 - 409);
    }
};

QTEST_MAIN(TileSizeZoomTest)
#include "TileSizeZoom_test.moc"
