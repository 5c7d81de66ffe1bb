#pragma once

#include "core/export/ExportFormat.h"
#include "core/util/Result.h"
#include "core/workspace/Workspace.h"
#include "ui/export/FormatGrids.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tessivar::ui {

class FormatFileButtons;

// What both source export dialogs share: the format being edited with its grids and
// format file buttons, the preset list, the output file field with its "Browse" button,
// "Export" / "Cancel", and the report once an export ran. Each dialog lays these out and
// adds what is its own.
class SourceExportDialog : public QDialog {
    Q_OBJECT

public:
    struct Setup {
        ExportFormat Format;
        FormatGrids::Mode Mode;
        const char* PathObjectName;
        const char* BrowseCaption;
        // File dialog filter of "Browse".
        const char* Filter;
    };

    // "Z80 source" / "68k source": sets the dialect and shows the dialog (or raises it).
    void ShowFor(SourceDialect dialect);
    virtual void PressExport() = 0;

    ExportFormat& Format() { return format_; }
    SourceDialect Dialect() const { return dialect_; }
    FormatGrids* Grids() const { return grids_; }
    QLineEdit* PathField() const { return path_; }
    QComboBox* PresetList() const { return presets_; }

protected:
    SourceExportDialog(Workspace& workspace, UserPrompts& prompts, Setup setup, QWidget* parent);

    // Runs after a format file was read, before the grids show it.
    virtual void AdjustLoadedFormat() {}
    // The last preset entry, "Custom".
    void MarkCustom();
    // Reports the outcome of an export; the dialog closes once it succeeded.
    void FinishExport(const Status& exported);

    Workspace& workspace_;
    UserPrompts& prompts_;
    ExportFormat format_;
    SourceDialect dialect_ = SourceDialect::Z80;
    QString baseTitle_; // the caption without the dialect
    FormatGrids* grids_;
    FormatFileButtons* files_;
    QLineEdit* path_;
    QComboBox* presets_;
    QPushButton* browse_;
    QPushButton* export_;
    QPushButton* cancel_;
};

} // namespace tessivar::ui
