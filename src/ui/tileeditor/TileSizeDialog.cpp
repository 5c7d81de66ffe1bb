#include "ui/tileeditor/TileSizeDialog.h"

#include "ui/common/WindowPlacement.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessivar::ui {

TileSizeDialog::TileSizeDialog(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("tileSizeDialog"));
    setWindowTitle(tr("Tile Size"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    width_ = new QLineEdit;
    width_->setObjectName(QStringLiteral("widthField"));
    height_ = new QLineEdit;
    height_->setObjectName(QStringLiteral("heightField"));
    fields->addRow(tr("Width:"), width_);
    fields->addRow(tr("Height:"), height_);
    layout->addLayout(fields);
    auto* Change = new QPushButton(tr("Change"));
    Change->setObjectName(QStringLiteral("changeButton"));
    Change->setDefault(true);
    layout->addWidget(Change, 0, Qt::AlignHCenter);
    connect(Change, &QPushButton::clicked, this, &TileSizeDialog::Change);
    setFixedSize(sizeHint());
}

bool TileSizeDialog::Ask(const Applier& apply) {
    apply_ = apply;
    CentreWindow(*this);
    const bool accepted = exec() == QDialog::Accepted;
    apply_ = nullptr;
    return accepted;
}

void TileSizeDialog::Change() {
    if (apply_ && apply_(width_->text().toStdString(), height_->text().toStdString()))
        accept();
}

} // namespace tessivar::ui
