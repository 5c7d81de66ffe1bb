#pragma once

#include "core/workspace/Workspace.h"

#include <QDialog>

class QMenu;
class QTableWidget;

namespace tessivar::ui {

// "Tile Information": the category table with a name and a type per row. The names of
// user categories are typed in place, their types chosen from a pop-up; typing a name
// into the empty last row adds a category. Every change takes effect at once.
class TileInfoDialog : public QDialog {
    Q_OBJECT

public:
    explicit TileInfoDialog(Workspace& workspace, QWidget* parent = nullptr);

    QTableWidget* Grid() const { return grid_; }
    QMenu* TypeMenu() const { return typeMenu_; }

    // Rows, names and type names from the tile set.
    void Refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildTypeMenu();
    // Applies a category edit; the table is rebuilt when it stored something.
    void ApplyEdit(const DocumentChange& change);
    void OnCellClicked(int row, int column);

    Workspace& workspace_;
    QTableWidget* grid_ = nullptr;
    QMenu* typeMenu_ = nullptr;
    int menuRow_ = -1;
};

} // namespace tessivar::ui
