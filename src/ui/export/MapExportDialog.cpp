#include "ui/export/MapExportDialog.h"

#include "core/export/SourceExport.h"
#include "core/model/LenientInteger.h"
#include "ui/export/FormatFileButtons.h"
#include "ui/export/FormatGrids.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace tessivar::ui {

namespace {
constexpr const char* kMapSourceFilter = "Assembly files (*.asm,*.inc)|*.asm;*.inc";
}

MapExportDialog::MapExportDialog(Workspace& workspace, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent)
    , workspace_(workspace)
    , prompts_(prompts)
    , format_(MapFormatPreset()) {
    setWindowTitle(tr("Map Export"));
    grids_ = new FormatGrids(workspace_, format_, FormatGrids::Mode::Map, this);
    auto* files = new FormatFileButtons(prompts_, format_, true, this);
    path_ = new QLineEdit;
    path_->setObjectName(QStringLiteral("fileField"));
    auto* browse = new QPushButton(tr("Browse"));
    auto* exportButton = new QPushButton(tr("Export"));
    exportButton->setObjectName(QStringLiteral("exportButton"));
    auto* cancel = new QPushButton(tr("Cancel"));
    presets_ = new QComboBox;
    presets_->setObjectName(QStringLiteral("formatList"));
    presets_->addItem(tr(kMapPresetName));
    presets_->addItem(tr(kCustomPresetName));
    offset_ = new QLineEdit(QStringLiteral("0"));
    offset_->setObjectName(QStringLiteral("offsetField"));

    auto* layout = new QGridLayout(this);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel(tr("File:")));
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(browse);
    pathRow->addWidget(exportButton);
    pathRow->addWidget(cancel);
    layout->addLayout(pathRow, 0, 0, 1, 2);
    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(presets_, 1);
    formatRow->addWidget(new QLabel(tr("Tile # offset:")));
    formatRow->addWidget(offset_);
    formatRow->addWidget(files->loadButton());
    formatRow->addWidget(files->saveButton());
    layout->addLayout(formatRow, 1, 0, 1, 2);
    layout->addWidget(new QLabel(tr("Properties:")), 2, 0);
    layout->addWidget(new QLabel(tr("Sections:")), 2, 1);
    layout->addWidget(grids_->propertyGrid(), 3, 0);
    layout->addWidget(grids_->sectionGrid(), 3, 1);
    layout->setRowStretch(3, 1);
    resize(520, 260);

    connect(browse, &QPushButton::clicked, this, [this] {
        if (const auto path = prompts_.chooseFileToSave({kMapSourceFilter, "asm", "", false}))
            path_->setText(QString::fromStdString(*path));
    });
    connect(presets_, &QComboBox::activated, this, [this](int index) {
        if (index == 0)
            format_ = MapFormatPreset();
        grids_->reload();
    });
    connect(grids_, &FormatGrids::edited, this, [this] { presets_->setCurrentIndex(1); });
    connect(files, &FormatFileButtons::loaded, this, [this] {
        grids_->reload();
        presets_->setCurrentIndex(1);
    });
    connect(exportButton, &QPushButton::clicked, this, &MapExportDialog::pressExport);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
}

void MapExportDialog::showFor(SourceDialect dialect) {
    dialect_ = dialect;
    if (!isVisible())
        show();
    raise();
    activateWindow();
}

void MapExportDialog::pressExport() {
    const Status exported = ExportMapSource(
        workspace_.tileSet, workspace_.map.grid, format_, dialect_,
        ParseLenientInteger(offset_->text().toStdString()), path_->text().toStdString());
    if (!exported) {
        prompts_.showMessage(exported.error(), "Error");
        return;
    }
    prompts_.showInformation("Done", "Done");
    hide();
}

} // namespace tessivar::ui
