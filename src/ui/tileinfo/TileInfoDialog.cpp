#include "ui/tileinfo/TileInfoDialog.h"

#include "core/tileinfo/TileInfoCommands.h"
#include "core/tileinfo/TileInfoTypes.h"
#include "ui/tileinfo/InfoGridSetup.h"
#include "ui/tileinfo/LiveEditDelegate.h"

#include <QActionGroup>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tessivar::ui {

namespace {

constexpr int kColumnWidth = 96;
constexpr int kNameLength = kCategoryNameBytes - 1;

} // namespace

TileInfoDialog::TileInfoDialog(Workspace& workspace, QWidget* parent)
    : QDialog(parent)
    , workspace_(workspace) {
    setWindowTitle(tr("Tile Information"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Custom tile information categories:")));

    grid_ = new QTableWidget(0, 2);
    grid_->setObjectName(QStringLiteral("categoryGrid"));
    SetUpInfoGrid(grid_);
    grid_->setColumnWidth(0, kColumnWidth);
    grid_->setColumnWidth(1, kColumnWidth);
    grid_->setFixedWidth(2 * kColumnWidth + grid_->verticalScrollBar()->sizeHint().width() +
                         2 * grid_->frameWidth());
    auto* names = new LiveEditDelegate(
        [this](const QModelIndex& index) {
            return QString::fromStdString(
                CategoryNameEditorText(workspace_.CurrentTileSet, index.row()));
        },
        [this](const QModelIndex& index, const QString& text) {
            if (index.column() == 0)
                ApplyEdit(
                    EditCategoryName(workspace_.CurrentTileSet, index.row(), text.toStdString()));
        },
        this);
    names->SetMaxLength(0, kNameLength);
    grid_->setItemDelegate(names);
    connect(grid_, &QTableWidget::cellClicked, this, &TileInfoDialog::OnCellClicked);
    layout->addWidget(grid_);

    auto* ok = new QPushButton(tr("OK"));
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    BuildTypeMenu();
}

void TileInfoDialog::BuildTypeMenu() {
    typeMenu_ = new QMenu(this);
    typeMenu_->setObjectName(QStringLiteral("typeMenu"));
    auto* types = new QActionGroup(typeMenu_);
    // A code read from a file may match no entry: then none carries the check mark.
    types->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const char* captions[] = {"B&oolean", "&Byte", "&Word", "&Time"};
    for (int type = 0; type < 4; ++type) {
        QAction* action = typeMenu_->addAction(tr(captions[type]));
        action->setCheckable(true);
        action->setActionGroup(types);
        connect(action, &QAction::triggered, this, [this, type] {
            ApplyEdit(SetCategoryType(workspace_.CurrentTileSet, menuRow_,
                                      static_cast<CategoryType>(type)));
        });
    }
    // Offered for completeness; no type code belongs to it.
    typeMenu_->addAction(tr("&Custom List..."));
}

void TileInfoDialog::ApplyEdit(const DocumentChange& change) {
    workspace_.Apply(change);
    if (!change.empty())
        Refresh();
}

void TileInfoDialog::Refresh() {
    const TileSet& tileSet = workspace_.CurrentTileSet;
    const int rows = CategoryDialogRows(tileSet);
    grid_->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const bool category = row < tileSet.CategoryCount;
        const bool nameEditable = row >= kBuiltInCategories;
        for (int column = 0; column < 2; ++column) {
            QTableWidgetItem* item = EnsureItem(grid_, row, column);
            QString text;
            if (category)
                text = QString::fromStdString(column == 0
                                                  ? tileSet.Categories[row].NameText()
                                                  : CategoryTypeName(tileSet.Categories[row].Type));
            item->setText(text);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                           (column == 0 && nameEditable ? Qt::ItemIsEditable : Qt::NoItemFlags));
        }
    }
}

void TileInfoDialog::OnCellClicked(int row, int column) {
    const TileSet& tileSet = workspace_.CurrentTileSet;
    if (column != 1 || !IsUserCategory(tileSet, row))
        return;
    menuRow_ = row;
    const int type = static_cast<int>(tileSet.Categories[row].Type);
    for (int code = 0; code < 4; ++code)
        typeMenu_->actions().at(code)->setChecked(code == type);
    typeMenu_->popup(QCursor::pos());
}

void TileInfoDialog::showEvent(QShowEvent* event) {
    Refresh();
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace tessivar::ui
