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
    , format_(std::move(setup.format)) {
    grids_ = new FormatGrids(workspace_, format_, setup.mode, this);
    files_ = new FormatFileButtons(prompts_, format_, setup.mode == FormatGrids::Mode::Map, this);
    path_ = new QLineEdit;
    path_->setObjectName(QString::fromLatin1(setup.pathObjectName));
    browse_ = new QPushButton(tr(setup.browseCaption));
    presets_ = new QComboBox;
    presets_->setObjectName(QStringLiteral("formatList"));
    export_ = new QPushButton(tr("Export"));
    export_->setObjectName(QStringLiteral("exportButton"));
    cancel_ = new QPushButton(tr("Cancel"));

    connect(browse_, &QPushButton::clicked, this, [this, filter = setup.filter] {
        if (const auto path = prompts_.chooseFileToSave({filter, "asm", "", false}))
            path_->setText(QString::fromStdString(*path));
    });
    connect(grids_, &FormatGrids::edited, this, &SourceExportDialog::markCustom);
    connect(files_, &FormatFileButtons::loaded, this, [this] {
        adjustLoadedFormat();
        grids_->reload();
        markCustom();
    });
    connect(export_, &QPushButton::clicked, this, &SourceExportDialog::pressExport);
}

void SourceExportDialog::showFor(SourceDialect dialect) {
    dialect_ = dialect;
    // The caption says which assembler the source is written for.
    if (baseTitle_.isEmpty())
        baseTitle_ = windowTitle();
    setWindowTitle(baseTitle_ +
                   (dialect == SourceDialect::Z80 ? tr(" - Z80 source") : tr(" - 68k source")));
    if (!isVisible())
        show();
    raise();
    activateWindow();
}

void SourceExportDialog::markCustom() {
    presets_->setCurrentIndex(presets_->count() - 1);
}

void SourceExportDialog::finishExport(const Status& exported) {
    if (!exported) {
        prompts_.showMessage(exported.error(), "Error");
        return;
    }
    prompts_.showInformation("Done", "Done");
    hide();
}

} // namespace tessivar::ui
