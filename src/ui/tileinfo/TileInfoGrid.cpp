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
            const int tile = workspace_.Editing.CurrentTile;
            return QString::fromStdString(
                TileInfoEditorText(workspace_.CurrentTileSet.TileInfo[tile][index.row()]));
        },
        [this](const QModelIndex& index, const QString& text) {
            workspace_.Apply(EditTileInfoValue(workspace_.CurrentTileSet, workspace_.Editing,
                                               index.row(), text.toStdString()));
        },
        this));

    booleanMenu_ = new QMenu(this);
    booleanMenu_->setObjectName(QStringLiteral("booleanMenu"));
    auto* choices = new QActionGroup(booleanMenu_);
    for (bool value : {false, true}) {
        QAction* action = booleanMenu_->addAction(value ? tr("&true") : tr("&false"));
        action->setCheckable(true);
        action->setActionGroup(choices);
        connect(action, &QAction::triggered, this, [this, value] { ChooseBoolean(value); });
    }
    connect(this, &QTableWidget::cellClicked, this, &TileInfoGrid::OnCellClicked);
    Refresh();
}

void TileInfoGrid::Refresh() {
    const TileSet& tileSet = workspace_.CurrentTileSet;
    const int tile = workspace_.Editing.CurrentTile;
    setRowCount(tileSet.CategoryCount);
    nameColumnWidth_ = kNameColumnWidth;
    for (int row = 0; row < tileSet.CategoryCount; ++row) {
        const CategoryType type = tileSet.Categories[row].Type;
        QTableWidgetItem* name = EnsureItem(this, row, 0);
        name->setText(QString::fromStdString(tileSet.Categories[row].NameText()));
        name->setFlags(Qt::ItemIsEnabled);
        name->setBackground(kSilver);
        nameColumnWidth_ = std::max(nameColumnWidth_,
                                    fontMetrics().horizontalAdvance(name->text()) + kNamePadding);
        QTableWidgetItem* value = EnsureItem(this, row, 1);
        value->setText(QString::fromStdString(FormatTileInfoValue(
            type, tile >= 0 && tile < kMaxTiles ? tileSet.TileInfo[tile][row] : 0)));
        const bool typed = IsKnownCategoryType(type) && type != CategoryType::Boolean;
        value->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                        (typed ? Qt::ItemIsEditable : Qt::NoItemFlags));
    }
    FitColumns();
}

void TileInfoGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    FitColumns();
}

// The name column fits the longest name (as long as a value keeps some room); the value
// column takes the rest of the visible width.
void TileInfoGrid::FitColumns() {
    const int visible = viewport()->width();
    const int names = std::min(nameColumnWidth_, std::max(visible - kLeastValueWidth, 0));
    setColumnWidth(0, names);
    setColumnWidth(1, std::max(visible - names, 0));
}

void TileInfoGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    QTableWidget::scrollTo(index, hint);
    horizontalScrollBar()->setValue(0);
}

void TileInfoGrid::OnCellClicked(int row, int column) {
    const TileSet& tileSet = workspace_.CurrentTileSet;
    const int tile = workspace_.Editing.CurrentTile;
    if (column != 1 || row < 0 || row >= tileSet.CategoryCount || tile < 0 || tile >= kMaxTiles ||
        tileSet.Categories[row].Type != CategoryType::Boolean)
        return;
    // Moving to this cell has closed any open editor: Boolean cells have none.
    menuRow_ = row;
    booleanMenu_->actions().at(tileSet.TileInfo[tile][row] != 0 ? 1 : 0)->setChecked(true);
    booleanMenu_->popup(QCursor::pos());
}

void TileInfoGrid::ChooseBoolean(bool value) {
    workspace_.Apply(
        SetBooleanTileInfo(workspace_.CurrentTileSet, workspace_.Editing, menuRow_, value));
}

} // namespace tessivar::ui
