#include "ui/export/FormatGrids.h"

#include "core/export/FormatEditing.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <algorithm>

namespace tessivar::ui {

namespace {

// Label cells take at most 31 characters.
class LabelDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setMaxLength(kMaxLabelChars);
        return editor;
    }
};

QTableWidget* MakeGrid(const QStringList& headers, const QList<int>& widths) {
    auto* grid = new QTableWidget(0, static_cast<int>(headers.size()));
    grid->setHorizontalHeaderLabels(headers);
    grid->verticalHeader()->hide();
    int total = 0;
    for (int c = 0; c < headers.size(); ++c) {
        grid->setColumnWidth(c, widths[c]);
        total += widths[c];
    }
    // Every column stays visible beside a vertical scroll bar.
    grid->setMinimumWidth(total + 2 * grid->frameWidth() + 18);
    grid->verticalHeader()->setDefaultSectionSize(18);
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                          QAbstractItemView::EditKeyPressed);
    return grid;
}

QTableWidgetItem* Cell(const QString& text, bool editable) {
    auto* item = new QTableWidgetItem(text);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable)
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    return item;
}

} // namespace

FormatGrids::FormatGrids(Workspace& workspace, ExportFormat& format, Mode mode, QWidget* parent)
    : QObject(parent)
    , workspace_(workspace)
    , format_(format)
    , mode_(mode) {
    // The property column fits the longest property name of the list.
    const QFontMetrics metrics(QApplication::font());
    int propertyWidth = 108;
    for (const QString& name : {tr("Grayscale Tile Data"), tr("Horizontal Flip")})
        propertyWidth = std::max(propertyWidth, metrics.horizontalAdvance(name) + 12);
    properties_ = MakeGrid({QString(), tr("Property"), tr("Bits"), tr("Sctn")},
                           {24, propertyWidth, mode == Mode::Tiles ? 36 : 30, 30});
    properties_->setObjectName(QStringLiteral("propertyGrid"));
    sections_ =
        MakeGrid({QString(), tr("Section Label Name")}, {24, mode == Mode::Tiles ? 177 : 144});
    sections_->setObjectName(QStringLiteral("sectionGrid"));
    sections_->setItemDelegateForColumn(1, new LabelDelegate(sections_));
    connect(properties_, &QTableWidget::cellClicked, this, &FormatGrids::OnPropertyClicked);
    connect(properties_, &QTableWidget::cellChanged, this, &FormatGrids::OnPropertyTyped);
    connect(sections_, &QTableWidget::cellChanged, this, &FormatGrids::OnSectionTyped);
    connect(properties_, &QWidget::customContextMenuRequested, this, &FormatGrids::PropertyMenu);
    connect(sections_, &QWidget::customContextMenuRequested, this, &FormatGrids::SectionMenu);
    Reload();
}

void FormatGrids::Reload() {
    reloading_ = true;
    const TileSet& set = workspace_.CurrentTileSet;
    // The empty row below the last one appends, while the list has room.
    const int propertyRows = format_.PropertyCount + (format_.PropertyCount < kMaxExportProperties);
    properties_->setRowCount(propertyRows);
    for (int r = 1; r <= propertyRows; ++r) {
        const bool used = r <= format_.PropertyCount;
        QString kind;
        QString width;
        QString section;
        bool widthEditable = used;
        if (used) {
            const ExportProperty& p = format_.Properties[static_cast<std::size_t>(r - 1)];
            kind = QString::fromStdString(PropertyCaption(p, set));
            width = QString::number(p.Width);
            section = QString::number(p.Section);
            widthEditable = !(mode_ == Mode::Tiles && p.IsTileData());
        }
        properties_->setItem(r - 1, 0, Cell(QString::number(r), false));
        properties_->setItem(r - 1, 1, Cell(kind, false));
        properties_->setItem(r - 1, 2, Cell(width, widthEditable));
        properties_->setItem(r - 1, 3, Cell(section, used));
    }
    const int sectionRows = format_.SectionCount + (format_.SectionCount < kMaxExportSections);
    sections_->setRowCount(sectionRows);
    for (int r = 1; r <= sectionRows; ++r) {
        sections_->setItem(r - 1, 0, Cell(QString::number(r), false));
        sections_->setItem(
            r - 1, 1,
            Cell(r <= format_.SectionCount ? QString::fromStdString(format_.Label(r)) : QString(),
                 true));
    }
    reloading_ = false;
}

void FormatGrids::Changed(bool didChange) {
    if (!didChange)
        return;
    Reload();
    Q_EMIT Edited();
}

QMenu* FormatGrids::BuildKindMenu(int row) {
    auto* menu = new QMenu(properties_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const BlockSize block = workspace_.CurrentTileSet.Block;
    auto add = [&](const QString& caption, PropertyKind kind, int category, int type) {
        connect(menu->addAction(caption), &QAction::triggered, this, [=, this] {
            Changed(ChoosePropertyKind(format_, row, kind, category, type, block));
        });
    };
    if (mode_ == Mode::Tiles) {
        add(tr("B&&W &Tile Data"), PropertyKind::BwTileData, 0, 0);
        add(tr("&Grayscale Tile Data"), PropertyKind::GrayTileData, 0, 0);
    } else {
        add(tr("&Tile #"), PropertyKind::TileNumber, 0, 0);
        add(tr("Horizontal &Flip"), PropertyKind::HorizontalFlip, 0, 0);
        add(tr("&Vertical Flip"), PropertyKind::VerticalFlip, 0, 0);
    }
    add(tr("&0 Filler"), PropertyKind::ZeroFiller, 0, 0);
    add(tr("&1 Filler"), PropertyKind::OneFiller, 0, 0);
    menu->addSeparator();
    const TileSet& set = workspace_.CurrentTileSet;
    for (int c = 0; c < set.CategoryCount; ++c)
        add(QString::fromStdString(set.Categories[static_cast<std::size_t>(c)].NameText()),
            PropertyKind::Category, c,
            static_cast<int>(set.Categories[static_cast<std::size_t>(c)].Type));
    return menu;
}

void FormatGrids::OnPropertyClicked(int gridRow, int column) {
    if (column != 1 || gridRow + 1 > format_.PropertyCount + 1)
        return;
    BuildKindMenu(gridRow + 1)->popup(QCursor::pos());
}

void FormatGrids::OnPropertyTyped(int gridRow, int column) {
    if (reloading_)
        return;
    const std::string text = properties_->item(gridRow, column)->text().toStdString();
    if (column == 2)
        Changed(TypePropertyWidth(format_, gridRow + 1, text));
    else if (column == 3)
        Changed(TypePropertySection(format_, gridRow + 1, text));
}

void FormatGrids::OnSectionTyped(int gridRow, int column) {
    if (reloading_ || column != 1)
        return;
    const bool appends = gridRow + 1 > format_.SectionCount;
    const bool didChange = TypeSectionLabel(format_, gridRow + 1,
                                            sections_->item(gridRow, column)->text().toStdString());
    Reload();
    // Typing over an existing label keeps the preset; appending a section does not.
    if (didChange && appends)
        Q_EMIT Edited();
}

void FormatGrids::PropertyMenu(const QPoint& at) {
    const QModelIndex index = properties_->indexAt(at);
    if (index.isValid() && index.column() > 0)
        properties_->setCurrentCell(index.row(), index.column());
    const int r = properties_->currentRow() + 1;
    QMenu menu;
    const ExportProperty inserted =
        mode_ == Mode::Tiles ? ExportProperty{PropertyKind::BwTileData, 0,
                                              TileDataWidth(workspace_.CurrentTileSet.Block), 1}
                             : ExportProperty{PropertyKind::TileNumber, 0, 8, 1};
    connect(menu.addAction(tr("&Insert Property")), &QAction::triggered, this,
            [&] { Changed(InsertPropertyRow(format_, r, inserted)); });
    connect(menu.addAction(tr("&Delete Property")), &QAction::triggered, this,
            [&] { Changed(format_.DeleteProperty(r)); });
    menu.addSeparator();
    connect(menu.addAction(tr("Move &Up")), &QAction::triggered, this,
            [&] { Changed(format_.SwapProperties(r - 1, r)); });
    connect(menu.addAction(tr("Move &Down")), &QAction::triggered, this,
            [&] { Changed(format_.SwapProperties(r, r + 1)); });
    menu.exec(properties_->viewport()->mapToGlobal(at));
}

void FormatGrids::SectionMenu(const QPoint& at) {
    const QModelIndex index = sections_->indexAt(at);
    if (index.isValid() && index.column() > 0)
        sections_->setCurrentCell(index.row(), index.column());
    const int r = sections_->currentRow() + 1;
    QMenu menu;
    connect(menu.addAction(tr("&Insert Section")), &QAction::triggered, this,
            [&] { Changed(r <= format_.SectionCount && format_.InsertSection(r)); });
    connect(menu.addAction(tr("&Delete Section")), &QAction::triggered, this,
            [&] { Changed(format_.DeleteSection(r)); });
    menu.addSeparator();
    connect(menu.addAction(tr("Move &Up")), &QAction::triggered, this,
            [&] { Changed(format_.SwapSections(r - 1, r)); });
    connect(menu.addAction(tr("Move &Down")), &QAction::triggered, this,
            [&] { Changed(format_.SwapSections(r, r + 1)); });
    menu.exec(sections_->viewport()->mapToGlobal(at));
}

} // namespace tessivar::ui
