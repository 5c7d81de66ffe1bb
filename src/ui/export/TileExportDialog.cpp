#include "ui/export/TileExportDialog.h"

#include "core/export/SourceExport.h"
#include "core/workspace/FileFilters.h"
#include "ui/export/FormatFileButtons.h"
#include "ui/export/FormatGrids.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace tessivar::ui {

namespace {}

TileExportDialog::TileExportDialog(Workspace& workspace, UserPrompts& prompts, QWidget* parent)
    : SourceExportDialog(workspace, prompts,
                         {TileFormatPreset(TilePreset::BwOnly, workspace.CurrentTileSet.Block),
                          FormatGrids::Mode::Tiles, "saveAsField", "Browse...", kSourceFilter},
                         parent) {
    setWindowTitle(tr("Export Tile Data"));
    for (const char* name : kTilePresetNames)
        presets_->addItem(tr(name));
    presets_->addItem(tr(kCustomPresetName));
    from_ = new QLineEdit(QStringLiteral("0"));
    from_->setObjectName(QStringLiteral("fromField"));
    to_ = new QLineEdit(QStringLiteral("0"));
    to_->setObjectName(QStringLiteral("toField"));
    included_ = new QListWidget;
    included_->setObjectName(QStringLiteral("includedList"));
    auto* refresh = new QPushButton(tr("Refresh"));
    refresh->setObjectName(QStringLiteral("refreshButton"));

    auto* layout = new QGridLayout(this);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel(tr("Save as:")));
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(browse_);
    layout->addLayout(pathRow, 0, 0, 1, 3);
    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(new QLabel(tr("Format:")));
    formatRow->addWidget(presets_, 1);
    formatRow->addWidget(files_->LoadButton());
    formatRow->addWidget(files_->SaveButton());
    layout->addLayout(formatRow, 1, 0, 1, 3);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(new QLabel(tr("From tile #:")));
    rangeRow->addWidget(from_);
    rangeRow->addWidget(new QLabel(tr("To #:")));
    rangeRow->addWidget(to_);
    layout->addLayout(rangeRow, 2, 0);
    layout->addWidget(new QLabel(tr("Properties:")), 2, 1);
    layout->addWidget(new QLabel(tr("Sections:")), 2, 2);
    layout->addWidget(new QLabel(tr("Included")), 3, 0);
    layout->addWidget(included_, 4, 0);
    layout->addWidget(grids_->PropertyGrid(), 3, 1, 2, 1);
    layout->addWidget(grids_->SectionGrid(), 3, 2, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(export_);
    buttons->addWidget(cancel_);
    buttons->addWidget(refresh);
    layout->addLayout(buttons, 5, 0, 1, 3);
    layout->setRowStretch(4, 1);
    included_->setMaximumWidth(160);
    resize(660, 360);

    connect(presets_, &QComboBox::activated, this, &TileExportDialog::ChoosePreset);
    connect(from_, &QLineEdit::textChanged, this, &TileExportDialog::RangeTyped);
    connect(to_, &QLineEdit::textChanged, this, &TileExportDialog::RangeTyped);
    connect(included_, &QListWidget::itemChanged, this, &TileExportDialog::ReadIncluded);
    connect(refresh, &QPushButton::clicked, this, &TileExportDialog::PressRefresh);
}

void TileExportDialog::AdjustLoadedFormat() {
    RefreshTileDataWidths(format_, workspace_.CurrentTileSet.Block);
}

void TileExportDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const TileSet& set = workspace_.CurrentTileSet;
    blocks_.Rebuild(set.BlockCount(), set.TilesPerBlock(), workspace_.Editing.SelectionStart,
                    workspace_.Editing.SelectionEnd);
    RefreshTileDataWidths(format_, set.Block);
    grids_->Reload();
    ShowIncluded();
}

void TileExportDialog::ShowIncluded() {
    updating_ = true;
    from_->setText(QString::fromStdString(blocks_.FromText));
    to_->setText(QString::fromStdString(blocks_.ToText));
    while (included_->count() > static_cast<int>(blocks_.Checked.size()))
        delete included_->takeItem(included_->count() - 1);
    for (int k = 0; k < static_cast<int>(blocks_.Checked.size()); ++k) {
        if (k >= included_->count()) {
            auto* item = new QListWidgetItem(tr("Tile %1").arg(k), included_);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        }
        included_->item(k)->setCheckState(
            blocks_.Checked[static_cast<std::size_t>(k)] ? Qt::Checked : Qt::Unchecked);
    }
    updating_ = false;
}

void TileExportDialog::ReadIncluded() {
    if (updating_)
        return;
    for (int k = 0; k < included_->count(); ++k)
        blocks_.Checked[static_cast<std::size_t>(k)] =
            included_->item(k)->checkState() == Qt::Checked;
}

void TileExportDialog::RangeTyped() {
    if (updating_)
        return;
    blocks_.SetRange(from_->text().toStdString(), to_->text().toStdString());
    ShowIncluded();
}

void TileExportDialog::PressRefresh() {
    blocks_.Refresh(workspace_.CurrentTileSet.BlockCount());
    ShowIncluded();
}

void TileExportDialog::ChoosePreset(int index) {
    if (index >= 0 && index < kTilePresetCount)
        format_ = TileFormatPreset(static_cast<TilePreset>(index), workspace_.CurrentTileSet.Block);
    presets_->setCurrentIndex(index);
    grids_->Reload();
}

void TileExportDialog::PressExport() {
    // The Block size may have changed while the dialog stayed open.
    RefreshTileDataWidths(format_, workspace_.CurrentTileSet.Block);
    grids_->Reload();
    const Status exported = ExportTileSource(workspace_.CurrentTileSet, format_, dialect_,
                                             blocks_.Checked, path_->text().toStdString());
    FinishExport(exported);
}

} // namespace tessivar::ui
