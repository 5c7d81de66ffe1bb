// Every filter of the program through a real (non-native) file dialog: each entry lists
// exactly the files of its kinds in a folder that holds one file of every kind.

#include "core/export/FormatJson.h"
#include "core/files/TileBinary.h"
#include "core/mapeditor/MapPictureExport.h"
#include "core/workspace/FileFilters.h"
#include "ui/app/QtUserPrompts.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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
            QVERIFY(!prompts.chooseFileToOpen(FileDialogRequest{filter, "x", {}, false}));
            QCOMPARE(shown, expected);
        }
    }
};

QTEST_MAIN(FileDialogTest)
#include "FileDialog_test.moc"
