#pragma once

#include "core/export/ExportFormat.h"
#include "core/export/IncludedBlocks.h"
#include "core/workspace/Workspace.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;

namespace tessivar::ui {

class FormatGrids;

// "Export Tile Data": which Blocks go out, in which format, to which file.
class TileExportDialog : public QDialog {
    Q_OBJECT

public:
    TileExportDialog(Workspace& workspace, UserPrompts& prompts, QWidget* parent = nullptr);

    // "Z80 source" / "68k source": sets the dialect and shows the dialog (or raises it).
    void showFor(SourceDialect dialect);
    void pressExport();
    void pressRefresh();
    void choosePreset(int index);

    ExportFormat& format() { return format_; }
    SourceDialect dialect() const { return dialect_; }
    FormatGrids* grids() const { return grids_; }
    QListWidget* includedList() const { return included_; }
    QLineEdit* pathField() const { return path_; }
    QLineEdit* fromField() const { return from_; }
    QLineEdit* toField() const { return to_; }
    QComboBox* presetList() const { return presets_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showIncluded();
    void readIncluded();
    void rangeTyped();

    Workspace& workspace_;
    UserPrompts& prompts_;
    ExportFormat format_;
    IncludedBlocks blocks_;
    SourceDialect dialect_ = SourceDialect::Z80;
    FormatGrids* grids_;
    QLineEdit* path_;
    QComboBox* presets_;
    QLineEdit* from_;
    QLineEdit* to_;
    QListWidget* included_;
    bool updating_ = false;
};

} // namespace tessivar::ui
