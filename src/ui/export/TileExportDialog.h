#pragma once

#include "core/export/IncludedBlocks.h"
#include "ui/export/SourceExportDialog.h"

class QListWidget;

namespace tessivar::ui {

// "Export Tile Data": which Blocks go out, in which format, to which file.
class TileExportDialog : public SourceExportDialog {
    Q_OBJECT

public:
    TileExportDialog(Workspace& workspace, UserPrompts& prompts, QWidget* parent = nullptr);

    void pressExport() override;
    void pressRefresh();
    void choosePreset(int index);

    QListWidget* includedList() const { return included_; }
    QLineEdit* fromField() const { return from_; }
    QLineEdit* toField() const { return to_; }

protected:
    void showEvent(QShowEvent* event) override;
    void adjustLoadedFormat() override;

private:
    void showIncluded();
    void readIncluded();
    void rangeTyped();

    IncludedBlocks blocks_;
    QLineEdit* from_;
    QLineEdit* to_;
    QListWidget* included_;
    bool updating_ = false;
};

} // namespace tessivar::ui
