// The map editor and the export and import dialogs driven as the user drives them.

#include "SessionFixture.h"

#include "core/export/FormatJson.h"
#include "core/render/CellGeometry.h"
#include "ui/common/NamedActions.h"
#include "ui/export/FormatGrids.h"
#include "ui/export/MapExportDialog.h"
#include "ui/export/TileExportDialog.h"
#include "ui/imageimport/BitmapImportDialog.h"
#include "ui/mapeditor/MapCanvasWidget.h"
#include "ui/mapeditor/MapEditorWindow.h"
#include "ui/mapeditor/MapTileListWidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>

// The map editor's canvas and controls driven with mouse events: strokes of the three
// tools with both buttons, the rectangle pop-up, the tile list and flips, the status bar,
// "Grid Color", the animation tick and the picture export.
using tessivar::MapTool;
using tessivar::ui::MapEditorWindow;

namespace {

constexpr int kPitch = 17; // 8x8 Blocks at zoom 2 plus the grid line

QPoint cellCentre(int column, int row) {
    return {column * kPitch + 8, row * kPitch + 8};
}

} // namespace

class MapCanvasTest : public SessionTest {
    Q_OBJECT

private:
    MapEditorWindow& map() { return session_->MapEditor(); }
    QWidget* canvas() { return map().Canvas(); }
    int tileAt(int column, int row) { return workspace().Map.Cell(row, column).Tile; }
    void chooseTool(MapTool tool) {
        map().ToolButton(tool)->click();
        map().RectangleMenu()->hide();
    }

private Q_SLOTS:
    void init() {
        SessionTest::init();
        map().show();
        QVERIFY(QTest::qWaitForWindowExposed(&map()));
        map().State().LeftBlock = 3;
        map().State().RightBlock = 5;
    }

    void penStrokesWithBothButtons() {
        QCOMPARE(map().ToolStatusText(), QStringLiteral("Pen"));
        QTest::mousePress(canvas(), Qt::LeftButton, {}, cellCentre(1, 1));
        QTest::mouseMove(canvas(), cellCentre(2, 1));
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, cellCentre(2, 1));
        QTest::mouseClick(canvas(), Qt::RightButton, {}, cellCentre(4, 4));
        QCOMPARE(tileAt(1, 1), 3);
        QCOMPARE(tileAt(2, 1), 3);
        QCOMPARE(tileAt(4, 4), 5);
        QCOMPARE(tileAt(3, 1), 0);
        QVERIFY(workspace().Map.MapModified);
    }

    // The "Edit" menu follows the history: one stroke undone and redone by its shortcuts.
    void undoMenuFollowsTheStrokes() {
        QAction* undo = map().Action("actionMapUndo");
        QAction* redo = map().Action("actionMapRedo");
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
        map().FlipButton(true)->click();
        chooseTool(MapTool::Fill);
        QCOMPARE(map().ToolStatusText(), QStringLiteral("Fill"));
        QTest::mouseClick(canvas(), Qt::RightButton, {}, cellCentre(0, 0));
        QCOMPARE(tileAt(31, 31), 5);
        QCOMPARE(int{workspace().Map.Cell(31, 31).VFlip}, 1);

        map().ToolButton(MapTool::Rectangle)->click();
        map().RectangleMenu()->findChild<QAction*>(QStringLiteral("rectangleHollow"))->trigger();
        map().RectangleMenu()->hide();
        QCOMPARE(map().ToolStatusText(), QStringLiteral("Hollow Rect"));
        QTest::mousePress(canvas(), Qt::LeftButton, {}, cellCentre(4, 4));
        QTest::mouseMove(canvas(), cellCentre(2, 2));
        QCOMPARE(tileAt(3, 2), 5); // only previewed so far
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, cellCentre(2, 2));
        for (int row = 2; row <= 4; ++row)
            for (int column = 2; column <= 4; ++column)
                QCOMPARE(tileAt(column, row), row == 3 && column == 3 ? 5 : 3);
    }

    void statusBarShowsTheCellUnderTheMouse() {
        workspace().Map.Cell(5, 3) = {12, 2, 1, 0};
        // A move with no button held, as mouse tracking reports it.
        const QPointF at = cellCentre(3, 5);
        QMouseEvent move(QEvent::MouseMove, at, canvas()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(canvas(), &move);
        QCOMPARE(map().CellStatusText(),
                 QStringLiteral("X=3  Y=5  Tile#=12  Palette=2  HFlip=Yes  VFlip=No"));
    }

    void tileListPicksBlocksAndPalette() {
        workspace().CurrentTileSet.TilePalette[2] = 6;
        QTest::mouseClick(map().TileList(), Qt::LeftButton, {}, QPoint(2 * 34 + 10, 20));
        QTest::mouseClick(map().TileList(), Qt::RightButton, {}, QPoint(7 * 34 + 10, 20));
        QCOMPARE(map().State().LeftBlock, 2);
        QCOMPARE(map().State().RightBlock, 7);
        QCOMPARE(map().State().MapPalette, 6);
        QTest::mouseClick(canvas(), Qt::LeftButton, {}, cellCentre(0, 0));
        QCOMPARE(int{workspace().Map.Cell(0, 0).Palette}, 6);
    }

    void gridColourShowsAtOnce() {
        prompts_.colors.push_back(tessivar::Rgb{255, 0, 0});
        map().Action("actionMapGridColor")->trigger();
        const QImage shot = canvas()->grab().toImage();
        QCOMPARE(shot.pixelColor(kPitch - 1, 3), QColor(255, 0, 0));
        QVERIFY(shot.pixelColor(3, 3) != QColor(255, 0, 0));
    }

    void animationDrawsTheNextFrame() {
        auto& tiles = workspace().CurrentTileSet;
        tiles.Tiles[4].fill(3); // frame 4 is black in the grey palette
        tiles.TileInfo[0][0] = 1;
        tiles.TileInfo[0][1] = 4;
        map().AnimationBox()->click();
        map().AnimationTick();
        QApplication::processEvents();
        const QColor after = canvas()->grab().toImage().pixelColor(3, 3);
        QCOMPARE(after, QColor(0, 0, 0));
        QCOMPARE(tileAt(0, 0), 0); // the map itself is unchanged
    }

    void exportWritesThePictureOrReportsTheFailure() {
        const QString path = settingsDir_.filePath(QStringLiteral("map.bmp"));
        prompts_.files.push_back(path.toStdString());
        map().Action("actionMapExportBitmap")->trigger();
        QCOMPARE(QFileInfo(path).size(), qint64{54 + 256 * 256 * 3});
        QVERIFY(prompts_.messages.empty());

        prompts_.files.push_back(settingsDir_.filePath(QStringLiteral("no/map.png")).toStdString());
        map().Action("actionMapExportBitmap")->trigger();
        QCOMPARE(prompts_.messages.size(), std::size_t{1});
        QCOMPARE(prompts_.messages[0].caption, std::string("File Error"));
        QVERIFY(prompts_.messages[0].text.find("no/map.png") != std::string::npos);
    }
};

// The two export dialogs and the tile binary commands, driven as the user drives them.
using namespace tessivar;
using tessivar::ui::TileExportDialog;

class ExportDialogsTest : public SessionTest {
    Q_OBJECT

    QTemporaryDir files_;

    TileExportDialog& tiles() { return session_->TileExport(); }
    QByteArray read(const QString& name) {
        QFile file(files_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void menuShowsTheDialogWithTheSelectedBlocks() {
        workspace().Editing.SelectionStart = 2;
        workspace().Editing.SelectionEnd = 5;
        QAction* entry = window().Action("actionExport68k");
        QVERIFY(entry->isEnabled());
        entry->trigger();
        QVERIFY(tiles().isVisible());
        QCOMPARE(tiles().Dialect(), SourceDialect::M68k);
        QCOMPARE(tiles().IncludedList()->count(), 16);
        QCOMPARE(tiles().FromField()->text(), QStringLiteral("2"));
        QCOMPARE(tiles().ToField()->text(), QStringLiteral("5"));
        for (int k = 0; k < 16; ++k)
            QCOMPARE(tiles().IncludedList()->item(k)->checkState() == Qt::Checked,
                     k >= 2 && k <= 5);
        // A 9-Tile set after Refresh has one more entry, checked, and To follows it.
        workspace().CurrentTileSet.TileCount = 17;
        tiles().PressRefresh();
        QCOMPARE(tiles().IncludedList()->count(), 17);
        QCOMPARE(tiles().ToField()->text(), QStringLiteral("16"));
    }

    void kindMenuAndGridEditsSwitchToCustom() {
        window().Action("actionExportZ80")->trigger();
        QMenu* menu = tiles().Grids()->BuildKindMenu(2);
        QCOMPARE(menu->actions()[6]->text(), QStringLiteral("AnimNext"));
        menu->actions()[6]->trigger(); // AnimNext (Word) on the empty row
        delete menu;
        const ExportFormat& format = tiles().Format();
        QCOMPARE(format.PropertyCount, 2);
        QCOMPARE(format.Properties[1].Width, 16);
        QCOMPARE(format.Properties[1].Section, 1);
        QCOMPARE(tiles().PresetList()->currentText(), QStringLiteral("Custom"));
        // Typing a label over 31 characters keeps 31; the empty row appends a section.
        QTableWidget* sections = tiles().Grids()->SectionGrid();
        sections->item(1, 1)->setText(QString(40, QLatin1Char('x')));
        QCOMPARE(format.SectionCount, 2);
        QCOMPARE(format.Label(2), std::string(31, 'x'));
        tiles().ChoosePreset(2);
        QCOMPARE(format.SectionCount, 2);
        QCOMPARE(format.Label(2), std::string("animData"));
    }

    void exportReportsFailuresAndRefreshesWidths() {
        window().Action("actionExportZ80")->trigger();
        tiles().ChoosePreset(1);
        tiles().PathField()->setText(files_.filePath(QStringLiteral("none/out.asm")));
        tiles().PressExport();
        QCOMPARE(prompts_.messages.size(), 1);
        QVERIFY(Texts(prompts_.messages)[0].startsWith("Error: Cannot create"));
        QVERIFY(tiles().isVisible());
        // The Block size changes while the dialog stays open: 16x8 Blocks, 8 of them.
        workspace().CurrentTileSet.Block = {16, 8};
        workspace().CurrentTileSet.Tiles[0][0] = 3;
        tiles().PathField()->setText(files_.filePath(QStringLiteral("out.asm")));
        tiles().PressExport();
        QCOMPARE(Texts(prompts_.messages).last(), QStringLiteral("Done: Done"));
        QVERIFY(!tiles().isVisible());
        const QByteArray text = read(QStringLiteral("out.asm"));
        QVERIFY(text.contains(" ;Tile 0\r\n .db $80,$00,$00,"));
        QCOMPARE(text.count("\r\n .db "), 16); // 32 bytes a Block: one continuation each
    }

    void mapExportAndFormatFiles() {
        workspace().Map.ReplaceMapGrid(3, 2);
        for (int i = 0; i < 6; ++i)
            workspace().Map.Grid.Cells[static_cast<std::size_t>(i)].Tile =
                static_cast<std::uint16_t>(i);
        auto& dialog = session_->MapExport();
        session_->MapEditor().Action("actionMapExport68k")->trigger();
        QVERIFY(dialog.isVisible());
        dialog.OffsetField()->setText(QStringLiteral("16"));
        dialog.PathField()->setText(files_.filePath(QStringLiteral("map.asm")));
        dialog.PressExport();
        QCOMPARE(Texts(prompts_.messages).last(), QStringLiteral("Done: Done"));
        QVERIFY(read(QStringLiteral("map.asm"))
                    .endsWith(" dc.b $10,$11,$12 ;Row 0\r\n"
                              " dc.b $13,$14,$15 ;Row 1\r\n"));
        // A section wider than 256 bits is refused with a message.
        ExportFormat wide = MapFormatPreset();
        wide.Properties[0].Width = 257;
        QVERIFY(WriteFormatFile(files_.filePath("wide.json").toStdString(), wide));
        prompts_.files.push_back(files_.filePath("wide.json").toStdString());
        session_->MapExport().findChild<QPushButton*>("loadFormatButton")->click();
        QCOMPARE(dialog.Format().Properties[0].Width, 257);
        QCOMPARE(dialog.PresetList()->currentIndex(), 1);
        dialog.show();
        dialog.PressExport();
        QVERIFY(Texts(prompts_.messages).last().contains("wider than 256 bits"));
    }

    void tileBinariesRoundTheEditor() {
        const QString bin = files_.filePath(QStringLiteral("tiles.bin"));
        prompts_.files.push_back(bin.toStdString());
        window().Action("actionExportTileBinary")->trigger();
        QCOMPARE(read(QStringLiteral("tiles.bin")).size(), 16 * 16);
        workspace().Editing.CurrentTile = 766;
        prompts_.files.push_back(bin.toStdString());
        QVERIFY(!workspace().Editing.Modified);
        window().Action("actionImportTileBinaries")->trigger();
        QVERIFY(workspace().Editing.Modified);
        QCOMPARE(
            Texts(prompts_.messages).last(),
            QStringLiteral("Tile binaries: 2 of 16 Tiles were read: the Tile slots end at 767."));
    }
};

// The "Bitmap Import" dialog: when "Import" may be used, the size pop-up, the import
// itself and unreadable pictures.
using tessivar::DuplicateMode;
using tessivar::ui::BitmapImportDialog;

class BitmapImportTest : public SessionTest {
    Q_OBJECT

    QTemporaryDir pictures_;

    BitmapImportDialog& dialog() { return session_->BitmapImport(); }
    QPushButton* importButton() { return dialog().ImportButton(); }

    // A 320 x 240 colour gradient in the given format.
    std::string writePicture(const char* name, const char* format) {
        QImage image(320, 240, QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgba(x * 255 / 320, y * 255 / 240, 128, (x + y) % 256));
        const QString path = pictures_.filePath(QString::fromLatin1(name));
        image.save(path, format);
        return path.toStdString();
    }

    void openPhoto() {
        dialog().OpenPicture(writePicture("photo.bmp", "BMP"), false);
        QVERIFY(dialog().isVisible());
    }

private Q_SLOTS:
    void importIsEnabledOnlyByAFreshConversion() {
        openPhoto();
        QCOMPARE(dialog().WidthField()->text(), QStringLiteral("160"));
        QCOMPARE(dialog().HeightField()->text(), QStringLiteral("120"));
        QVERIFY(!importButton()->isEnabled());
        QVERIFY(dialog().Convert());
        QVERIFY(importButton()->isEnabled());
        dialog().GrayscaleBox()->setChecked(false);
        QVERIFY(importButton()->isEnabled());
        for (QLineEdit* field :
             {dialog().WidthField(), dialog().HeightField(), dialog().DitherField()}) {
            QVERIFY(dialog().Convert());
            field->setText(field->text() + QLatin1Char('0'));
            QVERIFY2(!importButton()->isEnabled(), qPrintable(field->objectName()));
            field->setText(field->text().chopped(1));
        }
        // A refused size is reported and converts nothing.
        dialog().WidthField()->setText(QStringLiteral("abc"));
        QVERIFY(!dialog().Convert());
        QCOMPARE(Texts(prompts_.messages).last(),
                 QStringLiteral("Data Error: Size or dither entered is invalid"));
        QVERIFY(!importButton()->isEnabled());
        // Opening a picture while the dialog is shown clears the conversion, keeps the
        // new picture.
        dialog().WidthField()->setText(QStringLiteral("160"));
        QVERIFY(dialog().Convert());
        openPhoto();
        QVERIFY(!importButton()->isEnabled());
        QVERIFY(dialog().Convert());
    }

    void sizePopUpSetsTheFields() {
        const std::pair<int, QSize> items[] = {
            {0, {160, 144}}, // Full Screen
            {1, {320, 240}}, // Original Size
            {2, {160, 120}}, // Default Size
        };
        openPhoto();
        for (const auto& [item, size] : items) {
            dialog().WidthField()->setText(QStringLiteral("8"));
            dialog().HeightField()->setText(QStringLiteral("8"));
            QVERIFY(dialog().Convert());
            dialog().SizeMenu()->actions().at(item)->trigger();
            QCOMPARE(dialog().WidthField()->text(), QString::number(size.width()));
            QCOMPARE(dialog().HeightField()->text(), QString::number(size.height()));
            QCOMPARE(dialog().ConvertedSize().Width, size.width());
            QVERIFY(!importButton()->isEnabled());
        }
    }

    void importStoresTilesAndTheMapThenCloses() {
        dialog().OpenPicture(writePicture("photo.png", "PNG"), true);
        QVERIFY(dialog().CreateMapBox()->isChecked());
        QVERIFY(dialog().Convert());
        dialog().ImportConverted(DuplicateMode::None);
        QVERIFY(!dialog().isVisible());
        QCOMPARE(workspace().CurrentTileSet.TileCount, 16 + 300); // inserted before the 16 Tiles
        QCOMPARE(workspace().Map.Width(), 20);
        QCOMPARE(workspace().Map.Height(), 15);
        QVERIFY(workspace().Editing.Modified);
        QVERIFY(workspace().Map.MapModified);
        QVERIFY(!dialog().Converted().has_value()); // released on closing
    }

    void unreadablePicturesAreReportedAndNotShown() {
        const QString garbage = pictures_.filePath(QStringLiteral("garbage.bmp"));
        QFile file(garbage);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
        file.close();
        // A PNG named ".jpg" goes to the JPEG decoder, and so is refused.
        for (const std::string& path : {garbage.toStdString(), writePicture("photo.jpg", "PNG")}) {
            dialog().OpenPicture(path, false);
            QVERIFY(!dialog().isVisible());
            QVERIFY(Texts(prompts_.messages).last().startsWith(QStringLiteral("Import Error: ")));
        }
    }
};

SESSION_TEST_MAIN(new MapCanvasTest, new ExportDialogsTest, new BitmapImportTest)
#include "MapEditorTest.moc"
