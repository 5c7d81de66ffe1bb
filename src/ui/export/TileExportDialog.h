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

    void PressExport() override;
    void PressRefresh();
    void ChoosePreset(int index);

    QListWidget* IncludedList() const { return included_; }
    QLineEdit* FromField() const { return from_; }
    QLineEdit* ToField() const { return to_; }

protected:
    void showEvent(QShowEvent* event) override;
    void AdjustLoadedFormat() override;

private:
    void ShowIncluded();
    void ReadIncluded();
    void RangeTyped();

    IncludedBlocks blocks_;
    QLineEdit* from_;
    QLineEdit* to_;
    QListWidget* included_;
    bool updating_ = false;
};

} // namespace tessivar::ui
