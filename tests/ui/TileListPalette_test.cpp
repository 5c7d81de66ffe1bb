// The tile list strip, the palette box and the colour indicators: clicks at the screen
// geometry of each Block size, what the strip paints, and the colour choice rules.

#include "SessionHarness.h"

#include "ui/tileeditor/ColorIndicator.h"
#include "ui/tileeditor/PaletteBoxWidget.h"
#include "ui/tileeditor/TileListWidget.h"

#include <QAction>
#include <QScrollArea>

class TileListPaletteTest : public QObject, private SessionTestBase {
    Q_OBJECT

private:
    tessivar::EditingState& editing() { return session_->workspace().editing; }

    void clickList(int x, Qt::KeyboardModifiers modifiers = {},
                   Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(window().tileList(), button, modifiers, QPoint(x, 5));
    }

private Q_SLOTS:
    void initTestCase() { IsolateSettings(settingsDir_); }
    void init() { QVERIFY(StartSession(prompts_, session_)); }
    void cleanup() { session_.reset(); }

    // The click rules are checked in the core; cells of 26 (8x16) and 50 (16x16).
    void clicksPickBlocks() {
        window().action("actionBlock8x16")->trigger();
        clickList(60); // Block 2
        QCOMPARE(editing().CurrentTile, 4);
        QCOMPARE(editing().SelectionStart, 4);
        QCOMPARE(editing().SelectionEnd, 5);
        window().action("actionBlock16x16")->trigger();
        editing().CurrentTile = 8;
        clickList(10, Qt::ShiftModifier); // to the left: the ends swap
        QCOMPARE(editing().CurrentTile, 8);
        QCOMPARE(editing().SelectionStart, 3);
        QCOMPARE(editing().SelectionEnd, 8);
    }

    void plainClickTakesTheBlocksPalette() {
        workspace().tileSet.tilePalette[4] = 2;
        workspace().tileSet.tilePaletteSet[4] = 1;
        workspace().tileSet.paletteTable[1][2][3] = {31, 0, 0}; // blue on screen
        editing().LeftColor = 3;
        clickList(4 * 34 + 10, {}, Qt::RightButton);
        QCOMPARE(editing().CurrentTile, 4);
        QCOMPARE(editing().CurrentPalette, 2);
        QCOMPARE(editing().CurrentPaletteSet, 1);
        QCOMPARE(window().leftIndicator()->shownColor(), QColor(0, 0, 248));
    }

    void stripPaintsSelectionFramesAndBlocks() {
        workspace().tileSet.tiles[1].fill(3); // Block 1 black
        clickList(0);
        clickList(2 * 34, Qt::ShiftModifier); // Blocks 0..2 selected
        const QImage strip = window().tileList()->grab().toImage();
        QCOMPARE(QColor(strip.pixel(0, 0)), QColor(Qt::white));
        QCOMPARE(QColor(strip.pixel(3 * 34, 20)), QColor(128, 128, 128));
        QCOMPARE(QColor(strip.pixel(34 + 1 + 16, 16)), QColor(Qt::black));
        QCOMPARE(QColor(strip.pixel(2 * 34 + 1 + 16, 16)), QColor(248, 248, 248));
    }

    // The sizes are the core layout's; this proves the strip takes them (one 32x32 Block).
    void stripSizeFollowsBlocksAndCount() {
        window().action("actionBlock32x32")->trigger();
        QCOMPARE(window().tileList()->size(), QSize(66, 32 * 2 + 25));
        QCOMPARE(window().findChild<QScrollArea*>(QStringLiteral("tileListArea"))->height(),
                 32 * 2 + 41);
    }

    // The choice rules are checked in the core; these clicks prove each mouse button and
    // the swatch positions reach them.
    void paletteBoxClicks() {
        editing().CurrentPalette = 5;
        QTest::mouseClick(window().paletteBox(), Qt::RightButton, {}, QPoint(40, 8));
        QCOMPARE(editing().RightColor, 2);
        QCOMPARE(editing().CurrentPalette, 0);
        QVERIFY(editing().Modified);
        QTest::mouseClick(window().paletteBox(), Qt::MiddleButton, {}, QPoint(0, 8));
        QCOMPARE(editing().RightColor, 0);
        QTest::mouseClick(window().paletteBox(), Qt::LeftButton, {}, QPoint(16, 8));
        QCOMPARE(editing().LeftColor, 1);
        QCOMPARE(editing().RightColor, 0);
    }

    void paletteBoxAndIndicatorsShowTheColours() {
        QTest::mouseClick(window().paletteBox(), Qt::LeftButton, {}, QPoint(20, 8));
        const QImage box = window().paletteBox()->grab().toImage();
        QCOMPARE(QColor(box.pixel(8, 8)), QColor(248, 248, 248));
        QCOMPARE(QColor(box.pixel(56, 8)), QColor(0, 0, 0));
        QCOMPARE(QColor(box.pixel(16, 0)), QColor(Qt::white)); // LeftColor 1 outlined
        QCOMPARE(QColor(box.pixel(0, 0)), QColor(Qt::black));
        QCOMPARE(window().leftIndicator()->shownColor(), QColor(168, 168, 168));
        QCOMPARE(window().rightIndicator()->shownColor(), QColor(248, 248, 248));
    }

    void newSwapsTheIndicators() {
        QCOMPARE(window().leftIndicator()->shownColor(), QColor(Qt::black));
        window().action("actionNew")->trigger();
        QCOMPARE(window().leftIndicator()->shownColor(), QColor(248, 248, 248));
        QCOMPARE(window().rightIndicator()->shownColor(), QColor(Qt::black));
    }
};

QTEST_MAIN(TileListPaletteTest)
#include "TileListPalette_test.moc"
