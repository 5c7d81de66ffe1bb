// The "Bitmap Import" dialog: when "Import" may be used, the size pop-up, the import
// itself and unreadable pictures.

#include "SessionHarness.h"

#include "ui/imageimport/BitmapImportDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

using tessivar::DuplicateMode;
using tessivar::ui::BitmapImportDialog;

class BitmapImportTest : public QObject, SessionTestBase {
    Q_OBJECT

    QTemporaryDir pictures_;

    BitmapImportDialog& dialog() { return session_->bitmapImport(); }
    QPushButton* importButton() { return dialog().importButton(); }

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
        dialog().openPicture(writePicture("photo.bmp", "BMP"), false);
        QVERIFY(dialog().isVisible());
    }

private Q_SLOTS:
    void initTestCase() { IsolateSettings(settingsDir_); }
    void init() { QVERIFY(StartSession(prompts_, session_)); }
    void cleanup() { session_.reset(); }

    void importIsEnabledOnlyByAFreshConversion() {
        openPhoto();
        QCOMPARE(dialog().widthField()->text(), QStringLiteral("160"));
        QCOMPARE(dialog().heightField()->text(), QStringLiteral("120"));
        QVERIFY(!importButton()->isEnabled());
        QVERIFY(dialog().convert());
        QVERIFY(importButton()->isEnabled());
        dialog().grayscaleBox()->setChecked(false);
        QVERIFY(importButton()->isEnabled());
        for (QLineEdit* field :
             {dialog().widthField(), dialog().heightField(), dialog().ditherField()}) {
            QVERIFY(dialog().convert());
            field->setText(field->text() + QLatin1Char('0'));
            QVERIFY2(!importButton()->isEnabled(), qPrintable(field->objectName()));
            field->setText(field->text().chopped(1));
        }
        // A refused size is reported and converts nothing.
        dialog().widthField()->setText(QStringLiteral("abc"));
        QVERIFY(!dialog().convert());
        QCOMPARE(Texts(prompts_.messages).last(),
                 QStringLiteral("Data Error: Size or dither entered is invalid"));
        QVERIFY(!importButton()->isEnabled());
        // Opening a picture while the dialog is shown clears the conversion, keeps the
        // new picture.
        dialog().widthField()->setText(QStringLiteral("160"));
        QVERIFY(dialog().convert());
        openPhoto();
        QVERIFY(!importButton()->isEnabled());
        QVERIFY(dialog().convert());
    }

    void sizePopUpSetsTheFields() {
        const std::pair<int, QSize> items[] = {
            {0, {160, 144}}, // Full Screen
            {1, {320, 240}}, // Original Size
            {2, {160, 120}}, // Default Size
        };
        openPhoto();
        for (const auto& [item, size] : items) {
            dialog().widthField()->setText(QStringLiteral("8"));
            dialog().heightField()->setText(QStringLiteral("8"));
            QVERIFY(dialog().convert());
            dialog().sizeMenu()->actions().at(item)->trigger();
            QCOMPARE(dialog().widthField()->text(), QString::number(size.width()));
            QCOMPARE(dialog().heightField()->text(), QString::number(size.height()));
            QCOMPARE(dialog().convertedSize().width, size.width());
            QVERIFY(!importButton()->isEnabled());
        }
    }

    void importStoresTilesAndTheMapThenCloses() {
        dialog().openPicture(writePicture("photo.png", "PNG"), true);
        QVERIFY(dialog().createMapBox()->isChecked());
        QVERIFY(dialog().convert());
        dialog().importConverted(DuplicateMode::None);
        QVERIFY(!dialog().isVisible());
        QCOMPARE(workspace().tileSet.tileCount, 16 + 300); // inserted before the 16 Tiles
        QCOMPARE(workspace().map.Width(), 20);
        QCOMPARE(workspace().map.Height(), 15);
        QVERIFY(workspace().editing.Modified);
        QVERIFY(workspace().map.MapModified);
        QVERIFY(!dialog().converted().has_value()); // released on closing
    }

    void unreadablePicturesAreReportedAndNotShown() {
        const QString garbage = pictures_.filePath(QStringLiteral("garbage.bmp"));
        QFile file(garbage);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
        file.close();
        // A PNG named ".jpg" goes to the JPEG decoder, and so is refused.
        for (const std::string& path : {garbage.toStdString(), writePicture("photo.jpg", "PNG")}) {
            dialog().openPicture(path, false);
            QVERIFY(!dialog().isVisible());
            QVERIFY(Texts(prompts_.messages).last().startsWith(QStringLiteral("Import Error: ")));
        }
    }
};

QTEST_MAIN(BitmapImportTest)
#include "BitmapImport_test.moc"
