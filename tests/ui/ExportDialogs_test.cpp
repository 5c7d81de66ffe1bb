// The two export dialogs and the tile binary commands, driven as the user drives them.

#include "SessionHarness.h"

#include "core/export/FormatJson.h"
#include "ui/common/NamedActions.h"
#include "ui/export/FormatGrids.h"
#include "ui/export/MapExportDialog.h"
#include "ui/export/TileExportDialog.h"
#include "ui/mapeditor/MapEditorWindow.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

using namespace tessivar;
using tessivar::ui::TileExportDialog;

class ExportDialogsTest : public QObject, private SessionTestBase {
    Q_OBJECT

    QTemporaryDir files_;

    TileExportDialog& tiles() { return session_->tileExport(); }
    QByteArray read(const QString& name) {
        QFile file(files_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init() {
        IsolateSettings(settingsDir_);
        QVERIFY(StartSession(prompts_, session_));
    }

    void menuShowsTheDialogWithTheSelectedBlocks() {
        workspace().editing.SelectionStart = 2;
        workspace().editing.SelectionEnd = 5;
        QAction* entry = window().action("actionExport68k");
        QVERIFY(entry->isEnabled());
        entry->trigger();
        QVERIFY(tiles().isVisible());
        QCOMPARE(tiles().dialect(), SourceDialect::M68k);
        QCOMPARE(tiles().includedList()->count(), 16);
        QCOMPARE(tiles().fromField()->text(), QStringLiteral("2"));
        QCOMPARE(tiles().toField()->text(), QStringLiteral("5"));
        for (int k = 0; k < 16; ++k)
            QCOMPARE(tiles().includedList()->item(k)->checkState() == Qt::Checked,
                     k >= 2 && k <= 5);
        // A 9-Tile set after Refresh has one more entry, checked, and To follows it.
        workspace().tileSet.tileCount = 17;
        tiles().pressRefresh();
        QCOMPARE(tiles().includedList()->count(), 17);
        QCOMPARE(tiles().toField()->text(), QStringLiteral("16"));
    }

    void kindMenuAndGridEditsSwitchToCustom() {
        window().action("actionExportZ80")->trigger();
        QMenu* menu = tiles().grids()->buildKindMenu(2);
        QCOMPARE(menu->actions()[6]->text(), QStringLiteral("AnimNext"));
        menu->actions()[6]->trigger(); // AnimNext (Word) on the empty row
        delete menu;
        const ExportFormat& format = tiles().format();
        QCOMPARE(format.propertyCount, 2);
        QCOMPARE(format.properties[1].width, 16);
        QCOMPARE(format.properties[1].section, 1);
        QCOMPARE(tiles().presetList()->currentText(), QStringLiteral("Custom"));
        // Typing a label over 31 characters keeps 31; the empty row appends a section.
        QTableWidget* sections = tiles().grids()->sectionGrid();
        sections->item(1, 1)->setText(QString(40, QLatin1Char('x')));
        QCOMPARE(format.sectionCount, 2);
        QCOMPARE(format.label(2), std::string(31, 'x'));
        tiles().choosePreset(2);
        QCOMPARE(format.sectionCount, 2);
        QCOMPARE(format.label(2), std::string("animData"));
    }

    void exportReportsFailuresAndRefreshesWidths() {
        window().action("actionExportZ80")->trigger();
        tiles().choosePreset(1);
        tiles().pathField()->setText(files_.filePath(QStringLiteral("none/out.asm")));
        tiles().pressExport();
        QCOMPARE(prompts_.messages.size(), 1);
        QVERIFY(Texts(prompts_.messages)[0].startsWith("Error: Cannot create"));
        QVERIFY(tiles().isVisible());
        // The Block size changes while the dialog stays open: 16x8 Blocks, 8 of them.
        workspace().tileSet.block = {16, 8};
        workspace().tileSet.tiles[0][0] = 3;
        tiles().pathField()->setText(files_.filePath(QStringLiteral("out.asm")));
        tiles().pressExport();
        QCOMPARE(Texts(prompts_.messages).last(), QStringLiteral("Done: Done"));
        QVERIFY(!tiles().isVisible());
        const QByteArray text = read(QStringLiteral("out.asm"));
        QVERIFY(text.contains(" ;Tile 0\r\n .db $80,$00,$00,"));
        QCOMPARE(text.count("\r\n .db "), 16); // 32 bytes a Block: one continuation each
    }

    void mapExportAndFormatFiles() {
        workspace().map.ReplaceMapGrid(3, 2);
        for (int i = 0; i < 6; ++i)
            workspace().map.grid.cells[static_cast<std::size_t>(i)].Tile =
                static_cast<std::uint16_t>(i);
        auto& dialog = session_->mapExport();
        session_->mapEditor().action("actionMapExport68k")->trigger();
        QVERIFY(dialog.isVisible());
        dialog.offsetField()->setText(QStringLiteral("16"));
        dialog.pathField()->setText(files_.filePath(QStringLiteral("map.asm")));
        dialog.pressExport();
        QCOMPARE(Texts(prompts_.messages).last(), QStringLiteral("Done: Done"));
        QVERIFY(read(QStringLiteral("map.asm"))
                    .endsWith(" dc.b $10,$11,$12 ;Row 0\r\n"
                              " dc.b $13,$14,$15 ;Row 1\r\n"));
        // A section wider than 256 bits is refused with a message.
        ExportFormat wide = MapFormatPreset();
        wide.properties[0].width = 257;
        QVERIFY(WriteFormatFile(files_.filePath("wide.json").toStdString(), wide));
        prompts_.files.push_back(files_.filePath("wide.json").toStdString());
        session_->mapExport().findChild<QPushButton*>("loadFormatButton")->click();
        QCOMPARE(dialog.format().properties[0].width, 257);
        QCOMPARE(dialog.presetList()->currentIndex(), 1);
        dialog.show();
        dialog.pressExport();
        QVERIFY(Texts(prompts_.messages).last().contains("wider than 256 bits"));
    }

    void tileBinariesRoundTheEditor() {
        const QString bin = files_.filePath(QStringLiteral("tiles.bin"));
        prompts_.files.push_back(bin.toStdString());
        window().action("actionExportTileBinary")->trigger();
        QCOMPARE(read(QStringLiteral("tiles.bin")).size(), 16 * 16);
        workspace().editing.CurrentTile = 766;
        prompts_.files.push_back(bin.toStdString());
        QVERIFY(!workspace().editing.Modified);
        window().action("actionImportTileBinaries")->trigger();
        QVERIFY(workspace().editing.Modified);
        QCOMPARE(
            Texts(prompts_.messages).last(),
            QStringLiteral("Tile binaries: 2 of 16 Tiles were read: the Tile slots end at 767."));
    }
};

QTEST_MAIN(ExportDialogsTest)
#include "ExportDialogs_test.moc"
