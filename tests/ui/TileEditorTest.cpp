// The tile editor window driven as the user drives it.

#include "SessionFixture.h"

#include "ui/common/MapViewWidget.h"
#include "ui/common/QtOptionsStore.h"
#include "ui/tileeditor/ColorIndicator.h"
#include "ui/tileeditor/PaletteBoxWidget.h"
#include "ui/tileeditor/TileCanvasWidget.h"
#include "ui/tileeditor/TileCountDialog.h"
#include "ui/tileeditor/TileEditorOptionsDialog.h"
#include "ui/tileeditor/TileEditorWindow.h"
#include "ui/tileeditor/TileListWidget.h"
#include "ui/tileeditor/TileSizeDialog.h"
#include "ui/tileeditor/TileToolPanel.h"
#include "ui/tileinfo/AnimationDialog.h"
#include "ui/tileinfo/TileInfoDialog.h"
#include "ui/tileinfo/TileInfoGrid.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <set>
#include <utility>

// The tile canvas and its tool buttons: strokes of every tool at the screen geometry,
// one undo per stroke, the drag preview, the status bar texts, the rectangle pop-up
// and the transform buttons.
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
    const auto& tileSet = workspace.CurrentTileSet;
    for (int y = 0; y < tileSet.Block.Height; ++y)
        for (int x = 0; x < tileSet.Block.Width; ++x)
            if (tileSet.GetBlockPixel(workspace.Editing.CurrentTile, x, y) == color)
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

class TileCanvasTest : public SessionTest {
    Q_OBJECT

private:
    tessivar::ui::TileCanvasWidget* canvas() { return window().Canvas(); }

    void chooseTool(DrawingTool tool) {
        window().ToolPanel()->ToolButton(tool)->click();
        window().ToolPanel()->RectangleMenu()->hide();
    }
    void chooseRectangleMode(const char* actionName) {
        window().ToolPanel()->ToolButton(DrawingTool::Rectangle)->click();
        QMenu* menu = window().ToolPanel()->RectangleMenu();
        menu->findChild<QAction*>(QString::fromLatin1(actionName))->trigger();
        menu->hide();
    }
    void drag(Qt::MouseButton button, QPoint from, QPoint to) {
        QTest::mousePress(canvas(), button, {}, from);
        QTest::mouseMove(canvas(), to);
        QTest::mouseRelease(canvas(), button, {}, to);
    }

private Q_SLOTS:
    void init() {
        SessionTest::init();
        // Distinct colours for the two buttons, so each stroke shows which one drew.
        workspace().Editing.LeftColor = 3;
        workspace().Editing.RightColor = 2;
    }

    void penStrokeIsUndoneAsOne() {
        QVERIFY(!window().Action("actionUndo")->isEnabled());
        QTest::mousePress(canvas(), Qt::LeftButton, {}, screenOf(1, 2));
        QTest::mouseMove(canvas(), screenOf(2, 2));
        QTest::mouseMove(canvas(), screenOf(3, 2));
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, screenOf(3, 2));
        const PixelSet stroke{{1, 2}, {2, 2}, {3, 2}};
        QCOMPARE(pixelsOfColor(workspace(), 3), stroke);
        QVERIFY(workspace().Editing.Modified);
        QVERIFY(window().Action("actionUndo")->isEnabled());

        window().Action("actionUndo")->trigger();
        QVERIFY(pixelsOfColor(workspace(), 3).empty());
        QVERIFY(!window().Action("actionUndo")->isEnabled());
        window().Action("actionRedo")->trigger();
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
            workspace().CurrentTileSet.Tiles[0].fill(0);
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
        QMenu* menu = window().ToolPanel()->RectangleMenu();
        auto* filled = menu->findChild<QAction*>(QStringLiteral("rectangleFilled"));
        auto* hollow = menu->findChild<QAction*>(QStringLiteral("rectangleHollow"));
        QVERIFY(filled->isChecked() && !hollow->isChecked());
        chooseTool(DrawingTool::Fill);
        QCOMPARE(window().ToolStatusText(), QStringLiteral("Fill"));
        chooseRectangleMode("rectangleHollow");
        QCOMPARE(window().ToolStatusText(), QStringLiteral("Hollow Rect"));
        QVERIFY(!filled->isChecked());
    }

    void pixelPanelFollowsTheMouse() {
        workspace().CurrentTileSet.SetBlockPixel(0, 3, 1, 2);
        QTest::mouseMove(canvas(), QPoint(3 * kZoom + 5, kZoom + 31));
        QCOMPARE(window().PixelStatusLabel(), QStringLiteral("X=3 Y=1 Color=2"));
        QCOMPARE(canvas()->cursor().shape(), Qt::CrossCursor);
    }

    // Each button runs its own transform (whose pixels the core checks) and can be undone.
    void transformButtons() {
        const std::pair<const char*, QPoint> buttons[] = {
            {"shiftLeftButton", {7, 1}},      {"shiftUpButton", {0, 0}},
            {"shiftDownButton", {0, 2}},      {"shiftRightButton", {1, 1}},
            {"flipHorizontalButton", {7, 1}}, {"flipVerticalButton", {0, 6}},
            {"rotateRightButton", {6, 0}}};
        workspace().CurrentTileSet.SetBlockPixel(0, 0, 1, 3);
        for (const auto& [name, movedTo] : buttons) {
            window().ToolPanel()->findChild<QAbstractButton*>(QLatin1String(name))->click();
            QCOMPARE(pixelsOfColor(workspace(), 3), (PixelSet{{movedTo.x(), movedTo.y()}}));
            window().Action("actionUndo")->trigger();
            QCOMPARE(pixelsOfColor(workspace(), 3), (PixelSet{{0, 1}}));
        }
    }

    void gridColorComesFromTheColourDialog() {
        prompts_.colors.push_back(tessivar::Rgb{255, 0, 0});
        window().Action("actionGridColor")->trigger();
        const QImage picture = canvas()->grab().toImage();
        QCOMPARE(QColor(picture.pixel(kZoom, 10)), QColor(Qt::red));
        // A cancelled dialog keeps the colour.
        window().Action("actionGridColor")->trigger();
        QCOMPARE(canvas()->GridColor(), (tessivar::Rgb{255, 0, 0}));
    }
};

// The "Edit" menu's tile commands, the "Tile Editor Options" dialog and the option kept
// in the settings store between runs.
class TileEditMenuTest : public SessionTest {
    Q_OBJECT

private:
    tessivar::TileSet& tileSet() { return session_->Documents().CurrentTileSet; }

    void clickBlock(int block, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(window().TileList(), Qt::LeftButton, modifiers,
                          QPoint(block * 34 + 5, 5));
    }
    void trigger(const char* name) { window().Action(name)->trigger(); }
    // Tiles 0..count-1 each hold their own number in pixel 0.
    void numberTiles(int count) {
        for (int tile = 0; tile < count; ++tile)
            tileSet().Tiles[tile][0] = static_cast<std::uint8_t>(tile);
    }
    void setOverwriteOption(bool ticked) {
        trigger("actionOptions");
        window().OptionsDialog()->OverwriteBox()->setChecked(ticked);
        window().OptionsDialog()->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    }

private Q_SLOTS:
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
            QCOMPARE(tileSet().TileCount, tileCount);
            for (int k = 0; k < 4; ++k)
                QCOMPARE(tileSet().Tiles[10 + k][0], 2 + k);
            // Inserting pushes the old Tiles on; overwriting replaces them.
            QCOMPARE(tileSet().Tiles[14][0], overwrite ? 14 : 10);
            QCOMPARE(window().BlockCountLabel(), QString::number(tileCount));
            QCOMPARE(window().TileList()->width(), tileCount * 34);
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
            workspace().Editing.CurrentTile = 10;
            workspace().Editing.SelectionStart = workspace().Editing.SelectionEnd = 10;
            workspace().Map.Cell(0, 0).Tile = 12;
            trigger(c.command);
            QCOMPARE(tileSet().TileCount, c.tileCount);
            QCOMPARE(int(workspace().Map.Cell(0, 0).Tile), c.mapTile);
            QVERIFY(!workspace().Editing.Modified);
        }
    }

    void clearTileCanBeUndone() {
        trigger("actionBlock16x16");
        tileSet().Tiles[3].fill(2);
        trigger("actionClearTile");
        QCOMPARE(tileSet().Tiles[3][63], 0);
        QVERIFY(workspace().Editing.Modified);
        trigger("actionUndo");
        QCOMPARE(tileSet().Tiles[3][63], 2);
    }

    void closingTheDialogSavesTheOption() {
        QVERIFY(!window().OptionsDialog()->OverwriteBox()->isChecked());
        for (bool ticked : {true, false}) { // by the close box, then by OK
            trigger("actionOptions");
            QVERIFY(!window().OptionsDialog()->isModal());
            window().OptionsDialog()->OverwriteBox()->setChecked(ticked);
            QCOMPARE(workspace().Options.OverwriteTiles, ticked);
            if (ticked)
                window().OptionsDialog()->close();
            else
                window()
                    .OptionsDialog()
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
            restart();
            QCOMPARE(workspace().Options.OverwriteTiles, ticked);
            QCOMPARE(window().OptionsDialog()->OverwriteBox()->isChecked(), ticked);
        }
    }

    void storeInAFileAndOneThatCannotBeWritten() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("options.ini"));
        QVERIFY(tessivar::ui::QtOptionsStore(path).WriteInteger("Overwrite", 7).ok());
        const auto stored = tessivar::ui::QtOptionsStore(path).ReadInteger("Overwrite");
        QVERIFY(stored.ok() && *stored == 7);
        tessivar::ui::QtOptionsStore broken(QStringLiteral("/proc/no-such-dir/options.ini"));
        QVERIFY(!broken.WriteInteger("Overwrite", 1).ok());
        const auto unread = broken.ReadInteger("Overwrite");
        QVERIFY(unread.ok() && !*unread);
    }
};

// The map view pane (size, flips, palette) and the "Tile List" / "Map View" toggles
// with the remembered pane width.
class TileEditorPanesTest : public SessionTest {
    Q_OBJECT

private:
    QWidget* pane(const char* name) { return window().findChild<QWidget*>(QLatin1String(name)); }

private Q_SLOTS:
    void mapViewIsTwiceTheBlockSize() {
        window().Action("actionBlock8x16")->trigger();
        QCOMPARE(window().MapView()->size(), QSize(32 * 16, 32 * 32));
    }

    // The flips are the core painter's; these prove each flag of a cell reaches it.
    void mapViewDrawsFlips() {
        workspace().CurrentTileSet.Tiles[5][0] = 3; // pixel (0, 0) of Tile 5
        const std::pair<tessivar::MapCell, QPoint> cases[] = {{{5, 0, 1, 0}, {14, 0}},
                                                              {{5, 0, 0, 1}, {0, 14}}};
        for (const auto& [cell, black] : cases) { // where the marked pixel lands in the cell
            workspace().Map.Cell(1, 2) = cell;
            workspace().Notify(tessivar::MapChanged);
            const QImage picture = window().MapView()->grab(QRect(32, 16, 16, 16)).toImage();
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const bool marked = x / 2 == black.x() / 2 && y / 2 == black.y() / 2;
                    QCOMPARE(QColor(picture.pixel(x, y)),
                             marked ? QColor(Qt::black) : QColor(248, 248, 248));
                }
        }
    }

    void mapViewUsesTheCellsPalette() {
        workspace().CurrentTileSet.Palettes[0][4][0] = {0, 31, 0}; // green on screen
        workspace().Map.Cell(0, 0).Palette = 4;
        workspace().Notify(tessivar::MapChanged);
        const QImage picture = window().MapView()->grab(QRect(0, 0, 32, 16)).toImage();
        QCOMPARE(QColor(picture.pixel(3, 3)), QColor(0, 248, 0));
        QCOMPARE(QColor(picture.pixel(20, 3)), QColor(248, 248, 248));
    }

    void tileListToggle() {
        QAction* toggle = window().Action("actionTileList");
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
        QAction* toggle = window().Action("actionMapView");
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

// The custom information grid, the Tile Information dialog and the Animation dialog:
// that each surface reaches the core and repaints from it.
class TileInfoTest : public SessionTest {
    Q_OBJECT

private:
    tessivar::TileSet& tileSet() { return workspace().CurrentTileSet; }

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
    void gridPopUpAndEditorStoreForCurrentTile() {
        tessivar::ui::TileInfoGrid* grid = window().InfoGrid();
        workspace().Editing.CurrentTile = 4;
        workspace().Notify(tessivar::EditingChanged);
        QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("4"));

        clickCell(grid, 0, 1);
        QMenu* menu = grid->BooleanMenu();
        QVERIFY(menu->isVisible());
        QVERIFY(menuEntry(menu, QStringLiteral("&false"))->isChecked());
        menuEntry(menu, QStringLiteral("&true"))->trigger();
        menu->hide();
        QCOMPARE(tileSet().TileInfo[4][0], 1);
        QVERIFY(workspace().Editing.Modified);

        QCOMPARE(typeInto(grid, 1, 1, QStringLiteral("-1")), QStringLiteral("4"));
        QCOMPARE(tileSet().TileInfo[4][1], 65535);
        QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("65535"));
    }

    void dialogAddsACategoryAndRetypesIt() {
        QVERIFY(window().Action("actionCustomInformation")->isEnabled());
        tessivar::ui::TileInfoDialog* dialog = window().InfoDialog();
        dialog->show(); // the menu opens it modally; shown here so the test goes on
        QTableWidget* grid = dialog->Grid();
        QCOMPARE(grid->rowCount(), 4);

        QCOMPARE(typeInto(grid, 3, 0, QStringLiteral("x")), QString());
        QCOMPARE(tileSet().CategoryCount, 4);
        QCOMPARE(grid->rowCount(), 5);
        QCOMPARE(window().InfoGrid()->rowCount(), 4);
        QCOMPARE(grid->item(3, 1)->text(), QStringLiteral("Word"));

        clickCell(grid, 3, 1);
        QMenu* menu = dialog->TypeMenu();
        QVERIFY(menu->isVisible());
        QVERIFY(menuEntry(menu, QStringLiteral("&Word"))->isChecked());
        menuEntry(menu, QStringLiteral("&Time"))->trigger();
        menu->hide();
        QCOMPARE(grid->item(3, 1)->text(), QStringLiteral("Time"));
        QCOMPARE(window().InfoGrid()->item(3, 1)->text(), QStringLiteral("0 ms"));

        clickCell(grid, 1, 1); // built-in rows offer no pop-up
        QVERIFY(!menu->isVisible());
        dialog->close();
    }

    void animationDialogPlaysAndApplies() {
        tessivar::ui::AnimationDialog& dialog = session_->Animation();
        workspace().Editing.SelectionStart = 2;
        workspace().Editing.SelectionEnd = 5;
        window().ToolPanel()->findChild<QPushButton*>(QStringLiteral("animationButton"))->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.StartField()->text(), QStringLiteral("2"));
        QCOMPARE(dialog.EndField()->text(), QStringLiteral("5"));

        dialog.DelayField()->setText(QStringLiteral("250"));
        dialog.PlayButton()->click();
        QCOMPARE(dialog.Timer()->interval(), 250);
        QVERIFY(dialog.Timer()->isActive());
        QVERIFY(QMetaObject::invokeMethod(dialog.Timer(), "timeout")); // one period passes
        QCOMPARE(dialog.FrameNumber()->text(), QStringLiteral("3"));

        workspace().Editing.CurrentTile = 2;
        dialog.ApplyButton()->click();
        QCOMPARE(tileSet().TileInfo[5][1], 2);
        QVERIFY(workspace().Editing.Modified);
        tessivar::ui::TileInfoGrid* grid = window().InfoGrid();
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("true"));
        QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("3"));
        QCOMPARE(grid->item(2, 1)->text(), QStringLiteral("250 ms"));

        dialog.EndField()->setText(QStringLiteral("2000000000"));
        dialog.PlayButton()->click();
        dialog.ApplyButton()->click();
        QCOMPARE(prompts_.messages.size(), 1);
        QCOMPARE(prompts_.messages.front().caption, std::string("Error"));
        dialog.close();
        QVERIFY(!dialog.Timer()->isActive());
    }
};

// The tile list strip, the palette box and the colour indicators: clicks at the screen
// geometry of each Block size, what the strip paints, and the colour choice rules.
class TileListPaletteTest : public SessionTest {
    Q_OBJECT

private:
    tessivar::TileEditorState& editing() { return session_->Documents().Editing; }

    void clickList(int x, Qt::KeyboardModifiers modifiers = {},
                   Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(window().TileList(), button, modifiers, QPoint(x, 5));
    }

private Q_SLOTS:
    // The click rules are checked in the core; cells of 26 (8x16) and 50 (16x16).
    void clicksPickBlocks() {
        window().Action("actionBlock8x16")->trigger();
        clickList(60); // Block 2
        QCOMPARE(editing().CurrentTile, 4);
        QCOMPARE(editing().SelectionStart, 4);
        QCOMPARE(editing().SelectionEnd, 5);
        window().Action("actionBlock16x16")->trigger();
        editing().CurrentTile = 8;
        clickList(10, Qt::ShiftModifier); // to the left: the ends swap
        QCOMPARE(editing().CurrentTile, 8);
        QCOMPARE(editing().SelectionStart, 3);
        QCOMPARE(editing().SelectionEnd, 8);
    }

    void plainClickTakesTheBlocksPalette() {
        workspace().CurrentTileSet.TilePalette[4] = 2;
        workspace().CurrentTileSet.TilePaletteSet[4] = 1;
        workspace().CurrentTileSet.Palettes[1][2][3] = {31, 0, 0}; // blue on screen
        editing().LeftColor = 3;
        clickList(4 * 34 + 10, {}, Qt::RightButton);
        QCOMPARE(editing().CurrentTile, 4);
        QCOMPARE(editing().CurrentPalette, 2);
        QCOMPARE(editing().CurrentPaletteSet, 1);
        QCOMPARE(window().LeftIndicator()->ShownColor(), QColor(0, 0, 248));
    }

    void stripPaintsSelectionFramesAndBlocks() {
        workspace().CurrentTileSet.Tiles[1].fill(3); // Block 1 black
        clickList(0);
        clickList(2 * 34, Qt::ShiftModifier); // Blocks 0..2 selected
        const QImage strip = window().TileList()->grab().toImage();
        QCOMPARE(QColor(strip.pixel(0, 0)), QColor(Qt::white));
        QCOMPARE(QColor(strip.pixel(3 * 34, 20)), QColor(128, 128, 128));
        QCOMPARE(QColor(strip.pixel(34 + 1 + 16, 16)), QColor(Qt::black));
        QCOMPARE(QColor(strip.pixel(2 * 34 + 1 + 16, 16)), QColor(248, 248, 248));
    }

    // The sizes are the core layout's; this proves the strip takes them (one 32x32 Block).
    void stripSizeFollowsBlocksAndCount() {
        window().Action("actionBlock32x32")->trigger();
        QCOMPARE(window().TileList()->size(), QSize(66, 32 * 2 + 25));
        QCOMPARE(window().findChild<QScrollArea*>(QStringLiteral("tileListArea"))->height(),
                 32 * 2 + 41);
    }

    // The choice rules are checked in the core; these clicks prove each mouse button and
    // the swatch positions reach them.
    void paletteBoxClicks() {
        editing().CurrentPalette = 5;
        QTest::mouseClick(window().PaletteBox(), Qt::RightButton, {}, QPoint(40, 8));
        QCOMPARE(editing().RightColor, 2);
        QCOMPARE(editing().CurrentPalette, 0);
        QVERIFY(editing().Modified);
        QTest::mouseClick(window().PaletteBox(), Qt::MiddleButton, {}, QPoint(0, 8));
        QCOMPARE(editing().RightColor, 0);
        QTest::mouseClick(window().PaletteBox(), Qt::LeftButton, {}, QPoint(16, 8));
        QCOMPARE(editing().LeftColor, 1);
        QCOMPARE(editing().RightColor, 0);
    }

    void paletteBoxAndIndicatorsShowTheColours() {
        QTest::mouseClick(window().PaletteBox(), Qt::LeftButton, {}, QPoint(20, 8));
        const QImage box = window().PaletteBox()->grab().toImage();
        QCOMPARE(QColor(box.pixel(8, 8)), QColor(248, 248, 248));
        QCOMPARE(QColor(box.pixel(56, 8)), QColor(0, 0, 0));
        QCOMPARE(QColor(box.pixel(16, 0)), QColor(Qt::white)); // LeftColor 1 outlined
        QCOMPARE(QColor(box.pixel(0, 0)), QColor(Qt::black));
        QCOMPARE(window().LeftIndicator()->ShownColor(), QColor(168, 168, 168));
        QCOMPARE(window().RightIndicator()->ShownColor(), QColor(248, 248, 248));
    }

    void newSwapsTheIndicators() {
        QCOMPARE(window().LeftIndicator()->ShownColor(), QColor(Qt::black));
        window().Action("actionNew")->trigger();
        QCOMPARE(window().LeftIndicator()->ShownColor(), QColor(248, 248, 248));
        QCOMPARE(window().RightIndicator()->ShownColor(), QColor(Qt::black));
    }
};

// The Tile Size and Number of Tiles dialogs, the zoom items of the "View" menu and the
// sizes the layout gives the canvas, the tile list and the left pane.
class TileSizeZoomTest : public SessionTest {
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
                tessivar::ui::TileSizeDialog* dialog = window().SizeDialog();
                dialog->WidthField()->setText(width);
                dialog->HeightField()->setText(height);
                dialog->findChild<QPushButton*>(QStringLiteral("changeButton"))->click();
                stayedOpen = dialog->isVisible();
                if (stayedOpen)
                    dialog->close();
            },
            [&] { window().Action("actionBlockCustom")->trigger(); });
        return stayedOpen;
    }
    void enterTileCount(const std::optional<QString>& text) {
        whileModal(
            [&] {
                tessivar::ui::TileCountDialog* dialog = window().CountDialog();
                if (!text) {
                    dialog->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
                    return;
                }
                dialog->CountField()->setText(*text);
                dialog->findChild<QPushButton*>(QStringLiteral("changeButton"))->click();
            },
            [&] { window().findChild<QPushButton*>(QStringLiteral("changeTileCount"))->click(); });
    }

private Q_SLOTS:
    // The checks and the counts are the core's; these prove the dialogs reach them.
    void customSizes() {
        QVERIFY(enterTileSize(QStringLiteral("241"), QStringLiteral("8"))); // stays open
        QCOMPARE(Texts(prompts_.messages),
                 QStringList{QStringLiteral("Size error: The width entered is larger than 240")});
        QCOMPARE(window().Canvas()->size(), QSize(8 * 32, 8 * 32));
        QVERIFY(!enterTileSize(QStringLiteral("12"), QStringLiteral("20")));
        QCOMPARE(prompts_.messages.size(), std::size_t{1});
        QCOMPARE(workspace().CurrentTileSet.Block.Height, 20);
        QCOMPARE(window().Canvas()->size(), QSize(12 * 8, 20 * 8));
        // The fields keep the last entry for the next opening.
        QCOMPARE(window().SizeDialog()->WidthField()->text(), QStringLiteral("12"));
    }

    void tileCounts() {
        enterTileCount(std::nullopt);
        QVERIFY(workspace().Editing.Modified); // Cancel too
        QCOMPARE(workspace().CurrentTileSet.TileCount, 16);
        window().Action("actionBlock16x16")->trigger();
        enterTileCount(QStringLiteral("193"));
        QCOMPARE(
            Texts(prompts_.messages),
            QStringList{QStringLiteral("BAD BAD: The tile count you entered is out of range!")});
        QCOMPARE(window().BlockCountLabel(), QStringLiteral("4"));
        window().Action("actionBlock8x8")->trigger();
        enterTileCount(QStringLiteral("1"));
        QCOMPARE(workspace().CurrentTileSet.TileCount, 1);
        QCOMPARE(window().BlockCountLabel(), QStringLiteral("1"));
    }

    void tileCountDialogShowsTheBlockCount() {
        window().Action("actionBlock16x16")->trigger();
        QString preset;
        whileModal(
            [&] {
                preset = window().CountDialog()->CountField()->text();
                window().CountDialog()->reject();
            },
            [&] { window().ChangeTileCount(); });
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
                window().Action(name.toLatin1().constData())->trigger();
            QCOMPARE(window().Canvas()->Zoom(), zoom);
            const auto block = workspace().CurrentTileSet.Block;
            QCOMPARE(window().Canvas()->size(), QSize(block.Width * zoom, block.Height * zoom));
        }
    }

    void wideBlocksWidenTheLeftPane() {
        QCOMPARE(window().LeftPaneWidth(), 409); // 8 x 32 = 256 is not wider than 256
        const int windowWidth = window().width();
        QVERIFY(!enterTileSize(QStringLiteral("240"), QStringLiteral("8")));
        QCOMPARE(window().LeftPaneWidth(), 240 * 3 + 153);
        QCOMPARE(window().width(), windowWidth + 240 * 3 + 153 - 409);
    }
};

SESSION_TEST_MAIN(new TileCanvasTest, new TileEditMenuTest, new TileEditorPanesTest,
                  new TileInfoTest, new TileListPaletteTest, new TileSizeZoomTest)
#include "TileEditorTest.moc"
