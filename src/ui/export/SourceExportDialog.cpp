#include "ui/export/SourceExportDialog.h"

#include "ui/export/FormatFileButtons.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace tessivar::ui {

SourceExportDialog::SourceExportDialog(Workspace& workspace, UserPrompts& prompts, Setup setup,
                                       QWidget* parent)
    : QDialog(parent)
    , workspace_(workspace)
    , prompts_(prompts)
    , format_(std::move(setup.Format)) {
    grids_ = new FormatGrids(workspace_, format_, setup.Mode, this);
    files_ = new FormatFileButtons(prompts_, format_, setup.Mode == FormatGrids::Mode::Map, this);
    path_ = new QLineEdit;
    path_->setObjectName(QString::fromLatin1(setup.PathObjectName));
    browse_ = new QPushButton(tr(setup.BrowseCaption));
    presets_ = new QComboBox;
    presets_->setObjectName(QStringLiteral("formatList"));
    export_ = new QPushButton(tr("Export"));
    export_->setObjectName(QStringLiteral("exportButton"));
    cancel_ = new QPushButton(tr("Cancel"));

    connect(browse_, &QPushButton::clicked, this, [this, filter = setup.Filter] {
        if (const auto path = prompts_.ChooseFileToSave({filter, "asm", "", false}))
            path_->setText(QString::fromStdString(*path));
    });
    connect(grids_, &FormatGrids::Edited, this, &SourceExportDialog::MarkCustom);
    connect(files_, &FormatFileButtons::Loaded, this, [this] {
        AdjustLoadedFormat();
        grids_->Reload();
        MarkCustom();
    });
    connect(export_, &QPushButton::clicked, this, &SourceExportDialog::PressExport);
}

void SourceExportDialog::ShowFor(SourceDialect Dialect) {
    dialect_ = Dialect;
    // The caption says which assembler the source is written for.
    if (baseTitle_.isEmpty())
        baseTitle_ = windowTitle();
    setWindowTitle(baseTitle_ +
                   (Dialect == SourceDialect::Z80 ? tr(" - Z80 source") : tr(" - 68k source")));
    if (!isVisible())
        show();
    raise();
    activateWindow();
}

void SourceExportDialog::MarkCustom() {
    presets_->setCurrentIndex(presets_->count() - 1);
}

void SourceExportDialog::FinishExport(const Status& exported) {
    if (!exported) {
        prompts_.ShowMessage(exported.error(), "Error");
        return;
    }
    prompts_.ShowInformation("Done", "Done");
    hide();
}

} // namespace tessivar::ui
