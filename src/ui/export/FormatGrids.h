#pragma once

#include "core/export/ExportFormat.h"
#include "core/workspace/Workspace.h"

#include <QWidget>

class QMenu;
class QTableWidget;

namespace tessivar::ui {

// The "Properties:" and "Sections:" grids of both export dialogs: they show an
// ExportFormat, turn clicks, typing and the pop-up menus into format edits and announce
// each edit, so the dialog can switch its preset list to "Custom".
class FormatGrids : public QObject {
    Q_OBJECT

public:
    enum class Mode { Tiles, Map };

    FormatGrids(Workspace& workspace, ExportFormat& format, Mode mode, QWidget* parent);

    QTableWidget* propertyGrid() const { return properties_; }
    QTableWidget* sectionGrid() const { return sections_; }
    // Shows the format as it now is.
    void reload();
    // The kind menu of property row `row` (1-based), as a left click opens it.
    QMenu* buildKindMenu(int row);

Q_SIGNALS:
    void edited();

private:
    void onPropertyClicked(int gridRow, int column);
    void onPropertyTyped(int gridRow, int column);
    void onSectionTyped(int gridRow, int column);
    void propertyMenu(const QPoint& at);
    void sectionMenu(const QPoint& at);
    void changed(bool didChange);

    Workspace& workspace_;
    ExportFormat& format_;
    Mode mode_;
    QTableWidget* properties_;
    QTableWidget* sections_;
    bool reloading_ = false;
};

} // namespace tessivar::ui
