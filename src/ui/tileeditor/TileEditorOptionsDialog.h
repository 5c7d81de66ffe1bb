#pragma once

#include "core/workspace/EditorOptions.h"

#include <QDialog>

class QCheckBox;

namespace tessivar::ui {

// "Tile Editor Options", modeless. The check box is OverwriteTiles at every moment;
// whenever the dialog closes (by "OK" or its close box) the options are saved.
class TileEditorOptionsDialog : public QDialog {
    Q_OBJECT

public:
    TileEditorOptionsDialog(EditorOptions& options, OptionsStore& store, QWidget* parent = nullptr);

    // The check box follows the options after they were loaded elsewhere.
    void SyncFromOptions();
    QCheckBox* OverwriteBox() const { return overwrite_; }

private:
    EditorOptions& options_;
    OptionsStore& store_;
    QCheckBox* overwrite_ = nullptr;
};

} // namespace tessivar::ui
