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
    QSize client;
    QSize viewArea;
};
constexpr ZoomLayout kZoomLayouts[] = {{{388, 294}, {160, 144}}, {{708, 438}, {320, 288}}};

// A Qt picture over the pixels of `image`, without a copy.
QImage wrapPicture(BitmapImage& image) {
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
        colours.push_back(qRgb(entry.red, entry.green, entry.blue));
    wrapped.setColorTable(colours);
    return wrapped;
}

QImage wrapConverted(ConvertedPicture& picture) {
    QImage wrapped(picture.indices.data(), picture.width, picture.height, picture.width,
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
    buildControls();
    buildMenus();
    setZoom(1);
}

BitmapImportDialog::~BitmapImportDialog() = default;

void BitmapImportDialog::buildControls() {
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
        connect(view, &PictureView::doubleClicked, this, [this] { setZoom(3 - zoom_); });
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
    connect(convertButton_, &QPushButton::clicked, this, &BitmapImportDialog::convert);
    connect(importButton_, &QPushButton::clicked, this,
            [this] { importMenu_->exec(QCursor::pos()); });
}

void BitmapImportDialog::buildMenus() {
    sizeMenu_ = new QMenu(this);
    const std::pair<QString, SizePreset> presets[] = {
        {tr("&Full Screen"), SizePreset::FullScreen},
        {tr("&Original Size"), SizePreset::OriginalSize},
        {tr("&Default Size"), SizePreset::DefaultSize}};
    for (const auto& [caption, preset] : presets)
        connect(sizeMenu_->addAction(caption), &QAction::triggered, this,
                [this, preset = preset] { applySizePreset(preset); });

    viewMenu_ = new QMenu(this);
    connect(viewMenu_->addAction(tr("Show Using New &Size")), &QAction::triggered, this,
            &BitmapImportDialog::showUsingNewSize);
    connect(viewMenu_->addAction(tr("&Convert")), &QAction::triggered, this,
            &BitmapImportDialog::convert);
    viewMenu_->addSeparator();
    auto* zooms = new QActionGroup(this);
    zoom1x_ = viewMenu_->addAction(tr("&1x View"));
    zoom2x_ = viewMenu_->addAction(tr("&2x View"));
    for (QAction* zoom : {zoom1x_, zoom2x_}) {
        zoom->setCheckable(true);
        zooms->addAction(zoom);
    }
    connect(zoom1x_, &QAction::triggered, this, [this] { setZoom(1); });
    connect(zoom2x_, &QAction::triggered, this, [this] { setZoom(2); });
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
                [this, mode = mode] { importConverted(mode); });
}

void BitmapImportDialog::importFromFile(bool fromMapEditor) {
    const auto path = prompts_.chooseFileToOpen({kPictureFilter, "bmp", {}, false});
    if (path)
        openPicture(*path, fromMapEditor);
}

void BitmapImportDialog::openPicture(const std::string& path, bool fromMapEditor) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Result<BitmapImage> picture = ReadPicture(path);
    QApplication::restoreOverrideCursor();
    if (!picture) {
        prompts_.showMessage(picture.error(), kImportErrorCaption);
        return;
    }
    takePicture(std::move(*picture), fromMapEditor, true);
}

void BitmapImportDialog::importFromClipboard(bool fromMapEditor) {
    const QImage image = QApplication::clipboard()->image();
    if (image.isNull()) {
        prompts_.showMessage("There isn't a bitmap in the clipboard", kImportErrorCaption);
        return;
    }
    Result<BitmapImage> picture = PictureFromQImage(image);
    if (!picture) {
        prompts_.showMessage(picture.error(), kImportErrorCaption);
        return;
    }
    takePicture(std::move(*picture), fromMapEditor, false);
}

void BitmapImportDialog::takePicture(BitmapImage picture, bool fromMapEditor, bool showAfresh) {
    // Hiding releases the pictures, so the new one is taken after it.
    if (showAfresh && isVisible())
        hide();
    source_ = std::move(picture);
    sourceImage_ = wrapPicture(source_);
    if (fromMapEditor)
        createMap_->setChecked(true);
    if (isVisible()) {
        showOriginal();
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
    writeSizeFields(DefaultImportSize(source_.Width(), source_.Height()));
    converted_.reset();
    convertedView_->setPicture({}, {1, 1});
    showOriginal();
    importButton_->setEnabled(false);
}

void BitmapImportDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        releasePictures();
}

void BitmapImportDialog::releasePictures() {
    sourceImage_ = QImage();
    originalView_->setPicture({}, {1, 1});
    convertedView_->setPicture({}, {1, 1});
    source_ = BitmapImage();
    converted_.reset();
}

void BitmapImportDialog::writeSizeFields(ImportSize size) {
    size_ = size;
    widthField_->setText(QString::number(size.width));
    heightField_->setText(QString::number(size.height));
}

void BitmapImportDialog::showOriginal() {
    originalView_->setPicture(sourceImage_, QSize(size_.width, size_.height));
}

void BitmapImportDialog::applySizePreset(SizePreset preset) {
    switch (preset) {
    case SizePreset::FullScreen:
        writeSizeFields({160, 144});
        break;
    case SizePreset::OriginalSize:
        writeSizeFields({source_.Width(), source_.Height()});
        break;
    case SizePreset::DefaultSize:
        writeSizeFields(DefaultImportSize(source_.Width(), source_.Height()));
        break;
    }
}

bool BitmapImportDialog::readSizeFields() {
    size_ = {ParseLenientInteger(widthField_->text().toStdString()),
             ParseLenientInteger(heightField_->text().toStdString())};
    if (ImportSettingsValid(size_, ditherPercent_))
        return true;
    prompts_.showMessage(kInvalidImportSettings, "Data Error");
    return false;
}

void BitmapImportDialog::showUsingNewSize() {
    if (readSizeFields())
        showOriginal();
}

bool BitmapImportDialog::convert() {
    ditherPercent_ = ParseLenientInteger(ditherField_->text().toStdString());
    if (!readSizeFields())
        return false;
    showOriginal();
    convertedView_->setPicture({}, {1, 1});
    converted_.reset();
    convertedView_->setNotice(true);
    convertedView_->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Result<ConvertedPicture> result =
        ConvertPicture(source_, {size_, ditherPercent_, grayscale_->isChecked()});
    QApplication::restoreOverrideCursor();
    if (!result) {
        convertedView_->setPicture({}, {1, 1});
        prompts_.showMessage(result.error(), kImportErrorCaption);
        return false;
    }
    converted_ = std::move(*result);
    convertedView_->setPicture(wrapConverted(*converted_), QSize(size_.width, size_.height));
    importButton_->setEnabled(true);
    return true;
}

void BitmapImportDialog::importConverted(DuplicateMode mode) {
    if (!converted_)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const EditingState& editing = workspace_.editing;
    const ImportTarget target{
        workspace_.tileSet,        workspace_.map,
        editing.CurrentTile,       editing.CurrentPalette,
        editing.CurrentPaletteSet, [this] { return workspace_.QuerySaveMap(); }};
    const Result<ImportSummary> summary = ImportConvertedImage(
        target, *converted_,
        {mode, createMap_->isChecked(), overwriteTiles_(), reuseTiles_->isChecked()});
    QApplication::restoreOverrideCursor();
    if (!summary) {
        prompts_.showMessage(summary.error(), kImportErrorCaption);
        return;
    }
    workspace_.apply(summary->change);
    if (!summary->cancelled)
        close();
}

void BitmapImportDialog::setZoom(int zoom) {
    zoom_ = zoom == 2 ? 2 : 1;
    const ZoomLayout& layout = kZoomLayouts[zoom_ - 1];
    zoom1x_->setChecked(zoom_ == 1);
    zoom2x_->setChecked(zoom_ == 2);
    for (QScrollArea* area : {originalArea_, convertedArea_})
        area->setMinimumSize(layout.viewArea + QSize(4, 4));
    originalView_->setZoom(zoom_);
    convertedView_->setZoom(zoom_);
    setMinimumSize(0, 0);
    resize(layout.client.expandedTo(minimumSizeHint()));
}

} // namespace tessivar::ui
