#include "ui/mapeditor/MapSizeDialog.h"

#include "core/mapeditor/MapSize.h"
#include "ui/common/WindowPlacement.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace tessivar::ui {

MapSizeDialog::MapSizeDialog(Workspace& workspace, UserPrompts& prompts, MapHistory& history,
                             QWidget* parent)
    : QDialog(parent)
    , workspace_(workspace)
    , prompts_(prompts)
    , history_(history) {
    setWindowTitle(tr("Map Size"));
    setModal(true);
    auto* layout = new QFormLayout(this);
    rows_ = new QLineEdit;
    rows_->setObjectName(QStringLiteral("rowField"));
    columns_ = new QLineEdit;
    columns_->setObjectName(QStringLiteral("columnField"));
    layout->addRow(tr("Row"), rows_);
    layout->addRow(tr("Col"), columns_);
    auto* change = new QPushButton(tr("Change"));
    change->setObjectName(QStringLiteral("changeButton"));
    change->setDefault(true);
    layout->addRow(change);
    connect(change, &QPushButton::clicked, this, &MapSizeDialog::PressChange);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool MapSizeDialog::PresetAndRun() {
    rows_->setText(QString::number(workspace_.Map.Height()));
    columns_->setText(QString::number(workspace_.Map.Width()));
    // Centred on the screen, not on the map editor that owns it.
    CentreWindow(*this);
    return exec() == QDialog::Accepted;
}

void MapSizeDialog::PressChange() {
    // A refused size has shown its message; the dialog stays open.
    if (ApplyMapSize(workspace_.Map, prompts_, history_, rows_->text().toStdString(),
                     columns_->text().toStdString()))
        accept();
}

} // namespace tessivar::ui
