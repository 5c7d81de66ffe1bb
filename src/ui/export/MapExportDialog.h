#pragma once

#include "core/export/ExportFormat.h"
#include "core/workspace/Workspace.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace tessivar::ui {

class FormatGrids;

// "Map Export": the map as assembler source, in a format of its own.
class MapExportDialog : public QDialog {
    Q_OBJECT

public:
    MapExportDialog(Workspace& workspace, UserPrompts& prompts, QWidget* parent = nullptr);

    // "Z80 Source" / "68k Source" of the map editor.
    void showFor(SourceDialect dialect);
    void pressExport();

    ExportFormat& format() { return format_; }
    SourceDialect dialect() const { return dialect_; }
    FormatGrids* grids() const { return grids_; }
    QLineEdit* pathField() const { return path_; }
    QLineEdit* offsetField() const { return offset_; }
    QComboBox* presetList() const { return presets_; }

private:
    Workspace& workspace_;
    UserPrompts& prompts_;
    ExportFormat format_;
    SourceDialect dialect_ = SourceDialect::Z80;
    FormatGrids* grids_;
    QLineEdit* path_;
    QLineEdit* offset_;
    QComboBox* presets_;
};

} // namespace tessivar::ui
