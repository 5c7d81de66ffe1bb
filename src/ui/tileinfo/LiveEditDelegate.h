#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace tessivar::ui {

// The in-place editor of both information grids: it opens with a text of the caller's
// choosing and reports every change of its text at once, so the value is stored while
// the user types. Closing it writes nothing back; the grid redraws from the tile set.
class LiveEditDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using OpeningText = std::function<QString(const QModelIndex&)>;
    using TextChanged = std::function<void(const QModelIndex&, const QString&)>;

    LiveEditDelegate(OpeningText openingText, TextChanged textChanged, QObject* parent);

    // Longest text the editor of `column` accepts; 0 for no limit.
    void SetMaxLength(int column, int length);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // The editor keeps what was typed even while the grid redraws underneath it.
    void setEditorData(QWidget*, const QModelIndex&) const override {}
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

private:
    OpeningText openingText_;
    TextChanged textChanged_;
    int limitedColumn_ = -1;
    int maxLength_ = 0;
};

} // namespace tessivar::ui
