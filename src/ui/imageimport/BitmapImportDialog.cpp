#include "ui/imageimport/BitmapImportDialog.h"

#include "core/imageimport/PixelQuantizer.h"
#include "core/model/LenientInteger.h"
#include "core/picture/PictureFile.h"
#include "core/workspace/FileFilters.h"
#include "ui/imageimport/PictureView.h"
#include "ui/imageimport/QtPictureAdapter.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tessivar::ui {

namespace {

struct ZoomLayout {
    QSize Client;
    QSize ViewArea;
};
constexpr ZoomLayout kZoomLayouts[] = {{{388, 294}, {160, 144}}, {{708, 438}, {320, 288}}};

// A Qt picture over the pixels of `image`, without a copy.
QImage WrapPicture(BitmapImage& image) {
    if (image.Width() == 0 || image.Height() == 0)
        return {};
    const auto row = image.Row(0);
    if (image.BitCount() == 24)
        return QImage(row.data(), image.Width(), image.Height(),
                      static_cast<qsizetype>(image.RowBytes()), QImage::Format_BGR888);
    QImage wrapped(row.data(), image.Width(), image.Height(),
                   static_cast<qsizetype>(image.RowBytes()), QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (const auto& entry : image.ColourMap())
        colours.push_back(qRgb(entry.Red, entry.Green, entry.Blue));
    wrapped.setColorTable(colours);
    return wrapped;
}

QImage WrapConverted(ConvertedPicture& picture) {
    QImage wrapped(picture.Indices.data(), picture.Width, picture.Height, picture.Width,
                   QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (int level : kGreyLevels)
        colours.push_back(qRgb(level, level, level));
    wrapped.setColorTable(colours);
    return wrapped;
}

} // namespace

BitmapImportDialog::BitmapImportDialog(Workspace& workspace, UserPrompts& prompts,
                                       std::function<bool()> overwriteTiles, QWidget* parent)
    : QDialog(parent)
    , workspace_(workspace)
    , prompts_(prompts)
    , overwriteTiles_(std::move(overwriteTiles)) {
    setWindowTitle(tr("Bitmap Import"));
    setModal(false);
    BuildControls();
    BuildMenus();
    SetZoom(1);
}

BitmapImportDialog::~BitmapImportDialog() = default;

void BitmapImportDialog::BuildControls() {
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    auto* views = new QHBoxLayout;
    const auto makeSide = [&](const QString& title, const QString& hint, PictureView*& view,
                              QScrollArea*& area) {
        auto* group = new QGroupBox(title);
        auto* groupLayout = new QVBoxLayout(group);
        groupLayout->setContentsMargins(4, 4, 4, 4);
        area = new QScrollArea;
        area->setWidgetResizable(true);
        view = new PictureView;
        view->setToolTip(hint);
        area->setWidget(view);
        groupLayout->addWidget(area);
        views->addWidget(group, 1);
        connect(view, &PictureView::DoubleClicked, this, [this] { SetZoom(3 - zoom_); });
    };
    makeSide(tr("Original"), tr("Original image in converted size"), originalView_, originalArea_);
    makeSide(tr("Converted"), tr("Current converted image"), convertedView_, convertedArea_);
    originalView_->setObjectName(QStringLiteral("originalView"));
    convertedView_->setObjectName(QStringLiteral("convertedView"));
    layout->addLayout(views, 1);

    auto* bottom = new QHBoxLayout;
    auto* buttons = new QGridLayout;
    ditherField_ = new QLineEdit(QString::number(kDefaultDitherPercent));
    ditherField_->setObjectName(QStringLiteral("ditherField"));
    ditherField_->setMaximumWidth(40);
    auto* ditherLabel = new QLabel(tr("% Dither"));
    ditherLabel->setToolTip(tr("Amount of dithering"));
    convertButton_ = new QPushButton(tr("Convert"));
    convertButton_->setToolTip(tr("Convert using current settings"));
    importButton_ = new QPushButton(tr("Import"));
    importButton_->setObjectName(QStringLiteral("importButton"));
    importButton_->setToolTip(tr("Import converted image into Tessivar"));
    importButton_->setEnabled(false);
    buttons->addWidget(ditherField_, 0, 0);
    buttons->addWidget(ditherLabel, 0, 1);
    buttons->addWidget(convertButton_, 1, 0);
    buttons->addWidget(importButton_, 1, 1);
    auto* greyNote = new QLabel(tr("The current palette becomes grey."));
    greyNote->setObjectName(QStringLiteral("greyPaletteNote"));
    buttons->addWidget(greyNote, 1, 2);
    bottom->addLayout(buttons);

    auto* boxes = new QVBoxLayout;
    createMap_ = new QCheckBox(tr("Create map"));
    createMap_->setChecked(true);
    grayscale_ = new QCheckBox(tr("Grayscale"));
    grayscale_->setChecked(true);
    reuseTiles_ = new QCheckBox(tr("Reuse the set's tiles"));
    reuseTiles_->setToolTip(tr("Show picture tiles the tile set already has through those tiles"));
    boxes->addWidget(createMap_);
    boxes->addWidget(grayscale_);
    boxes->addWidget(reuseTiles_);
    bottom->addLayout(boxes);

    auto* sizes = new QGridLayout;
    widthField_ = new QLineEdit(QStringLiteral("160"));
    heightField_ = new QLineEdit(QStringLiteral("144"));
    widthField_->setObjectName(QStringLiteral("widthField"));
    heightField_->setObjectName(QStringLiteral("heightField"));
    for (QLineEdit* field : {widthField_, heightField_}) {
        field->setToolTip(tr("Size of converted image"));
        field->setMaximumWidth(50);
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(field, &QWidget::customContextMenuRequested, this,
                [this, field](const QPoint& at) { sizeMenu_->popup(field->mapToGlobal(at)); });
    }
    sizes->addWidget(new QLabel(tr("Width:")), 0, 0);
    sizes->addWidget(widthField_, 0, 1);
    sizes->addWidget(new QLabel(tr("Height:")), 1, 0);
    sizes->addWidget(heightField_, 1, 1);
    bottom->addLayout(sizes);
    bottom->addStretch(1);
    layout->addLayout(bottom);

    // A changed number makes the conversion stale.
    for (QLineEdit* field : {widthField_, heightField_, ditherField_})
        connect(field, &QLineEdit::textChanged, this, [this] { importButton_->setEnabled(false); });
    connect(convertButton_, &QPushButton::clicked, this, &BitmapImportDialog::Convert);
    connect(importButton_, &QPushButton::clicked, this,
            [this] { importMenu_->exec(QCursor::pos()); });
}

void BitmapImportDialog::BuildMenus() {
    sizeMenu_ = new QMenu(this);
    const std::pair<QString, SizePreset> presets[] = {
        {tr("&Full Screen"), SizePreset::FullScreen},
        {tr("&Original Size"), SizePreset::OriginalSize},
        {tr("&Default Size"), SizePreset::DefaultSize}};
    for (const auto& [caption, preset] : presets)
        connect(sizeMenu_->addAction(caption), &QAction::triggered, this,
                [this, preset = preset] { ApplySizePreset(preset); });

    viewMenu_ = new QMenu(this);
    connect(viewMenu_->addAction(tr("Show Using New &Size")), &QAction::triggered, this,
            &BitmapImportDialog::ShowUsingNewSize);
    connect(viewMenu_->addAction(tr("&Convert")), &QAction::triggered, this,
            &BitmapImportDialog::Convert);
    viewMenu_->addSeparator();
    auto* zooms = new QActionGroup(this);
    zoom1x_ = viewMenu_->addAction(tr("&1x View"));
    zoom2x_ = viewMenu_->addAction(tr("&2x View"));
    for (QAction* Zoom : {zoom1x_, zoom2x_}) {
        Zoom->setCheckable(true);
        zooms->addAction(Zoom);
    }
    connect(zoom1x_, &QAction::triggered, this, [this] { SetZoom(1); });
    connect(zoom2x_, &QAction::triggered, this, [this] { SetZoom(2); });
    originalView_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(originalView_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { viewMenu_->popup(originalView_->mapToGlobal(at)); });

    importMenu_ = new QMenu(this);
    const std::pair<QString, DuplicateMode> modes[] = {
        {tr("Full Optimization"), DuplicateMode::Full},
        {tr("Remove Duplicates"), DuplicateMode::Duplicates},
        {tr("No Optimization"), DuplicateMode::None}};
    for (const auto& [caption, mode] : modes)
        connect(importMenu_->addAction(caption), &QAction::triggered, this,
                [this, mode = mode] { ImportConverted(mode); });
}

void BitmapImportDialog::ImportFromFile(bool fromMapEditor) {
    const auto path = prompts_.ChooseFileToOpen({kPictureFilter, "bmp", {}, false});
    if (path)
        OpenPicture(*path, fromMapEditor);
}

void BitmapImportDialog::OpenPicture(const std::string& path, bool fromMapEditor) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Result<BitmapImage> picture = ReadPicture(path);
    QApplication::restoreOverrideCursor();
    if (!picture) {
        prompts_.ShowMessage(picture.error(), kImportErrorCaption);
        return;
    }
    TakePicture(std::move(*picture), fromMapEditor, true);
}

void BitmapImportDialog::ImportFromClipboard(bool fromMapEditor) {
    const QImage image = QApplication::clipboard()->image();
    if (image.isNull()) {
        prompts_.ShowMessage("There isn't a bitmap in the clipboard", kImportErrorCaption);
        return;
    }
    Result<BitmapImage> picture = PictureFromQImage(image);
    if (!picture) {
        prompts_.ShowMessage(picture.error(), kImportErrorCaption);
        return;
    }
    TakePicture(std::move(*picture), fromMapEditor, false);
}

void BitmapImportDialog::TakePicture(BitmapImage picture, bool fromMapEditor, bool showAfresh) {
    // Hiding releases the pictures, so the new one is taken after it.
    if (showAfresh && isVisible())
        hide();
    source_ = std::move(picture);
    sourceImage_ = WrapPicture(source_);
    if (fromMapEditor)
        createMap_->setChecked(true);
    if (isVisible()) {
        ShowOriginal();
        return;
    }
    show();
    raise();
    activateWindow();
}

void BitmapImportDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // The show step: the default size, the original at that size, nothing converted.
    WriteSizeFields(DefaultImportSize(source_.Width(), source_.Height()));
    converted_.reset();
    convertedView_->SetPicture({}, {1, 1});
    ShowOriginal();
    importButton_->setEnabled(false);
}

void BitmapImportDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        ReleasePictures();
}

void BitmapImportDialog::ReleasePictures() {
    sourceImage_ = QImage();
    originalView_->SetPicture({}, {1, 1});
    convertedView_->SetPicture({}, {1, 1});
    source_ = BitmapImage();
    converted_.reset();
}

void BitmapImportDialog::WriteSizeFields(ImportSize size) {
    size_ = size;
    widthField_->setText(QString::number(size.Width));
    heightField_->setText(QString::number(size.Height));
}

void BitmapImportDialog::ShowOriginal() {
    originalView_->SetPicture(sourceImage_, QSize(size_.Width, size_.Height));
}

void BitmapImportDialog::ApplySizePreset(SizePreset preset) {
    switch (preset) {
    case SizePreset::FullScreen:
        WriteSizeFields({160, 144});
        break;
    case SizePreset::OriginalSize:
        WriteSizeFields({source_.Width(), source_.Height()});
        break;
    case SizePreset::DefaultSize:
        WriteSizeFields(DefaultImportSize(source_.Width(), source_.Height()));
        break;
    }
}

bool BitmapImportDialog::ReadSizeFields() {
    size_ = {ParseLenientInteger(widthField_->text().toStdString()),
             ParseLenientInteger(heightField_->text().toStdString())};
    if (ImportSettingsValid(size_, ditherPercent_))
        return true;
    prompts_.ShowMessage(kInvalidImportSettings, "Data Error");
    return false;
}

void BitmapImportDialog::ShowUsingNewSize() {
    if (ReadSizeFields())
        ShowOriginal();
}

bool BitmapImportDialog::Convert() {
    ditherPercent_ = ParseLenientInteger(ditherField_->text().toStdString());
    if (!ReadSizeFields())
        return false;
    ShowOriginal();
    convertedView_->SetPicture({}, {1, 1});
    converted_.reset();
    convertedView_->SetNotice(true);
    convertedView_->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Result<ConvertedPicture> result =
        ConvertPicture(source_, {size_, ditherPercent_, grayscale_->isChecked()});
    QApplication::restoreOverrideCursor();
    if (!result) {
        convertedView_->SetPicture({}, {1, 1});
        prompts_.ShowMessage(result.error(), kImportErrorCaption);
        return false;
    }
    converted_ = std::move(*result);
    convertedView_->SetPicture(WrapConverted(*converted_), QSize(size_.Width, size_.Height));
    importButton_->setEnabled(true);
    return true;
}

void BitmapImportDialog::ImportConverted(DuplicateMode mode) {
    if (!converted_)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TileEditorState& editing = workspace_.Editing;
    const ImportTarget target{
        workspace_.CurrentTileSet, workspace_.Map,
        editing.CurrentTile,       editing.CurrentPalette,
        editing.CurrentPaletteSet, [this] { return workspace_.QuerySaveMap(); }};
    const Result<ImportSummary> summary = ImportConvertedImage(
        target, *converted_,
        {mode, createMap_->isChecked(), overwriteTiles_(), reuseTiles_->isChecked()});
    QApplication::restoreOverrideCursor();
    if (!summary) {
        prompts_.ShowMessage(summary.error(), kImportErrorCaption);
        return;
    }
    workspace_.Apply(summary->Change);
    if (!summary->Cancelled)
        close();
}

void BitmapImportDialog::SetZoom(int Zoom) {
    zoom_ = Zoom == 2 ? 2 : 1;
    const ZoomLayout& layout = kZoomLayouts[zoom_ - 1];
    zoom1x_->setChecked(zoom_ == 1);
    zoom2x_->setChecked(zoom_ == 2);
    for (QScrollArea* area : {originalArea_, convertedArea_})
        area->setMinimumSize(layout.ViewArea + QSize(4, 4));
    originalView_->SetZoom(zoom_);
    convertedView_->SetZoom(zoom_);
    setMinimumSize(0, 0);
    resize(layout.Client.expandedTo(minimumSizeHint()));
}

} // namespace tessivar::ui
