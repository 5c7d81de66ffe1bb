// The map view pane (size, flips, palette) and the "Tile List" / "Map View" toggles
// with the remembered pane width.

#include "SessionHarness.h"

#include "ui/common/MapViewWidget.h"

#include <QAction>
#include <QSplitter>

class TileEditorPanesTest : public QObject, private SessionTestBase {
    Q_OBJECT

private:
    QWidget* pane(const char* name) { return window().findChild<QWidget*>(QLatin1String(name)); }

private Q_SLOTS:
    void initTestCase() { IsolateSettings(settingsDir_); }
    void init() { QVERIFY(StartSession(prompts_, session_)); }
    void cleanup() { session_.reset(); }

    void mapViewIsTwiceTheBlockSize() {
        window().action("actionBlock8x16")->trigger();
        QCOMPARE(window().mapView()->size(), QSize(32 * 16, 32 * 32));
    }

    // The flips are the core painter's; these prove each flag of a cell reaches it.
    void mapViewDrawsFlips() {
        workspace().tileSet.tiles[5][0] = 3; // pixel (0, 0) of Tile 5
        const std::pair<tessivar::MapCell, QPoint> cases[] = {{{5, 0, 1, 0}, {14, 0}},
                                                              {{5, 0, 0, 1}, {0, 14}}};
        for (const auto& [cell, black] : cases) { // where the marked pixel lands in the cell
            workspace().map.cell(1, 2) = cell;
            workspace().notify(tessivar::MapChanged);
            const QImage picture = window().mapView()->grab(QRect(32, 16, 16, 16)).toImage();
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const bool marked = x / 2 == black.x() / 2 && y / 2 == black.y() / 2;
                    QCOMPARE(QColor(picture.pixel(x, y)),
                             marked ? QColor(Qt::black) : QColor(248, 248, 248));
                }
        }
    }

    void mapViewUsesTheCellsPalette() {
        workspace().tileSet.paletteTable[0][4][0] = {0, 31, 0}; // green on screen
        workspace().map.cell(0, 0).Palette = 4;
        workspace().notify(tessivar::MapChanged);
        const QImage picture = window().mapView()->grab(QRect(0, 0, 32, 16)).toImage();
        QCOMPARE(QColor(picture.pixel(3, 3)), QColor(0, 248, 0));
        QCOMPARE(QColor(picture.pixel(20, 3)), QColor(248, 248, 248));
    }

    void tileListToggle() {
        QAction* toggle = window().action("actionTileList");
        QVERIFY(toggle->isChecked());
        toggle->trigger();
        QVERIFY(!pane("tileListArea")->isVisible());
        toggle->trigger();
        QVERIFY(pane("tileListArea")->isVisible());
    }

    void mapViewToggleRestoresTheWidth() {
        window().resize(1100, window().height());
        QTest::qWait(20);
        auto* splitter = window().findChild<QSplitter*>();
        const int paneWidth = pane("mapViewArea")->width();
        QAction* toggle = window().action("actionMapView");
        toggle->trigger();
        QVERIFY(!toggle->isChecked());
        QVERIFY(!pane("mapViewArea")->isVisible());
        QTest::qWait(20);
        QCOMPARE(pane("leftPane")->width(), splitter->width());
        toggle->trigger();
        QTest::qWait(20);
        QVERIFY(pane("mapViewArea")->isVisible());
        QCOMPARE(pane("mapViewArea")->width(), paneWidth);
    }
};

QTEST_MAIN(TileEditorPanesTest)
#include "TileEditorPanes_test.moc"
