// The tile canvas and its tool buttons: strokes of every tool at the screen geometry,
// one undo per stroke, the drag preview, the status bar texts, the rectangle pop-up
// and the transform buttons.

#include "SessionHarness.h"

#include "ui/tileeditor/TileCanvasWidget.h"
#include "ui/tileeditor/TileEditorWindow.h"
#include "ui/tileeditor/TileToolPanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>

#include <set>
#include <utility>

using tessivar::DrawingTool;

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

    // The drawing rules are checked in the core; these rows prove the buttons, the
    // pop-up and the mouse buttons reach them.
    void toolsDrawTheirShapes() {
        const struct {
            DrawingTool tool;
            const char* rectangleMode; // chosen from the pop-up instead of the button
            Qt::MouseButton button;
            QPoint to;
            int color;
            PixelSet expected;
        } strokes[] = {
            {DrawingTool::Pen, nullptr, Qt::MiddleButton, {1, 1}, 2, {}}, // draws nothing
            {DrawingTool::Line,
             nullptr,
             Qt::LeftButton,
             {4, 2},
             3,
             {{1, 1}, {2, 1}, {3, 2}, {4, 2}}},
            {DrawingTool::Rectangle,
             "rectangleHollow",
             Qt::RightButton,
             {3, 3},
             2,
             {{1, 1}, {2, 1}, {3, 1}, {1, 2}, {3, 2}, {1, 3}, {2, 3}, {3, 3}}},
            {DrawingTool::Fill, nullptr, Qt::RightButton, {1, 1}, 2, allPixels(8, 8)},
        };
        for (const auto& stroke : strokes) {
            workspace().tileSet.tiles[0].fill(0);
            if (stroke.rectangleMode)
                chooseRectangleMode(stroke.rectangleMode);
            else
                chooseTool(stroke.tool);
            drag(stroke.button, screenOf(1, 1), screenOf(stroke.to.x(), stroke.to.y()));
            QCOMPARE(pixelsOfColor(workspace(), stroke.color), stroke.expected);
        }
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

    // The texts themselves are checked in the core; these prove the panel follows the
    // buttons and the pop-up, whose check mark moves with the choice.
    void statusPanelAndPopUpFollowTheChoice() {
        QMenu* menu = window().toolPanel()->rectangleMenu();
        auto* filled = menu->findChild<QAction*>(QStringLiteral("rectangleFilled"));
        auto* hollow = menu->findChild<QAction*>(QStringLiteral("rectangleHollow"));
        QVERIFY(filled->isChecked() && !hollow->isChecked());
        chooseTool(DrawingTool::Fill);
        QCOMPARE(window().toolStatusText(), QStringLiteral("Fill"));
        chooseRectangleMode("rectangleHollow");
        QCOMPARE(window().toolStatusText(), QStringLiteral("Hollow Rect"));
        QVERIFY(!filled->isChecked());
    }

    void pixelPanelFollowsTheMouse() {
        workspace().tileSet.SetBlockPixel(0, 3, 1, 2);
        QTest::mouseMove(canvas(), QPoint(3 * kZoom + 5, kZoom + 31));
        QCOMPARE(window().pixelStatusText(), QStringLiteral("X=3 Y=1 Color=2"));
        QCOMPARE(canvas()->cursor().shape(), Qt::CrossCursor);
    }

    // Each button runs its own transform (whose pixels the core checks) and can be undone.
    void transformButtons() {
        const std::pair<const char*, QPoint> buttons[] = {
            {"shiftLeftButton", {7, 1}},      {"shiftUpButton", {0, 0}},
            {"shiftDownButton", {0, 2}},      {"shiftRightButton", {1, 1}},
            {"flipHorizontalButton", {7, 1}}, {"flipVerticalButton", {0, 6}},
            {"rotateRightButton", {6, 0}}};
        workspace().tileSet.SetBlockPixel(0, 0, 1, 3);
        for (const auto& [name, movedTo] : buttons) {
            window().toolPanel()->findChild<QAbstractButton*>(QLatin1String(name))->click();
            QCOMPARE(pixelsOfColor(workspace(), 3), (PixelSet{{movedTo.x(), movedTo.y()}}));
            window().action("actionUndo")->trigger();
            QCOMPARE(pixelsOfColor(workspace(), 3), (PixelSet{{0, 1}}));
        }
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
