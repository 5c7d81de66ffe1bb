#include "ui/tileeditor/TileCountDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessivar::ui {

TileCountDialog::TileCountDialog(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("tileCountDialog"));
    setWindowTitle(tr("Number of Tiles"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Enter new tile count:")));
    count_ = new QLineEdit;
    count_->setObjectName(QStringLiteral("countField"));
    layout->addWidget(count_);
    auto* buttons = new QDialogButtonBox;
    QPushButton* change = buttons->addButton(tr("Change"), QDialogButtonBox::AcceptRole);
    change->setObjectName(QStringLiteral("changeButton"));
    change->setDefault(true);
    QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

std::optional<std::string> TileCountDialog::Ask(const std::string& preset) {
    count_->setText(QString::fromStdString(preset));
    count_->selectAll();
    count_->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return count_->text().toStdString();
}

} // namespace tessivar::ui
