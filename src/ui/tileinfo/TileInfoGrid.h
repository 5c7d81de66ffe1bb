#pragma once

#include "core/workspace/Workspace.h"

#include <QTableWidget>

class QMenu;

namespace tessivar::ui {

// The custom information grid beside the tile list: category names in a fixed silver
// column and the values of CurrentTile beside them, shown by each category's type.
// Boolean values are set from a "&false" / "&true" pop-up; Byte, Word and Time values
// are typed into the in-place editor and stored with every keystroke.
class TileInfoGrid : public QTableWidget {
    Q_OBJECT

public:
    explicit TileInfoGrid(Workspace& workspace, QWidget* parent = nullptr);

    // Rows, names and values from the tile set (the cell being edited keeps its editor).
    void Refresh();

    QMenu* BooleanMenu() const { return booleanMenu_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Picking a cell never scrolls sideways: the columns always fit the grid.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

private:
    void OnCellClicked(int row, int column);
    void ChooseBoolean(bool value);
    void FitColumns();

    Workspace& workspace_;
    QMenu* booleanMenu_ = nullptr;
    int menuRow_ = -1;
    int nameColumnWidth_ = 0;
};

} // namespace tessivar::ui
