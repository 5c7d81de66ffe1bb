#include "ui/tileeditor/TileEditorOptionsDialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessivar::ui {

TileEditorOptionsDialog::TileEditorOptionsDialog(EditorOptions& options, OptionsStore& store,
                                                 QWidget* parent)
    : QDialog(parent)
    , options_(options)
    , store_(store) {
    setObjectName(QStringLiteral("tileEditorOptionsDialog"));
    setWindowTitle(tr("Tile Editor Options"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    overwrite_ = new QCheckBox(tr("Overwrite tiles on paste or import"));
    overwrite_->setObjectName(QStringLiteral("overwriteBox"));
    layout->addWidget(overwrite_);
    auto* ok = new QPushButton(tr("OK"));
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint());

    connect(overwrite_, &QCheckBox::toggled, this,
            [this](bool checked) { options_.OverwriteTiles = checked; });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    // A store that cannot be written is ignored: the option still holds for this run.
    connect(this, &QDialog::finished, this,
            [this] { static_cast<void>(options_.SaveOptions(store_)); });
    SyncFromOptions();
}

void TileEditorOptionsDialog::SyncFromOptions() {
    overwrite_->setChecked(options_.OverwriteTiles);
}

} // namespace tessivar::ui
