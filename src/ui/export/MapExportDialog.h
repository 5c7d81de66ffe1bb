#pragma once

#include "ui/export/SourceExportDialog.h"

namespace tessivar::ui {

// "Map Export": the map as assembler source, in a format of its own.
class MapExportDialog : public SourceExportDialog {
    Q_OBJECT

public:
    MapExportDialog(Workspace& workspace, UserPrompts& prompts, QWidget* parent = nullptr);

    void PressExport() override;

    QLineEdit* OffsetField() const { return offset_; }

private:
    QLineEdit* offset_;
};

} // namespace tessivar::ui
