#pragma once

#include "core/mapeditor/MapHistory.h"
#include "core/workspace/Workspace.h"

#include <QDialog>

class QLineEdit;

namespace tessivar::ui {

// "Map Size": rows and columns of the map, checked when "Change" is pressed.
class MapSizeDialog : public QDialog {
    Q_OBJECT

public:
    MapSizeDialog(Workspace& workspace, UserPrompts& prompts, MapHistory& history,
                  QWidget* parent = nullptr);

    // Presets the fields from the map and runs the dialog; true when the size changed.
    bool PresetAndRun();

    QLineEdit* RowField() const { return rows_; }
    QLineEdit* ColumnField() const { return columns_; }
    void PressChange();

private:
    Workspace& workspace_;
    UserPrompts& prompts_;
    MapHistory& history_;
    QLineEdit* rows_ = nullptr;
    QLineEdit* columns_ = nullptr;
};

} // namespace tessivar::ui
