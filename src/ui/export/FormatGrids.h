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

    QTableWidget* PropertyGrid() const { return properties_; }
    QTableWidget* SectionGrid() const { return sections_; }
    // Shows the format as it now is.
    void Reload();
    // The kind menu of property row `row` (1-based), as a left click opens it.
    QMenu* BuildKindMenu(int row);

Q_SIGNALS:
    void Edited();

private:
    void OnPropertyClicked(int gridRow, int column);
    void OnPropertyTyped(int gridRow, int column);
    void OnSectionTyped(int gridRow, int column);
    void PropertyMenu(const QPoint& at);
    void SectionMenu(const QPoint& at);
    void Changed(bool didChange);

    Workspace& workspace_;
    ExportFormat& format_;
    Mode mode_;
    QTableWidget* properties_;
    QTableWidget* sections_;
    bool reloading_ = false;
};

} // namespace tessivar::ui
