#include "ui/mapeditor/MapEditorWindow.h"

#include "ui/app/NamedActions.h"

#include "core/mapeditor/MapSize.h"
#include "core/tileeditor/TileList.h"
#include "core/workspace/WindowTitles.h"
#include "ui/common/MapViewWidget.h"
#include "ui/mapeditor/MapSizeDialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tessivar::ui {

MapEditorWindow::MapEditorWindow(Workspace& workspace, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent)
    , workspace_(workspace) {
    buildMenus();
    buildPanes();
    sizeDialog_ = new MapSizeDialog(workspace_, prompts, this);
    workspace_.addListener([this](unsigned changes) { onWorkspaceChanged(changes); });
    onWorkspaceChanged(EverythingChanged);
}

QAction* MapEditorWindow::action(const char* objectName) const {
    return FindNamedAction(this, objectName);
}

void MapEditorWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    connect(AddNamedAction(file, "actionNewMap", tr("&New"), QKeySequence(tr("Ctrl+N"))),
            &QAction::triggered, this, [this] { workspace_.NewMap(); });
    connect(AddNamedAction(file, "actionOpenMap", tr("&Open"), QKeySequence(tr("Ctrl+O"))),
            &QAction::triggered, this, [this] { workspace_.OpenMap(); });
    connect(AddNamedAction(file, "actionSaveMap", tr("&Save"), QKeySequence(tr("Ctrl+S"))),
            &QAction::triggered, this, [this] { workspace_.SaveMap(); });
    connect(AddNamedAction(file, "actionSaveMapAs", tr("Save &as..."), QKeySequence(tr("Ctrl+A"))),
            &QAction::triggered, this, [this] { workspace_.SaveMapAs(); });
    connect(
        AddNamedAction(file, "actionLoadTileSet", tr("Load tile set"), QKeySequence(tr("Ctrl+L"))),
        &QAction::triggered, this, [this] { workspace_.OpenTileSet(); });
    QMenu* import = file->addMenu(tr("&Import"));
    AddNamedAction(import, "actionMapImportBitmap", tr("&Bitmap"))->setEnabled(false);
    AddNamedAction(import, "actionMapImportClipboard", tr("&Clipboard"))->setEnabled(false);
    AddNamedAction(import, "actionMapImportBinary", tr("&Binary"))->setEnabled(false);
    QMenu* exportMenu = file->addMenu(tr("&Export"));
    AddNamedAction(exportMenu, "actionMapExportZ80", tr("Z80 Source"), QKeySequence(tr("Ctrl+E")))
        ->setEnabled(false);
    AddNamedAction(exportMenu, "actionMapExport68k", tr("68k Source"), QKeySequence(tr("Ctrl+R")))
        ->setEnabled(false);
    AddNamedAction(exportMenu, "actionMapExportBitmap", tr("&Bitmap"))->setEnabled(false);
    AddNamedAction(file, "actionMapGridColor", tr("Grid Color"))->setEnabled(false);
    connect(AddNamedAction(file, "actionExitMap", tr("E&xit"), QKeySequence(tr("Ctrl+Q"))),
            &QAction::triggered, this, &QWidget::close);

    QMenu* tileEditor = menuBar()->addMenu(tr("Tile Editor"));
    connect(AddNamedAction(tileEditor, "actionEditTile", tr("Edit tile..."),
                           QKeySequence(tr("Ctrl+T"))),
            &QAction::triggered, this, &MapEditorWindow::editTile);
}

void MapEditorWindow::buildPanes() {
    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    mapArea_ = new QScrollArea;
    mapArea_->setObjectName(QStringLiteral("mapArea"));
    // Until the map drawing tools arrive, the map is shown as the tile editor previews it.
    mapView_ = new MapViewWidget(workspace_);
    mapArea_->setWidget(mapView_);
    layout->addWidget(mapArea_, 1);

    auto* panel = new QVBoxLayout;
    panel->addWidget(new QLabel(tr("Map Size")));
    sizeLabel_ = new QLabel;
    sizeLabel_->setObjectName(QStringLiteral("sizeLabel"));
    panel->addWidget(sizeLabel_);
    auto* change = new QPushButton(tr("Change"));
    change->setObjectName(QStringLiteral("changeMapSize"));
    connect(change, &QPushButton::clicked, this, &MapEditorWindow::changeMapSize);
    panel->addWidget(change);
    panel->addStretch(1);
    layout->addLayout(panel);
    setCentralWidget(central);
    resize(700, 600);
}

QString MapEditorWindow::sizeLabelText() const {
    return sizeLabel_->text();
}

void MapEditorWindow::changeMapSize() {
    BeginMapSizeChange(workspace_);
    sizeDialog_->presetAndRun();
}

void MapEditorWindow::editTile() {
    EditBlockFromMap(workspace_, LeftBlock);
    if (tileEditorWindow_) {
        tileEditorWindow_->show();
        tileEditorWindow_->raise();
        tileEditorWindow_->activateWindow();
    }
}

void MapEditorWindow::onWorkspaceChanged(unsigned changes) {
    if (changes & MapTitleChanged)
        setWindowTitle(QString::fromStdString(MapEditorTitle(workspace_.map)));
    if (changes & MapResized)
        sizeLabel_->setText(QString::fromStdString(workspace_.map.sizeLabel()));
    if (changes & (MapChanged | MapResized | TilesChanged | TileSetReshaped | EditingChanged))
        mapView_->refresh();
}

void MapEditorWindow::closeEvent(QCloseEvent* event) {
    // Closing only hides the window; the map stays.
    if (workspace_.QuerySaveMap())
        event->accept();
    else
        event->ignore();
}

} // namespace tessivar::ui
