#include "ui/tileinfo/LiveEditDelegate.h"

#include <QLineEdit>
#include <QPersistentModelIndex>

#include <utility>

namespace tessivar::ui {

LiveEditDelegate::LiveEditDelegate(OpeningText openingText, TextChanged textChanged,
                                   QObject* parent)
    : QStyledItemDelegate(parent)
    , openingText_(std::move(openingText))
    , textChanged_(std::move(textChanged)) {}

void LiveEditDelegate::SetMaxLength(int column, int length) {
    limitedColumn_ = column;
    maxLength_ = length;
}

QWidget* LiveEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("cellEditor"));
    editor->setFrame(false);
    if (index.column() == limitedColumn_ && maxLength_ > 0)
        editor->setMaxLength(maxLength_);
    editor->setText(openingText_(index));
    const QPersistentModelIndex cell(index);
    connect(editor, &QLineEdit::textEdited, this, [this, cell](const QString& text) {
        if (cell.isValid())
            textChanged_(cell, text);
    });
    return editor;
}

} // namespace tessivar::ui
