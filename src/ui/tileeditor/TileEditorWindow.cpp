#include "tileeditor/TileEditorWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace tessivar::ui {

TileEditorWindow::TileEditorWindow(Workspace& workspace, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent)
    , workspace_(workspace)
    , prompts_(prompts) {
    setWindowTitle(QString::fromStdString(workspace_.tileEditorTitle()));
    buildMenus();
    buildPanes();
    workspace_.addListener([this](unsigned changes) { onWorkspaceChanged(changes); });
    onWorkspaceChanged(EverythingChanged);
}

QAction* TileEditorWindow::addAction(QMenu* menu, const char* objectName, const QString& caption,
                                     const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setShortcut(shortcut);
    return action;
}

QAction* TileEditorWindow::action(const char* objectName) const {
    return findChild<QAction*>(QString::fromLatin1(objectName));
}

void TileEditorWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    connect(addAction(file, "actionNew", tr("&New")), &QAction::triggered, this,
            [this] { workspace_.NewTileSet(); });
    connect(addAction(file, "actionOpen", tr("&Open")), &QAction::triggered, this,
            [this] { workspace_.OpenTileSet(); });
    connect(addAction(file, "actionSave", tr("&Save")), &QAction::triggered, this,
            [this] { workspace_.SaveTileSet(); });
    connect(addAction(file, "actionSaveAs", tr("Save &as...")), &QAction::triggered, this,
            [this] { workspace_.SaveTileSetAs(); });
    QMenu* import = file->addMenu(tr("Import ..."));
    addAction(import, "actionImportBitmap", tr("Bitmap"), QKeySequence(tr("Ctrl+B")));
    addAction(import, "actionImportClipboard", tr("Clipboard"), QKeySequence(tr("Ctrl+D")));
    addAction(import, "actionImportTileBinaries", tr("Tile binaries"));
    QMenu* exportMenu = file->addMenu(tr("&Export ..."));
    addAction(exportMenu, "actionExportZ80", tr("Z80 source"), QKeySequence(tr("Ctrl+G")));
    addAction(exportMenu, "actionExport68k", tr("68k source"), QKeySequence(tr("Ctrl+R")));
    addAction(exportMenu, "actionExportTileBinary", tr("Tile binary"));
    file->addSeparator();
    connect(addAction(file, "actionExit", tr("E&xit")), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("Edit"));
    QAction* undo = addAction(edit, "actionUndo", tr("&Undo"), QKeySequence(tr("Ctrl+Z")));
    QAction* redo = addAction(edit, "actionRedo", tr("&Redo"), QKeySequence(tr("Ctrl+Shift+Z")));
    connect(undo, &QAction::triggered, this, [this] { workspace_.Undo(); });
    connect(redo, &QAction::triggered, this, [this] { workspace_.Redo(); });
    edit->addSeparator();
    addAction(edit, "actionClearTile", tr("Clear tile"), QKeySequence(tr("Ctrl+X")));
    addAction(edit, "actionCopyTiles", tr("Copy tile(s)"), QKeySequence(tr("Ctrl+C")));
    addAction(edit, "actionPasteTiles", tr("Paste tile(s)"), QKeySequence(tr("Ctrl+V")));
    addAction(edit, "actionInsertTile", tr("Insert tile"), QKeySequence(tr("Ctrl+A")));
    addAction(edit, "actionDeleteTiles", tr("Delete tile(s)"));
    addAction(edit, "actionOptions", tr("Options ..."));
    edit->addSeparator();
    addAction(edit, "actionCustomInformation", tr("&Custom information..."));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    for (auto [name, caption] :
         {std::pair{"actionTileList", "Tile List"}, std::pair{"actionMapView", "Map View"}}) {
        QAction* toggle = addAction(view, name, tr(caption));
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    view->addSeparator();
    addAction(view, "actionZoomIn", tr("Zoom &In"), QKeySequence(tr("Ctrl+I")));
    addAction(view, "actionZoomOut", tr("Zoom &Out"), QKeySequence(tr("Ctrl+O")));
    addAction(view, "actionDefaultZoom", tr("&Default Zoom"));
    view->addSeparator();
    for (int zoom : {2, 4, 8, 16, 32}) {
        const QByteArray name = "actionZoom" + QByteArray::number(zoom);
        addAction(view, name.constData(), tr("%1x view").arg(zoom));
    }

    QMenu* tiles = menuBar()->addMenu(tr("Tiles"));
    addAction(tiles, "actionBlock8x8", tr("8x8"));
    addAction(tiles, "actionBlock8x16", tr("8x16"));
    addAction(tiles, "actionBlock16x16", tr("16x16"));
    addAction(tiles, "actionBlock32x32", tr("32x32"));
    addAction(tiles, "actionBlockCustom", tr("Custom ..."));
    addAction(tiles, "actionGridColor", tr("Grid color"));
    tiles->addSeparator();
    addAction(tiles, "actionOptimize", tr("Optimize..."), QKeySequence(tr("Ctrl+P")));

    QMenu* mapEditor = menuBar()->addMenu(tr("Map Editor"));
    connect(addAction(mapEditor, "actionOpenMapEditor", tr("Open"), QKeySequence(tr("Ctrl+M"))),
            &QAction::triggered, this, [this] { showWindow(mapEditorWindow_); });

    QMenu* help = menuBar()->addMenu(tr("Help"));
    connect(addAction(help, "actionAbout", tr("About")), &QAction::triggered, this,
            [this] { showWindow(aboutWindow_); });

    // Commands whose tools are not in the editor yet stay visible but disabled.
    for (const char* name : {"actionImportBitmap",
                             "actionImportClipboard",
                             "actionImportTileBinaries",
                             "actionExportZ80",
                             "actionExport68k",
                             "actionExportTileBinary",
                             "actionCustomInformation",
                             "actionOptimize",
                             "actionClearTile",
                             "actionCopyTiles",
                             "actionPasteTiles",
                             "actionInsertTile",
                             "actionDeleteTiles",
                             "actionOptions",
                             "actionZoomIn",
                             "actionZoomOut",
                             "actionDefaultZoom",
                             "actionZoom2",
                             "actionZoom4",
                             "actionZoom8",
                             "actionZoom16",
                             "actionZoom32",
                             "actionBlock8x8",
                             "actionBlock8x16",
                             "actionBlock16x16",
                             "actionBlock32x32",
                             "actionBlockCustom",
                             "actionGridColor"})
        action(name)->setEnabled(false);
}

void TileEditorWindow::buildPanes() {
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    tileListArea_ = new QScrollArea;
    tileListArea_->setObjectName(QStringLiteral("tileListArea"));
    tileListArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    leftLayout->addWidget(tileListArea_);
    canvasArea_ = new QScrollArea;
    canvasArea_->setObjectName(QStringLiteral("canvasArea"));
    leftLayout->addWidget(canvasArea_, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(new QLabel(tr("# Tiles:")));
    blockCount_ = new QLabel;
    blockCount_->setObjectName(QStringLiteral("blockCount"));
    bottom->addWidget(blockCount_);
    auto* change = new QPushButton(tr("Change"));
    change->setObjectName(QStringLiteral("changeTileCount"));
    change->setEnabled(false);
    bottom->addWidget(change);
    leftLayout->addLayout(bottom);

    mapViewArea_ = new QScrollArea;
    mapViewArea_->setObjectName(QStringLiteral("mapViewArea"));
    splitter_ = new QSplitter(Qt::Horizontal);
    splitter_->addWidget(left);
    splitter_->addWidget(mapViewArea_);
    splitter_->setStretchFactor(0, 1);
    setCentralWidget(splitter_);

    toolStatus_ = new QLabel(tr("Pen"));
    toolStatus_->setMinimumWidth(75);
    pixelStatus_ = new QLabel;
    pixelStatus_->setMinimumWidth(75);
    statusBar()->addWidget(toolStatus_);
    statusBar()->addWidget(pixelStatus_, 1);
    resize(800, 600);
}

QString TileEditorWindow::blockCountText() const {
    return blockCount_->text();
}

void TileEditorWindow::onWorkspaceChanged(unsigned changes) {
    if (changes & TileSetTitleChanged)
        setWindowTitle(QString::fromStdString(workspace_.tileEditorTitle()));
    if (changes & TileSetReshaped)
        blockCount_->setText(QString::number(workspace_.tileSet.blockCount()));
    if (changes & HistoryChanged) {
        action("actionUndo")->setEnabled(workspace_.history.canUndo());
        action("actionRedo")->setEnabled(workspace_.history.canRedo());
    }
}

void TileEditorWindow::showWindow(QWidget* window) {
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void TileEditorWindow::closeEvent(QCloseEvent* event) {
    if (!workspace_.QueryCloseProgram()) {
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT closed();
}

} // namespace tessivar::ui
