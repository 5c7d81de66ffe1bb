#pragma once

#include <QHeaderView>
#include <QTableWidget>

namespace tessivar::ui {

// What the two information grids share: no header row or column, 16-pixel rows, a
// vertical scroll bar, one selected cell, and typing that opens the in-place editor.
inline void SetUpInfoGrid(QTableWidget* grid) {
    constexpr int kRowHeight = 16;
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    // Small type, clipped rather than elided, so names of up to 15 characters show.
    QFont font = grid->font();
    font.setPointSize(8);
    grid->setFont(font);
    grid->setTextElideMode(Qt::ElideNone);
    grid->setWordWrap(false);
    grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                          QAbstractItemView::EditKeyPressed);
}

// The item of a cell, made on first use.
inline QTableWidgetItem* EnsureItem(QTableWidget* grid, int row, int column) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        grid->setItem(row, column, item);
    }
    return item;
}

} // namespace tessivar::ui
