// The tile canvas and its tool buttons: strokes of every tool at the screen geometry,
// one undo per stroke, the drag preview, the status bar texts, the rectangle pop-up
// and the transform buttons.

#include "SessionHarness.h"

#include "ui/app/EditorSession.h"
#include "ui/tileeditor/TileCanvasWidget.h"
#include "ui/tileeditor/TileEditorWindow.h"
#include "ui/tileeditor/TileToolPanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <set>
#include <utility>

using tessivar::DrawingTool;
using tessivar::ui::EditorSession;
using tessivar::ui::TileEditorWindow;

namespace {

constexpr int kZoom = 32;

using PixelSet = std::set<std::pair<int, int>>;

// Centre of Block pixel (x, y) on the canvas at the start-up zoom.
QPoint screenOf(int x, int y) {
    return {x * kZoom + kZoom / 2, y * kZoom + kZoom / 2};
}

// The pixels of the current Block that hold `color`.
PixelSet pixelsOfColor(const tessivar::Workspace& workspace, int color) {
    PixelSet found;
    const auto& tileSet = workspace.tileSet;
    for (int y = 0; y < tileSet.block.height; ++y)
        for (int x = 0; x < tileSet.block.width; ++x)
            if (tileSet.GetBlockPixel(workspace.editing.CurrentTile, x, y) == color)
                found.insert({x, y});
    return found;
}

PixelSet allPixels(int width, int height) {
    PixelSet all;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            all.insert({x, y});
    return all;
}

} // namespace

Q_DECLARE_METATYPE(PixelSet)

class TileCanvasTest : public QObject, private SessionTestBase {
    Q_OBJECT

private:
    tessivar::ui::TileCanvasWidget* canvas() { return window().canvas(); }

    void chooseTool(DrawingTool tool) {
        window().toolPanel()->toolButton(tool)->click();
        window().toolPanel()->rectangleMenu()->hide();
    }
    void chooseRectangleMode(const char* actionName) {
        window().toolPanel()->toolButton(DrawingTool::Rectangle)->click();
        QMenu* menu = window().toolPanel()->rectangleMenu();
        menu->findChild<QAction*>(QString::fromLatin1(actionName))->trigger();
        menu->hide();
    }
    void drag(Qt::MouseButton button, QPoint from, QPoint to) {
        QTest::mousePress(canvas(), button, {}, from);
        QTest::mouseMove(canvas(), to);
        QTest::mouseRelease(canvas(), button, {}, to);
    }

private Q_SLOTS:
    void initTestCase() { IsolateSettings(settingsDir_); }
    void init() {
        QVERIFY(StartSession(prompts_, session_));
        // Distinct colours for the two buttons, so each stroke shows which one drew.
        workspace().editing.LeftColor = 3;
        workspace().editing.RightColor = 2;
    }
    void cleanup() { session_.reset(); }

    void penStrokeIsUndoneAsOne() {
        QVERIFY(!window().action("actionUndo")->isEnabled());
        QTest::mousePress(canvas(), Qt::LeftButton, {}, screenOf(1, 2));
        QTest::mouseMove(canvas(), screenOf(2, 2));
        QTest::mouseMove(canvas(), screenOf(3, 2));
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, screenOf(3, 2));
        const PixelSet stroke{{1, 2}, {2, 2}, {3, 2}};
        QCOMPARE(pixelsOfColor(workspace(), 3), stroke);
        QVERIFY(workspace().editing.Modified);
        QVERIFY(window().action("actionUndo")->isEnabled());

        window().action("actionUndo")->trigger();
        QVERIFY(pixelsOfColor(workspace(), 3).empty());
        QVERIFY(!window().action("actionUndo")->isEnabled());
        window().action("actionRedo")->trigger();
        QCOMPARE(pixelsOfColor(workspace(), 3), stroke);
    }

    void toolsDrawTheirShapes_data() {
        QTest::addColumn<int>("tool");
        QTest::addColumn<QString>("rectangleMode");
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<int>("color");
        QTest::addColumn<PixelSet>("expected");

        const int pen = static_cast<int>(DrawingTool::Pen);
        const int fill = static_cast<int>(DrawingTool::Fill);
        const int rect = static_cast<int>(DrawingTool::Rectangle);
        const int line = static_cast<int>(DrawingTool::Line);
        const int left = Qt::LeftButton;
        const int right = Qt::RightButton;
        QTest::newRow("pen, right button")
            << pen << "" << right << QPoint(5, 6) << QPoint(5, 6) << 2 << PixelSet{{5, 6}};
        QTest::newRow("pen, middle button draws nothing")
            << pen << "" << int(Qt::MiddleButton) << QPoint(5, 6) << QPoint(5, 6) << 2
            << PixelSet{};
        QTest::newRow("line, shallow") << line << "" << left << QPoint(0, 0) << QPoint(3, 1) << 3
                                       << PixelSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}};
        QTest::newRow("line, both deltas negative")
            << line << "" << left << QPoint(3, 3) << QPoint(1, 0) << 3
            << PixelSet{{1, 0}, {2, 1}, {2, 2}, {3, 3}};
        QTest::newRow("line, single click")
            << line << "" << right << QPoint(4, 4) << QPoint(4, 4) << 2 << PixelSet{{4, 4}};
        QTest::newRow("filled rectangle, corners reversed")
            << rect << "rectangleFilled" << left << QPoint(3, 2) << QPoint(1, 1) << 3
            << PixelSet{{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}};
        QTest::newRow("hollow rectangle keeps its centre")
            << rect << "rectangleHollow" << left << QPoint(0, 0) << QPoint(2, 2) << 3
            << PixelSet{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};
        QTest::newRow("fill, right button")
            << fill << "" << right << QPoint(5, 5) << QPoint(5, 5) << 2 << allPixels(8, 8);
    }
    void toolsDrawTheirShapes() {
        QFETCH(int, tool);
        QFETCH(QString, rectangleMode);
        QFETCH(int, button);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(int, color);
        QFETCH(PixelSet, expected);

        if (rectangleMode.isEmpty())
            chooseTool(static_cast<DrawingTool>(tool));
        else
            chooseRectangleMode(rectangleMode.toLatin1().constData());
        drag(static_cast<Qt::MouseButton>(button), screenOf(from.x(), from.y()),
             screenOf(to.x(), to.y()));
        QCOMPARE(pixelsOfColor(workspace(), color), expected);
        QVERIFY(workspace().editing.Modified);
        QVERIFY(window().action("actionUndo")->isEnabled());
    }

    void pressOutsideTheBlockStillRecordsUndo() {
        canvas()->setFixedSize(400, 400); // room beyond the 256-pixel Block
        QTest::mouseClick(canvas(), Qt::LeftButton, {}, QPoint(300, 300));
        QVERIFY(pixelsOfColor(workspace(), 3).empty());
        QVERIFY(workspace().editing.Modified);
        QVERIFY(window().action("actionUndo")->isEnabled());
    }

    void linePreviewShowsBeforeRelease() {
        chooseTool(DrawingTool::Line);
        QTest::mousePress(canvas(), Qt::LeftButton, {}, screenOf(0, 0));
        QTest::mouseMove(canvas(), screenOf(3, 1));
        const QImage during = canvas()->grab().toImage();
        QCOMPARE(QColor(during.pixel(screenOf(2, 1))), QColor(Qt::black));
        QCOMPARE(QColor(during.pixel(screenOf(2, 0))), QColor(248, 248, 248));
        QVERIFY(pixelsOfColor(workspace(), 3).empty()); // nothing written yet
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, screenOf(3, 1));
        QCOMPARE(pixelsOfColor(workspace(), 3).size(), std::size_t{4});
    }

    void statusPanels_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("status");
        QTest::newRow("fill") << "fill"
                              << "Fill";
        QTest::newRow("line") << "line"
                              << "Line";
        QTest::newRow("pen after line") << "line,pen"
                                        << "Pen";
        QTest::newRow("hollow") << "rectangleHollow"
                                << "Hollow Rect";
        QTest::newRow("hollow then filled") << "rectangleHollow,rectangleFilled"
                                            << "Filled Rect";
        QTest::newRow("pop-up dismissed") << "fill,rectangle"
                                          << "Fill";
    }
    void statusPanels() {
        QFETCH(QString, choice);
        QFETCH(QString, status);
        QCOMPARE(window().toolStatusText(), QStringLiteral("Pen"));
        for (const QString& step : choice.split(QLatin1Char(','))) {
            if (step.startsWith(QStringLiteral("rectangle")) && step != QStringLiteral("rectangle"))
                chooseRectangleMode(step.toLatin1().constData());
            else if (step == QStringLiteral("fill"))
                chooseTool(DrawingTool::Fill);
            else if (step == QStringLiteral("line"))
                chooseTool(DrawingTool::Line);
            else if (step == QStringLiteral("pen"))
                chooseTool(DrawingTool::Pen);
            else
                chooseTool(DrawingTool::Rectangle);
        }
        QCOMPARE(window().toolStatusText(), status);
    }

    void rectanglePopUpStartsFilledWithPictures() {
        QMenu* menu = window().toolPanel()->rectangleMenu();
        auto* filled = menu->findChild<QAction*>(QStringLiteral("rectangleFilled"));
        auto* hollow = menu->findChild<QAction*>(QStringLiteral("rectangleHollow"));
        QVERIFY(filled->isChecked());
        QVERIFY(!hollow->isChecked());
        QVERIFY(!filled->icon().isNull() && !hollow->icon().isNull());
        QCOMPARE(filled->icon().availableSizes().value(0), QSize(16, 16));
        // A second choice moves the check mark.
        hollow->trigger();
        QVERIFY(!filled->isChecked());
    }

    void pixelPanelFollowsTheMouse() {
        workspace().tileSet.SetBlockPixel(0, 3, 1, 2);
        QTest::mouseMove(canvas(), QPoint(3 * kZoom + 5, kZoom + 31));
        QCOMPARE(window().pixelStatusText(), QStringLiteral("X=3 Y=1 Color=2"));
        QCOMPARE(canvas()->cursor().shape(), Qt::CrossCursor);
    }

    void toolButtonHints() {
        QStringList hints;
        for (DrawingTool tool :
             {DrawingTool::Pen, DrawingTool::Fill, DrawingTool::Rectangle, DrawingTool::Line})
            hints << window().toolPanel()->toolButton(tool)->toolTip();
        QCOMPARE(hints, QStringList({"Single Pixel", "Fill", "Rectangle", "Line"}));
        QStringList transformHints;
        for (auto* button : window().toolPanel()->findChildren<QAbstractButton*>())
            if (!button->toolTip().isEmpty() && !hints.contains(button->toolTip()))
                transformHints << button->toolTip();
        transformHints.sort();
        QCOMPARE(transformHints,
                 QStringList({"Flip Horizontal", "Flip Vertical", "Rotate Right", "Shift Down",
                              "Shift Left", "Shift Right", "Shift Up"}));
    }

    void transformButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QPoint>("movedTo");
        QTest::newRow("shift left wraps") << "shiftLeftButton" << QPoint(7, 1);
        QTest::newRow("shift up wraps") << "shiftUpButton" << QPoint(0, 0);
        QTest::newRow("shift down") << "shiftDownButton" << QPoint(0, 2);
        QTest::newRow("shift right") << "shiftRightButton" << QPoint(1, 1);
        QTest::newRow("flip horizontal") << "flipHorizontalButton" << QPoint(7, 1);
        QTest::newRow("flip vertical") << "flipVerticalButton" << QPoint(0, 6);
        QTest::newRow("rotate right") << "rotateRightButton" << QPoint(6, 0);
    }
    void transformButtons() {
        QFETCH(QString, button);
        QFETCH(QPoint, movedTo);
        workspace().tileSet.SetBlockPixel(0, 0, 1, 3);
        window().toolPanel()->findChild<QAbstractButton*>(button)->click();
        QCOMPARE(pixelsOfColor(workspace(), 3), (PixelSet{{movedTo.x(), movedTo.y()}}));
        QVERIFY(workspace().editing.Modified);
        window().action("actionUndo")->trigger();
        QCOMPARE(pixelsOfColor(workspace(), 3), (PixelSet{{0, 1}}));
    }

    void rotationOfATallBlockIsRefused() {
        window().action("actionBlock8x16")->trigger();
        workspace().tileSet.SetBlockPixel(0, 0, 1, 3);
        window()
            .toolPanel()
            ->findChild<QAbstractButton*>(QStringLiteral("rotateRightButton"))
            ->click();
        QCOMPARE(Texts(prompts_.messages),
                 QStringList{QStringLiteral("Error: Rotation only works for square tiles.")});
        QCOMPARE(pixelsOfColor(workspace(), 3), (PixelSet{{0, 1}}));
        QVERIFY(window().action("actionUndo")->isEnabled());
    }

    void gridColorComesFromTheColourDialog() {
        prompts_.colors.push_back(tessivar::Rgb{255, 0, 0});
        window().action("actionGridColor")->trigger();
        const QImage picture = canvas()->grab().toImage();
        QCOMPARE(QColor(picture.pixel(kZoom, 10)), QColor(Qt::red));
        // A cancelled dialog keeps the colour.
        window().action("actionGridColor")->trigger();
        QCOMPARE(canvas()->gridColor(), (tessivar::Rgb{255, 0, 0}));
    }
};

QTEST_MAIN(TileCanvasTest)
#include "TileCanvas_test.moc"
