#pragma once

#include "core/imageimport/ImageImport.h"
#include "core/imageimport/PictureConversion.h"
#include "core/workspace/Workspace.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;

namespace tessivar::ui {

class PictureView;

// The "Bitmap Import" dialog: shows a picture at the chosen size, converts it to the
// four grey levels and imports the result as Tiles (and a map). Modeless, created once
// and reused; closing it releases its pictures.
class BitmapImportDialog : public QDialog {
    Q_OBJECT

public:
    BitmapImportDialog(Workspace& workspace, UserPrompts& prompts,
                       std::function<bool()> overwriteTiles, QWidget* parent = nullptr);
    ~BitmapImportDialog() override;

    // The file entries: ask for a picture (or take `path`), read it and show the dialog
    // afresh. A picture that cannot be read is reported and the dialog is not shown.
    void ImportFromFile(bool fromMapEditor);
    void OpenPicture(const std::string& path, bool fromMapEditor);
    // The clipboard entries; an open dialog is not shown afresh.
    void ImportFromClipboard(bool fromMapEditor);
    // Takes a picture already read and shows the dialog; `showAfresh` hides it first.
    void TakePicture(BitmapImage picture, bool fromMapEditor, bool showAfresh);

    // The "Convert" button; false when the numbers were refused.
    bool Convert();
    // "Show Using New Size" of the "Original" view's pop-up.
    void ShowUsingNewSize();
    // The three items of the "Import" pop-up.
    void ImportConverted(DuplicateMode mode);
    void SetZoom(int zoom);

    enum class SizePreset { FullScreen, OriginalSize, DefaultSize };
    void ApplySizePreset(SizePreset preset);

    QPushButton* ImportButton() const { return importButton_; }
    QLineEdit* WidthField() const { return widthField_; }
    QLineEdit* HeightField() const { return heightField_; }
    QLineEdit* DitherField() const { return ditherField_; }
    QCheckBox* GrayscaleBox() const { return grayscale_; }
    QCheckBox* CreateMapBox() const { return createMap_; }
    QCheckBox* ReuseTilesBox() const { return reuseTiles_; }
    QMenu* SizeMenu() const { return sizeMenu_; }
    ImportSize ConvertedSize() const { return size_; }
    const std::optional<ConvertedPicture>& Converted() const { return converted_; }
    int Zoom() const { return zoom_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void WriteSizeFields(ImportSize size);
    void ShowOriginal();
    void ReleasePictures();
    bool ReadSizeFields();

    Workspace& workspace_;
    UserPrompts& prompts_;
    std::function<bool()> overwriteTiles_;

    BitmapImage source_;
    QImage sourceImage_; // shares source_'s pixels
    std::optional<ConvertedPicture> converted_;
    ImportSize size_{160, 144};
    int ditherPercent_ = kDefaultDitherPercent;
    int zoom_ = 1;

    PictureView* originalView_ = nullptr;
    PictureView* convertedView_ = nullptr;
    QScrollArea* originalArea_ = nullptr;
    QScrollArea* convertedArea_ = nullptr;
    QLineEdit* widthField_ = nullptr;
    QLineEdit* heightField_ = nullptr;
    QLineEdit* ditherField_ = nullptr;
    QCheckBox* grayscale_ = nullptr;
    QCheckBox* createMap_ = nullptr;
    QCheckBox* reuseTiles_ = nullptr;
    QPushButton* convertButton_ = nullptr;
    QPushButton* importButton_ = nullptr;
    QMenu* sizeMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* importMenu_ = nullptr;
    QAction* zoom1x_ = nullptr;
    QAction* zoom2x_ = nullptr;
};

} // namespace tessivar::ui
