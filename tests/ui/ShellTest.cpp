// The editor shell, where its dialogs appear and the file dialogs' filters.

#include "SessionFixture.h"

#include "core/export/FormatJson.h"
#include "core/files/AtomicFile.h"
#include "core/files/FileIo.h"
#include "core/files/TileBinary.h"
#include "core/files/TileSetFile.h"
#include "core/mapeditor/MapPictureExport.h"
#include "core/mapeditor/MapSize.h"
#include "core/workspace/FileFilters.h"
#include "ui/app/AboutWindow.h"
#include "ui/app/EditorSession.h"
#include "ui/app/QtUserPrompts.h"
#include "ui/mapeditor/MapEditorWindow.h"
#include "ui/mapeditor/MapSizeDialog.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using tessivar::Answer;

namespace {

// Runs `open`, which shows a modal dialog; meanwhile records the dialog's centre and
// closes it. `icon` receives the icon of a message box.
QPoint centreOfModal(const std::function<void()>& open, QMessageBox::Icon* icon = nullptr) {
    QPoint centre(-1000, -1000);
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        centre = modal->frameGeometry().center();
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && icon)
            *icon = box->icon();
        static_cast<QDialog*>(modal)->reject();
    });
    open();
    return centre;
}

QPoint screenCentre() {
    return QGuiApplication::primaryScreen()->availableGeometry().center();
}

bool near(QPoint a, QPoint b) {
    return (a - b).manhattanLength() <= 4;
}

std::string writeTileSet(const QTemporaryDir& dir, const char* name) {
    tessivar::TileSet tileSet;
    tileSet.Tiles[0][0] = 2;
    const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    const auto bytes = tessivar::SerializeTileSet(tileSet, "").value();
    if (!tessivar::SaveFileAtomically(path, bytes).ok())
        qFatal("cannot write the test tile set");
    return path;
}

} // namespace

// The editor shell: start-up state, window captions, New, the save questions on closing,
// and the Map Size dialog and where it appears.
class ShellTest : public SessionTest {
    Q_OBJECT

private Q_SLOTS:
    void startsUntitledWithTheDefaultDocuments() {
        QCOMPARE(window().windowTitle(), QStringLiteral("Tessivar - Tile Editor - untitled"));
        QCOMPARE(session_->MapEditor().windowTitle(),
                 QStringLiteral("Tessivar - Map Editor - untitled"));
        QVERIFY(!window().Action("actionRedo")->isEnabled());
    }

    // The installed icon is linked into the program and drawn by the About window.
    void aboutWindowShowsTheProgramIcon() {
        const QIcon icon = session_->About().windowIcon();
        QCOMPARE(icon.availableSizes(), (QList<QSize>{{48, 48}, {128, 128}, {256, 256}}));
        const QImage shown = session_->About().grab().toImage();
        // The icon's dark frame, above the name band in the middle of the picture.
        QCOMPARE(shown.pixelColor(130, 100), QColor(0x26, 0x32, 0x38));
    }

    void newResetsTheTileSetAndTheCaption() {
        QTemporaryDir dir;
        workspace().LoadTileSetFile(writeTileSet(dir, "level1.vxt"));
        QCOMPARE(window().windowTitle(), QStringLiteral("Tessivar - Tile Editor - level1"));
        workspace().CurrentTileSet.TileCount = 40;
        workspace().MarkModified();
        prompts_.answers = {Answer::No};
        window().Action("actionNew")->trigger();
        QCOMPARE(Texts(prompts_.questions).size(), 1);
        QCOMPARE(workspace().CurrentTileSet.Tiles[0][0], 0);
        QCOMPARE(window().BlockCountLabel(), QStringLiteral("16"));
        QCOMPARE(window().windowTitle(), QStringLiteral("Tessivar - Tile Editor - untitled"));
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
            restart();
            workspace().MarkModified();
            workspace().Map.MarkMapModified();
            prompts_.answers.assign(c.answers.begin(), c.answers.end());
            QCOMPARE(window().close(), c.closes);
            QCOMPARE(Texts(prompts_.questions), questions.mid(0, int(c.answers.size())));
            QCOMPARE(window().isVisible(), !c.closes);
        }
    }

    // Yes saves first, through Save as for an untitled set; a cancelled Save as still closes.
    void answeringYesSavesBeforeClosing() {
        QTemporaryDir dir;
        const std::string target = dir.filePath(QStringLiteral("saved.vxt")).toStdString();
        for (const auto& chosen : {std::optional(target), std::optional<std::string>()}) {
            restart();
            workspace().MarkModified();
            prompts_.answers = {Answer::Yes};
            prompts_.files = {chosen};
            QVERIFY(window().close());
            QCOMPARE(prompts_.dialogs.at(0).request.InitialPath, std::string("untitled.vxt"));
            QCOMPARE(workspace().Editing.Modified, !chosen);
            if (chosen)
                QVERIFY(tessivar::ReadWholeFile(target, 1 << 20).ok());
        }
    }

    void mapEditorCloseHidesAfterItsQuestion() {
        auto& mapEditor = session_->MapEditor();
        mapEditor.show();
        workspace().Apply(tessivar::BeginMapSizeChange());
        prompts_.answers = {Answer::Cancel, Answer::No};
        QVERIFY(!mapEditor.close());
        QVERIFY(mapEditor.isVisible());
        QVERIFY(mapEditor.close());
        QVERIFY(!mapEditor.isVisible());
        QCOMPARE(Texts(prompts_.questions).size(), 2);
    }

    // The checks are the core's: the first failure is shown, then an accepted size.
    void mapSizeDialogShowsTheFirstFailedCheck() {
        auto& dialog = *session_->MapEditor().SizeDialog();
        dialog.RowField()->setText(QStringLiteral("5000"));
        dialog.ColumnField()->setText(QStringLiteral("3000"));
        dialog.PressChange();
        QCOMPARE(Texts(prompts_.messages),
                 QStringList{QStringLiteral("Size error: The width entered is larger than 2048")});
        QCOMPARE(session_->MapEditor().SizeLabelText(), QStringLiteral("32x32"));
        dialog.RowField()->setText(QStringLiteral("20x"));
        dialog.ColumnField()->setText(QStringLiteral("40 cells"));
        dialog.PressChange();
        QCOMPARE(Texts(prompts_.messages).size(), 1);
        QCOMPARE(session_->MapEditor().SizeLabelText(), QStringLiteral("20x40"));
    }

    void mapSizeDialogIsPresetAndClosingItKeepsTheMapModified() {
        auto& mapEditor = session_->MapEditor();
        QString presetRows, presetColumns;
        QTimer::singleShot(0, [&] {
            auto* dialog = mapEditor.SizeDialog();
            presetRows = dialog->RowField()->text();
            presetColumns = dialog->ColumnField()->text();
            dialog->reject(); // the close box
        });
        mapEditor.ChangeMapSize();
        QCOMPARE(presetRows, QStringLiteral("32"));
        QCOMPARE(presetColumns, QStringLiteral("32"));
        QVERIFY(workspace().Map.MapModified);
        QCOMPARE(mapEditor.SizeLabelText(), QStringLiteral("32x32"));
    }

    void mapSizeDialogIsCentredOnTheScreen() {
        auto& mapEditor = session_->MapEditor();
        mapEditor.setGeometry(0, 0, 600, 500);
        mapEditor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mapEditor));
        const QPoint centre = centreOfModal([&] { mapEditor.ChangeMapSize(); });
        QVERIFY(near(centre, screenCentre()));
    }
};

// Where message boxes and the Map Size dialog appear, and which icon a box shows.

class PlacementTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void boxAtStartUpIsCentredOnTheScreen() {
        QWidget mainWindow; // not shown yet, as at start-up
        mainWindow.setGeometry(0, 0, 700, 500);
        tessivar::ui::QtUserPrompts prompts;
        prompts.SetParentWindow(&mainWindow);
        const QPoint centre = centreOfModal([&] { prompts.ShowMessage("bad", "Error"); });
        QVERIFY(near(centre, screenCentre()));
    }

    void boxIsCentredOnTheWindowInUseWithItsIcon() {
        QWidget mainWindow, other;
        mainWindow.setGeometry(20, 20, 300, 200);
        other.setGeometry(400, 300, 300, 260);
        other.show();
        mainWindow.show(); // the main window was shown last
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        tessivar::ui::QtUserPrompts prompts;
        prompts.SetParentWindow(&mainWindow);
        QTest::mouseClick(&other, Qt::LeftButton, {}, QPoint(5, 5)); // the user works here
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QPoint centre = centreOfModal([&] { prompts.ShowMessage("bad", "Error"); }, &icon);
        QVERIFY(near(centre, other.frameGeometry().center()));
        QCOMPARE(icon, QMessageBox::Warning);
        centre = centreOfModal([&] { prompts.AskYesNoCancel("save?", "Tessivar"); }, &icon);
        QVERIFY(near(centre, other.frameGeometry().center()));
        QCOMPARE(icon, QMessageBox::Question);
        centreOfModal([&] { prompts.ShowInformation("Done", "Tessivar"); }, &icon);
        QCOMPARE(icon, QMessageBox::Information);
    }
};

// Every filter of the program through a real (non-native) file dialog: each entry lists
// exactly the files of its kinds in a folder that holds one file of every kind.
namespace {

using tessivar::FileDialogRequest;

// The names a file dialog lists under each of its filters.
QStringList listedPerFilter(QFileDialog* dialog, const QString& folder) {
    QStringList shown;
    QStringList previous;
    dialog->setDirectory(folder);
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    for (const QString& filter : dialog->nameFilters()) {
        dialog->selectNameFilter(filter);
        QStringList names;
        // The folder is read and filtered in the background; wait for the new listing.
        static_cast<void>(QTest::qWaitFor(
            [&] {
                names.clear();
                const QModelIndex root = view->rootIndex();
                for (int row = 0; row < view->model()->rowCount(root); ++row)
                    names << view->model()->index(row, 0, root).data().toString();
                names.sort();
                return !names.isEmpty() && names != previous;
            },
            2000));
        previous = names;
        shown << filter + QStringLiteral(": ") + names.join(u' ');
    }
    return shown;
}

} // namespace

class FileDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    void everyFilterListsItsFiles() {
        QTemporaryDir folder;
        for (const char* name : {"a.bmp", "b.jpg", "c.png", "d.asm", "e.z80", "f.inc", "g.vxt",
                                 "h.vxm", "i.json", "j.bin", "k.txt"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const std::pair<const char*, QStringList> cases[] = {
            {tessivar::kTileSetFilter, {"VX Tiles (*.vxt): g.vxt"}},
            {tessivar::kMapFilter, {"Tessivar Map (*.vxm): h.vxm"}},
            {tessivar::kPictureFilter, {"Images (*.bmp *.jpg *.png): a.bmp b.jpg c.png"}},
            {tessivar::kSourceFilter, {"Assembly File (*.asm *.z80): d.asm e.z80"}},
            {tessivar::kMapSourceFilter, {"Assembly files (*.asm *.inc): d.asm f.inc"}},
            {tessivar::kFormatFileFilter, {"Export Format (*.json): i.json"}},
            {tessivar::kTileBinaryFilter, {"Tile Binary (*.bin): j.bin"}},
            {tessivar::kMapPictureFilter,
             {"Bitmap File (*.bmp): a.bmp", "PNG Picture (*.png): c.png",
              "All Files (*.*): a.bmp b.jpg c.png d.asm e.z80 f.inc g.vxt h.vxm i.json j.bin "
              "k.txt"}},
        };
        tessivar::ui::QtUserPrompts prompts;
        for (const auto& [filter, expected] : cases) {
            QStringList shown;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                shown = listedPerFilter(dialog, folder.path());
                dialog->reject();
            });
            QVERIFY(!prompts.ChooseFileToOpen(FileDialogRequest{filter, "x", {}, false}));
            QCOMPARE(shown, expected);
        }
    }
};

SESSION_TEST_MAIN(new ShellTest, new PlacementTest, new FileDialogTest)
#include "ShellTest.moc"
