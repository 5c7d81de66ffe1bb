#include "ui/tileinfo/TileInfoGrid.h"

#include "core/tileinfo/TileInfoCommands.h"
#include "core/tileinfo/TileInfoTypes.h"
#include "ui/tileinfo/InfoGridSetup.h"
#include "ui/tileinfo/LiveEditDelegate.h"

#include <QActionGroup>
#include <QCursor>
#include <QMenu>
#include <QScrollBar>

#include <algorithm>

namespace tessivar::ui {

namespace {

constexpr int kNameColumnWidth = 64; // at least
constexpr int kNamePadding = 8;      // the text starts 2 pixels in; room on both sides
constexpr int kLeastValueWidth = 40;
const QColor kSilver(192, 192, 192);

} // namespace

TileInfoGrid::TileInfoGrid(Workspace& workspace, QWidget* parent)
    : QTableWidget(0, 2, parent)
    , workspace_(workspace) {
    setObjectName(QStringLiteral("tileInfoGrid"));
    SetUpInfoGrid(this);
    setItemDelegate(new LiveEditDelegate(
        [this](const QModelIndex& index) {
            const int tile = workspace_.editing.CurrentTile;
            return QString::fromStdString(
                TileInfoEditorText(workspace_.tileSet.tileInfo[tile][index.row()]));
        },
        [this](const QModelIndex& index, const QString& text) {
            workspace_.apply(EditTileInfoValue(workspace_.tileSet, workspace_.editing, index.row(),
                                               text.toStdString()));
        },
        this));

    booleanMenu_ = new QMenu(this);
    booleanMenu_->setObjectName(QStringLiteral("booleanMenu"));
    auto* choices = new QActionGroup(booleanMenu_);
    for (bool value : {false, true}) {
        QAction* action = booleanMenu_->addAction(value ? tr("&true") : tr("&false"));
        action->setCheckable(true);
        action->setActionGroup(choices);
        connect(action, &QAction::triggered, this, [this, value] { chooseBoolean(value); });
    }
    connect(this, &QTableWidget::cellClicked, this, &TileInfoGrid::onCellClicked);
    refresh();
}

void TileInfoGrid::refresh() {
    const TileSet& tileSet = workspace_.tileSet;
    const int tile = workspace_.editing.CurrentTile;
    setRowCount(tileSet.categoryCount);
    nameColumnWidth_ = kNameColumnWidth;
    for (int row = 0; row < tileSet.categoryCount; ++row) {
        const int type = tileSet.categories[row].type;
        QTableWidgetItem* name = EnsureItem(this, row, 0);
        name->setText(QString::fromStdString(tileSet.categories[row].nameText()));
        name->setFlags(Qt::ItemIsEnabled);
        name->setBackground(kSilver);
        nameColumnWidth_ = std::max(nameColumnWidth_,
                                    fontMetrics().horizontalAdvance(name->text()) + kNamePadding);
        QTableWidgetItem* value = EnsureItem(this, row, 1);
        value->setText(QString::fromStdString(FormatTileInfoValue(
            type, tile >= 0 && tile < kMaxTiles ? tileSet.tileInfo[tile][row] : 0)));
        const bool typed =
            IsKnownCategoryType(type) && type != static_cast<int>(CategoryType::Boolean);
        value->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                        (typed ? Qt::ItemIsEditable : Qt::NoItemFlags));
    }
    fitColumns();
}

void TileInfoGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    fitColumns();
}

// The name column fits the longest name (as long as a value keeps some room); the value
// column takes the rest of the visible width.
void TileInfoGrid::fitColumns() {
    const int visible = viewport()->width();
    const int names = std::min(nameColumnWidth_, std::max(visible - kLeastValueWidth, 0));
    setColumnWidth(0, names);
    setColumnWidth(1, std::max(visible - names, 0));
}

void TileInfoGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    QTableWidget::scrollTo(index, hint);
    horizontalScrollBar()->setValue(0);
}

void TileInfoGrid::onCellClicked(int row, int column) {
    const TileSet& tileSet = workspace_.tileSet;
    const int tile = workspace_.editing.CurrentTile;
    if (column != 1 || row < 0 || row >= tileSet.categoryCount || tile < 0 || tile >= kMaxTiles ||
        tileSet.categories[row].type != static_cast<int>(CategoryType::Boolean))
        return;
    // Moving to this cell has closed any open editor: Boolean cells have none.
    menuRow_ = row;
    booleanMenu_->actions().at(tileSet.tileInfo[tile][row] != 0 ? 1 : 0)->setChecked(true);
    booleanMenu_->popup(QCursor::pos());
}

void TileInfoGrid::chooseBoolean(bool value) {
    workspace_.apply(SetBooleanTileInfo(workspace_.tileSet, workspace_.editing, menuRow_, value));
}

} // namespace tessivar::ui
