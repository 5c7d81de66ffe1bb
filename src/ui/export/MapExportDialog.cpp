#include "ui/export/MapExportDialog.h"

#include "core/export/SourceExport.h"
#include "core/model/LenientInteger.h"
#include "core/workspace/FileFilters.h"
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

namespace {}

MapExportDialog::MapExportDialog(Workspace& workspace, UserPrompts& prompts, QWidget* parent)
    : SourceExportDialog(
          workspace, prompts,
          {MapFormatPreset(), FormatGrids::Mode::Map, "fileField", "Browse", kMapSourceFilter},
          parent) {
    setWindowTitle(tr("Map Export"));
    presets_->addItem(tr(kMapPresetName));
    presets_->addItem(tr(kCustomPresetName));
    offset_ = new QLineEdit(QStringLiteral("0"));
    offset_->setObjectName(QStringLiteral("offsetField"));

    auto* layout = new QGridLayout(this);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel(tr("File:")));
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(browse_);
    pathRow->addWidget(export_);
    pathRow->addWidget(cancel_);
    layout->addLayout(pathRow, 0, 0, 1, 2);
    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(presets_, 1);
    formatRow->addWidget(new QLabel(tr("Tile # offset:")));
    formatRow->addWidget(offset_);
    formatRow->addWidget(files_->LoadButton());
    formatRow->addWidget(files_->SaveButton());
    layout->addLayout(formatRow, 1, 0, 1, 2);
    layout->addWidget(new QLabel(tr("Properties:")), 2, 0);
    layout->addWidget(new QLabel(tr("Sections:")), 2, 1);
    layout->addWidget(grids_->PropertyGrid(), 3, 0);
    layout->addWidget(grids_->SectionGrid(), 3, 1);
    layout->setRowStretch(3, 1);
    resize(520, 260);

    connect(presets_, &QComboBox::activated, this, [this](int index) {
        if (index == 0)
            format_ = MapFormatPreset();
        grids_->Reload();
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::hide);
}

void MapExportDialog::PressExport() {
    const Status exported = ExportMapSource(
        workspace_.CurrentTileSet, workspace_.Map.Grid, format_, dialect_,
        ParseLenientInteger(offset_->text().toStdString()), path_->text().toStdString());
    FinishExport(exported);
}

} // namespace tessivar::ui
