// The map editor's canvas and controls driven with mouse events: strokes of the three
// tools with both buttons, the rectangle pop-up, the tile list and flips, the status bar,
// "Grid Color", the animation tick and the picture export.

#include "SessionHarness.h"

#include "core/render/CellGrid.h"
#include "ui/mapeditor/MapCanvasWidget.h"
#include "ui/mapeditor/MapEditorWindow.h"
#include "ui/mapeditor/MapTileListWidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

using tessivar::MapTool;
using tessivar::ui::MapEditorWindow;

namespace {

constexpr int kPitch = 17; // 8x8 Blocks at zoom 2 plus the grid line

QPoint cellCentre(int column, int row) {
    return {column * kPitch + 8, row * kPitch + 8};
}

} // namespace

class MapCanvasTest : public QObject, private SessionTestBase {
    Q_OBJECT

private:
    MapEditorWindow& map() { return session_->mapEditor(); }
    QWidget* canvas() { return map().canvas(); }
    int tileAt(int column, int row) { return workspace().map.cell(row, column).Tile; }
    void chooseTool(MapTool tool) {
        map().toolButton(tool)->click();
        map().rectangleMenu()->hide();
    }

private Q_SLOTS:
    void initTestCase() { IsolateSettings(settingsDir_); }
    void init() {
        QVERIFY(StartSession(prompts_, session_));
        map().show();
        QVERIFY(QTest::qWaitForWindowExposed(&map()));
        map().state().LeftBlock = 3;
        map().state().RightBlock = 5;
    }
    void cleanup() { session_.reset(); }

    void penStrokesWithBothButtons() {
        QCOMPARE(map().toolStatusText(), QStringLiteral("Pen"));
        QTest::mousePress(canvas(), Qt::LeftButton, {}, cellCentre(1, 1));
        QTest::mouseMove(canvas(), cellCentre(2, 1));
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, cellCentre(2, 1));
        QTest::mouseClick(canvas(), Qt::RightButton, {}, cellCentre(4, 4));
        QCOMPARE(tileAt(1, 1), 3);
        QCOMPARE(tileAt(2, 1), 3);
        QCOMPARE(tileAt(4, 4), 5);
        QCOMPARE(tileAt(3, 1), 0);
        QVERIFY(workspace().map.MapModified);
    }

    // The "Edit" menu follows the history: one stroke undone and redone by its shortcuts.
    void undoMenuFollowsTheStrokes() {
        QAction* undo = map().action("actionMapUndo");
        QAction* redo = map().action("actionMapRedo");
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QTest::mousePress(canvas(), Qt::LeftButton, {}, cellCentre(1, 1));
        QTest::mouseMove(canvas(), cellCentre(2, 1));
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, cellCentre(2, 1));
        QVERIFY(undo->isEnabled() && !redo->isEnabled());
        QTest::keyClick(&map(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(tileAt(1, 1) + tileAt(2, 1), 0);
        QVERIFY(!undo->isEnabled() && redo->isEnabled());
        QTest::keyClick(&map(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(tileAt(1, 1) + tileAt(2, 1), 6);
        QVERIFY(undo->isEnabled() && !redo->isEnabled());
        prompts_.answers = {tessivar::Answer::No}; // a new map: the steps are forgotten
        workspace().NewMap();
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    }

    void fillAndRectanglesFollowTheToolButtons() {
        map().flipButton(true)->click();
        chooseTool(MapTool::Fill);
        QCOMPARE(map().toolStatusText(), QStringLiteral("Fill"));
        QTest::mouseClick(canvas(), Qt::RightButton, {}, cellCentre(0, 0));
        QCOMPARE(tileAt(31, 31), 5);
        QCOMPARE(int{workspace().map.cell(31, 31).VFlip}, 1);

        map().toolButton(MapTool::Rectangle)->click();
        map().rectangleMenu()->findChild<QAction*>(QStringLiteral("rectangleHollow"))->trigger();
        map().rectangleMenu()->hide();
        QCOMPARE(map().toolStatusText(), QStringLiteral("Hollow Rect"));
        QTest::mousePress(canvas(), Qt::LeftButton, {}, cellCentre(4, 4));
        QTest::mouseMove(canvas(), cellCentre(2, 2));
        QCOMPARE(tileAt(3, 2), 5); // only previewed so far
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, cellCentre(2, 2));
        for (int row = 2; row <= 4; ++row)
            for (int column = 2; column <= 4; ++column)
                QCOMPARE(tileAt(column, row), row == 3 && column == 3 ? 5 : 3);
    }

    void statusBarShowsTheCellUnderTheMouse() {
        workspace().map.cell(5, 3) = {12, 2, 1, 0};
        // A move with no button held, as mouse tracking reports it.
        const QPointF at = cellCentre(3, 5);
        QMouseEvent move(QEvent::MouseMove, at, canvas()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(canvas(), &move);
        QCOMPARE(map().cellStatusText(),
                 QStringLiteral("X=3  Y=5  Tile#=12  Palette=2  HFlip=Yes  VFlip=No"));
    }

    void tileListPicksBlocksAndPalette() {
        workspace().tileSet.tilePalette[2] = 6;
        QTest::mouseClick(map().tileList(), Qt::LeftButton, {}, QPoint(2 * 34 + 10, 20));
        QTest::mouseClick(map().tileList(), Qt::RightButton, {}, QPoint(7 * 34 + 10, 20));
        QCOMPARE(map().state().LeftBlock, 2);
        QCOMPARE(map().state().RightBlock, 7);
        QCOMPARE(map().state().MapPalette, 6);
        QTest::mouseClick(canvas(), Qt::LeftButton, {}, cellCentre(0, 0));
        QCOMPARE(int{workspace().map.cell(0, 0).Palette}, 6);
    }

    void gridColourShowsAtOnce() {
        prompts_.colors.push_back(tessivar::Rgb{255, 0, 0});
        map().action("actionMapGridColor")->trigger();
        const QImage shot = canvas()->grab().toImage();
        QCOMPARE(shot.pixelColor(kPitch - 1, 3), QColor(255, 0, 0));
        QVERIFY(shot.pixelColor(3, 3) != QColor(255, 0, 0));
    }

    void animationDrawsTheNextFrame() {
        auto& tiles = workspace().tileSet;
        tiles.tiles[4].fill(3); // frame 4 is black in the grey palette
        tiles.tileInfo[0][0] = 1;
        tiles.tileInfo[0][1] = 4;
        map().animationBox()->click();
        map().animationTick();
        QApplication::processEvents();
        const QColor after = canvas()->grab().toImage().pixelColor(3, 3);
        QCOMPARE(after, QColor(0, 0, 0));
        QCOMPARE(tileAt(0, 0), 0); // the map itself is unchanged
    }

    void exportWritesThePictureOrReportsTheFailure() {
        const QString path = settingsDir_.filePath(QStringLiteral("map.bmp"));
        prompts_.files.push_back(path.toStdString());
        map().action("actionMapExportBitmap")->trigger();
        QCOMPARE(QFileInfo(path).size(), qint64{54 + 256 * 256 * 3});
        QVERIFY(prompts_.messages.empty());

        prompts_.files.push_back(settingsDir_.filePath(QStringLiteral("no/map.png")).toStdString());
        map().action("actionMapExportBitmap")->trigger();
        QCOMPARE(prompts_.messages.size(), std::size_t{1});
        QCOMPARE(prompts_.messages[0].caption, std::string("File Error"));
        QVERIFY(prompts_.messages[0].text.find("no/map.png") != std::string::npos);
    }
};

QTEST_MAIN(MapCanvasTest)
#include "MapCanvas_test.moc"
