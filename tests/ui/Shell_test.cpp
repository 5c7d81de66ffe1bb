// The editor shell: start-up state, window captions, the menus, New, the save questions
// on closing, and the Map Size dialog.

#include "SessionHarness.h"

#include "core/files/AtomicFile.h"
#include "core/files/FileIo.h"
#include "core/files/TileSetFile.h"
#include "core/mapeditor/MapSize.h"
#include "ui/app/AboutWindow.h"
#include "ui/mapeditor/MapEditorWindow.h"
#include "ui/mapeditor/MapSizeDialog.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

using tessivar::Answer;
using tessivar::ui::EditorSession;

namespace {

// "Caption|Shortcut" of each item of a menu, "-" for a separator, "Title>" for a submenu.
QStringList describeMenu(const QMenu* menu) {
    QStringList items;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            items << QStringLiteral("-");
        else if (action->menu())
            items << action->text() + QLatin1Char('>');
        else
            items << action->text() + QLatin1Char('|') + action->shortcut().toString();
    }
    return items;
}

const QMenu* topMenu(const QMainWindow& window, const QString& title) {
    for (const QAction* action : window.menuBar()->actions())
        if (action->text() == title)
            return action->menu();
    return nullptr;
}

std::string writeTileSet(const QTemporaryDir& dir, const char* name) {
    tessivar::TileSet tileSet;
    tileSet.tiles[0][0] = 2;
    const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    const auto bytes = tessivar::SerializeTileSet(tileSet, "").value();
    if (!tessivar::SaveFileAtomically(path, bytes).ok())
        qFatal("cannot write the test tile set");
    return path;
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startsUntitledWithTheDefaultDocuments() {
        ScriptedPrompts prompts;
        EditorSession session(prompts);
        QCOMPARE(session.tileEditor().windowTitle(),
                 QStringLiteral("Tessivar - Tile Editor - untitled"));
        QCOMPARE(session.mapEditor().windowTitle(),
                 QStringLiteral("Tessivar - Map Editor - untitled"));
        QVERIFY(!session.tileEditor().action("actionRedo")->isEnabled());
    }

    // The installed icon is linked into the program and drawn by the About window.
    void aboutWindowShowsTheProgramIcon() {
        ScriptedPrompts prompts;
        EditorSession session(prompts);
        const QIcon icon = session.about().windowIcon();
        QCOMPARE(icon.availableSizes(), (QList<QSize>{{48, 48}, {128, 128}, {256, 256}}));
        const QImage shown = session.about().grab().toImage();
        // The icon's dark frame, above the name band in the middle of the picture.
        QCOMPARE(shown.pixelColor(130, 100), QColor(0x26, 0x32, 0x38));
    }

    void mainMenusHaveTheirItemsInOrder_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("File") << "&File" << QStringList{"&New|",       "&Open|",
                                                        "&Save|",      "Save &as...|",
                                                        "Import ...>", "&Export ...>",
                                                        "-",           "E&xit|"};
        QTest::newRow("Edit") << "Edit"
                              << QStringList{"&Undo|Ctrl+Z",
                                             "&Redo|Ctrl+Shift+Z",
                                             "-",
                                             "Clear tile|Ctrl+X",
                                             "Copy tile(s)|Ctrl+C",
                                             "Paste tile(s)|Ctrl+V",
                                             "Insert tile|Ctrl+A",
                                             "Delete tile(s)|",
                                             "Options ...|",
                                             "-",
                                             "&Custom information...|"};
        QTest::newRow("View")
            << "&View"
            << QStringList{"Tile List|",       "Map View|",      "-",         "Zoom &In|Ctrl+I",
                           "Zoom &Out|Ctrl+O", "&Default Zoom|", "-",         "2x view|",
                           "4x view|",         "8x view|",       "16x view|", "32x view|"};
        QTest::newRow("Tiles") << "Tiles" << QStringList{"8x8|",        "8x16|",
                                                         "16x16|",      "32x32|",
                                                         "Custom ...|", "Grid color|",
                                                         "-",           "Optimize...|Ctrl+P"};
        QTest::newRow("Map Editor") << "Map Editor" << QStringList{"Open|Ctrl+M"};
        QTest::newRow("Help") << "Help" << QStringList{"About|"};
    }
    void mainMenusHaveTheirItemsInOrder() {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        ScriptedPrompts prompts;
        EditorSession session(prompts);
        const QMenu* found = topMenu(session.tileEditor(), menu);
        QVERIFY(found);
        QCOMPARE(describeMenu(found), items);
    }

    void newResetsTheTileSetAndTheCaption() {
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        EditorSession session(prompts);
        auto& workspace = session.workspace();
        workspace.LoadTileSetFile(writeTileSet(dir, "level1.vxt"));
        QCOMPARE(session.tileEditor().windowTitle(),
                 QStringLiteral("Tessivar - Tile Editor - level1"));
        workspace.tileSet.tileCount = 40;
        workspace.MarkModified();
        prompts.answers = {Answer::No};
        session.tileEditor().action("actionNew")->trigger();
        QCOMPARE(Texts(prompts.questions).size(), 1);
        QCOMPARE(workspace.tileSet.tiles[0][0], 0);
        QCOMPARE(session.tileEditor().blockCountText(), QStringLiteral("16"));
        QCOMPARE(session.tileEditor().windowTitle(),
                 QStringLiteral("Tessivar - Tile Editor - untitled"));
    }

    void closingAsksBothQuestions() {
        const QStringList questions{
            QStringLiteral("Tessivar: Tile set has been modified.  Do you want to save?"),
            QStringLiteral("Tessivar: Map has been modified.  Do you want to save?")};
        const struct {
            std::vector<Answer> answers; // one for each question asked
            bool closes;
        } cases[] = {{{Answer::Cancel}, false},
                     {{Answer::No, Answer::No}, true},
                     {{Answer::No, Answer::Cancel}, false}};
        for (const auto& c : cases) {
            ScriptedPrompts prompts;
            EditorSession session(prompts);
            session.tileEditor().show();
            session.workspace().MarkModified();
            session.workspace().map.MarkMapModified();
            prompts.answers.assign(c.answers.begin(), c.answers.end());
            QCOMPARE(session.tileEditor().close(), c.closes);
            QCOMPARE(Texts(prompts.questions), questions.mid(0, int(c.answers.size())));
            QCOMPARE(session.tileEditor().isVisible(), !c.closes);
        }
    }

    // Yes saves first, through Save as for an untitled set; a cancelled Save as still closes.
    void answeringYesSavesBeforeClosing() {
        QTemporaryDir dir;
        const std::string target = dir.filePath(QStringLiteral("saved.vxt")).toStdString();
        for (const auto& chosen : {std::optional(target), std::optional<std::string>()}) {
            ScriptedPrompts prompts;
            EditorSession session(prompts);
            session.tileEditor().show();
            session.workspace().MarkModified();
            prompts.answers = {Answer::Yes};
            prompts.files = {chosen};
            QVERIFY(session.tileEditor().close());
            QCOMPARE(prompts.dialogs.at(0).request.initialPath, std::string("untitled.vxt"));
            QCOMPARE(session.workspace().editing.Modified, !chosen);
            if (chosen)
                QVERIFY(tessivar::ReadWholeFile(target, 1 << 20).ok());
        }
    }

    void mapEditorCloseHidesAfterItsQuestion() {
        ScriptedPrompts prompts;
        EditorSession session(prompts);
        auto& mapEditor = session.mapEditor();
        mapEditor.show();
        session.workspace().apply(tessivar::BeginMapSizeChange());
        prompts.answers = {Answer::Cancel, Answer::No};
        QVERIFY(!mapEditor.close());
        QVERIFY(mapEditor.isVisible());
        QVERIFY(mapEditor.close());
        QVERIFY(!mapEditor.isVisible());
        QCOMPARE(Texts(prompts.questions).size(), 2);
    }

    // The checks are the core's: the first failure is shown, then an accepted size.
    void mapSizeDialogShowsTheFirstFailedCheck() {
        ScriptedPrompts prompts;
        EditorSession session(prompts);
        auto& dialog = *session.mapEditor().mapSizeDialog();
        dialog.rowField()->setText(QStringLiteral("5000"));
        dialog.columnField()->setText(QStringLiteral("3000"));
        dialog.pressChange();
        QCOMPARE(Texts(prompts.messages),
                 QStringList{QStringLiteral("Size error: The width entered is larger than 2048")});
        QCOMPARE(session.mapEditor().sizeLabelText(), QStringLiteral("32x32"));
        dialog.rowField()->setText(QStringLiteral("20x"));
        dialog.columnField()->setText(QStringLiteral("40 cells"));
        dialog.pressChange();
        QCOMPARE(Texts(prompts.messages).size(), 1);
        QCOMPARE(session.mapEditor().sizeLabelText(), QStringLiteral("20x40"));
    }

    void mapSizeDialogIsPresetAndClosingItKeepsTheMapModified() {
        ScriptedPrompts prompts;
        EditorSession session(prompts);
        auto& mapEditor = session.mapEditor();
        QString presetRows, presetColumns;
        QTimer::singleShot(0, [&] {
            auto* dialog = mapEditor.mapSizeDialog();
            presetRows = dialog->rowField()->text();
            presetColumns = dialog->columnField()->text();
            dialog->reject(); // the close box
        });
        mapEditor.changeMapSize();
        QCOMPARE(presetRows, QStringLiteral("32"));
        QCOMPARE(presetColumns, QStringLiteral("32"));
        QVERIFY(session.workspace().map.MapModified);
        QCOMPARE(mapEditor.sizeLabelText(), QStringLiteral("32x32"));
    }
};

QTEST_MAIN(ShellTest)
#include "Shell_test.moc"
