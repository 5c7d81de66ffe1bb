#include "ui/tileeditor/TileEditorWindow.h"

#include "ui/common/NamedActions.h"

#include "core/export/TileBinaryCommands.h"
#include "core/imageimport/TileSetOptimizer.h"
#include "core/interchange/TileSheetCommands.h"
#include "core/tileeditor/BlockSizeCommands.h"
#include "core/tileeditor/MapViewPaneWidth.h"
#include "core/tileeditor/TileInsertion.h"
#include "core/tileeditor/TileList.h"
#include "core/workspace/WindowTitles.h"
#include "ui/common/MapViewWidget.h"
#include "ui/common/QtOptionsStore.h"
#include "ui/common/WindowPlacement.h"
#include "ui/tileeditor/ColorIndicator.h"
#include "ui/tileeditor/PaletteBoxWidget.h"
#include "ui/tileeditor/TileCanvasWidget.h"
#include "ui/tileeditor/TileCountDialog.h"
#include "ui/tileeditor/TileEditorOptionsDialog.h"
#include "ui/tileeditor/TileListWidget.h"
#include "ui/tileeditor/TileSizeDialog.h"
#include "ui/tileeditor/TileToolPanel.h"
#include "ui/tileinfo/TileInfoDialog.h"
#include "ui/tileinfo/TileInfoGrid.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

namespace tessivar::ui {

namespace {

constexpr int kStatusPanelWidth = 75;
constexpr int kInitialMapViewWidth = 300;
// The grid fills the room the left pane keeps beside the canvas (153 pixels, less the
// layout spacing and the canvas frame).
constexpr int kInfoGridWidth = 149;

} // namespace

TileEditorWindow::TileEditorWindow(Workspace& workspace, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent)
    , workspace_(workspace)
    , prompts_(prompts)
    , stroke_(workspace.tileSet, workspace.editing, workspace.history)
    , optionsStore_(std::make_unique<QtOptionsStore>()) {
    buildPanes();
    buildDialogs();
    buildMenus();
    workspace_.addListener([this](unsigned changes) { onWorkspaceChanged(changes); });
    onWorkspaceChanged(EverythingChanged);
}

TileEditorWindow::~TileEditorWindow() = default;

QAction* TileEditorWindow::action(const char* objectName) const {
    return FindNamedAction(this, objectName);
}

void TileEditorWindow::buildMenus() {
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    buildTilesMenu();

    QMenu* mapEditor = menuBar()->addMenu(tr("Map Editor"));
    connect(
        AddNamedAction(mapEditor, "actionOpenMapEditor", tr("Open"), QKeySequence(tr("Ctrl+M"))),
        &QAction::triggered, this, [this] { showWindow(mapEditorWindow_); });

    QMenu* help = menuBar()->addMenu(tr("Help"));
    connect(AddNamedAction(help, "actionAbout", tr("About")), &QAction::triggered, this,
            [this] { showWindow(aboutWindow_); });
}

void TileEditorWindow::buildFileMenu() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    connect(AddNamedAction(file, "actionNew", tr("&New")), &QAction::triggered, this,
            [this] { workspace_.NewTileSet(); });
    connect(AddNamedAction(file, "actionOpen", tr("&Open")), &QAction::triggered, this,
            [this] { workspace_.OpenTileSet(); });
    connect(AddNamedAction(file, "actionSave", tr("&Save")), &QAction::triggered, this,
            [this] { workspace_.SaveTileSet(); });
    connect(AddNamedAction(file, "actionSaveAs", tr("Save &as...")), &QAction::triggered, this,
            [this] { workspace_.SaveTileSetAs(); });
    QMenu* import = file->addMenu(tr("Import ..."));
    connect(AddNamedAction(import, "actionImportBitmap", tr("Bitmap"), QKeySequence(tr("Ctrl+B"))),
            &QAction::triggered, this, [this] { Q_EMIT pictureImportRequested(false); });
    connect(AddNamedAction(import, "actionImportClipboard", tr("Clipboard"),
                           QKeySequence(tr("Ctrl+D"))),
            &QAction::triggered, this, [this] { Q_EMIT pictureImportRequested(true); });
    connect(AddNamedAction(import, "actionImportTileBinaries", tr("Tile binaries")),
            &QAction::triggered, this, [this] {
                workspace_.apply(
                    ImportTileBinariesCommand(workspace_.tileSet, workspace_.editing, prompts_));
            });
    connect(AddNamedAction(import, "actionImportTileSheet", tr("Tile sheet (PNG)...")),
            &QAction::triggered, this, [this] {
                workspace_.apply(ImportTileSheetCommand(
                    workspace_.tileSet, workspace_.editing, workspace_.map, prompts_,
                    workspace_.options.OverwriteTiles, OpenTileSheet));
            });
    QMenu* exportMenu = file->addMenu(tr("&Export ..."));
    connect(
        AddNamedAction(exportMenu, "actionExportZ80", tr("Z80 source"), QKeySequence(tr("Ctrl+G"))),
        &QAction::triggered, this, [this] { Q_EMIT sourceExportRequested(SourceDialect::Z80); });
    connect(
        AddNamedAction(exportMenu, "actionExport68k", tr("68k source"), QKeySequence(tr("Ctrl+R"))),
        &QAction::triggered, this, [this] { Q_EMIT sourceExportRequested(SourceDialect::M68k); });
    connect(AddNamedAction(exportMenu, "actionExportTileBinary", tr("Tile binary")),
            &QAction::triggered, this,
            [this] { ExportTileBinaryCommand(workspace_.tileSet, prompts_); });
    connect(AddNamedAction(exportMenu, "actionExportTileSheet", tr("Tile sheet (PNG)...")),
            &QAction::triggered, this,
            [this] { ExportTileSheetCommand(workspace_.tileSet, workspace_.editing, prompts_); });
    file->addSeparator();
    connect(AddNamedAction(file, "actionExit", tr("E&xit")), &QAction::triggered, this,
            &QWidget::close);
}

void TileEditorWindow::buildEditMenu() {
    QMenu* edit = menuBar()->addMenu(tr("Edit"));
    QAction* undo = AddNamedAction(edit, "actionUndo", tr("&Undo"), QKeySequence(tr("Ctrl+Z")));
    QAction* redo =
        AddNamedAction(edit, "actionRedo", tr("&Redo"), QKeySequence(tr("Ctrl+Shift+Z")));
    connect(undo, &QAction::triggered, this, [this] { workspace_.Undo(); });
    connect(redo, &QAction::triggered, this, [this] { workspace_.Redo(); });
    edit->addSeparator();
    connect(AddNamedAction(edit, "actionClearTile", tr("Clear tile"), QKeySequence(tr("Ctrl+X"))),
            &QAction::triggered, this, [this] { transform(BlockTransform::Clear); });
    connect(AddNamedAction(edit, "actionCopyTiles", tr("Copy tile(s)"), QKeySequence(tr("Ctrl+C"))),
            &QAction::triggered, this,
            [this] { clipboard_.CopyTiles(workspace_.tileSet, workspace_.editing); });
    connect(
        AddNamedAction(edit, "actionPasteTiles", tr("Paste tile(s)"), QKeySequence(tr("Ctrl+V"))),
        &QAction::triggered, this, [this] {
            workspace_.apply(clipboard_.PasteTiles(workspace_.tileSet, workspace_.editing,
                                                   workspace_.options.OverwriteTiles));
        });
    connect(AddNamedAction(edit, "actionInsertTile", tr("Insert tile"), QKeySequence(tr("Ctrl+A"))),
            &QAction::triggered, this, [this] {
                workspace_.apply(
                    InsertBlock(workspace_.tileSet, workspace_.editing, workspace_.map.grid));
            });
    connect(AddNamedAction(edit, "actionDeleteTiles", tr("Delete tile(s)")), &QAction::triggered,
            this, [this] {
                workspace_.apply(
                    DeleteTiles(workspace_.tileSet, workspace_.editing, workspace_.map.grid));
            });
    connect(AddNamedAction(edit, "actionOptions", tr("Options ...")), &QAction::triggered, this,
            [this] { showWindow(optionsDialog_); });
    edit->addSeparator();
    connect(AddNamedAction(edit, "actionCustomInformation", tr("&Custom information...")),
            &QAction::triggered, infoDialog_, &QDialog::exec);
}

void TileEditorWindow::buildViewMenu() {
    QMenu* view = menuBar()->addMenu(tr("&View"));
    QAction* tileListToggle = AddNamedAction(view, "actionTileList", tr("Tile List"));
    QAction* mapViewToggle = AddNamedAction(view, "actionMapView", tr("Map View"));
    for (QAction* toggle : {tileListToggle, mapViewToggle}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    connect(tileListToggle, &QAction::toggled, tileListArea_, &QWidget::setVisible);
    connect(mapViewToggle, &QAction::toggled, this, &TileEditorWindow::toggleMapView);
    view->addSeparator();
    connect(AddNamedAction(view, "actionZoomIn", tr("Zoom &In"), QKeySequence(tr("Ctrl+I"))),
            &QAction::triggered, this, [this] {
                ZoomIn(layout_);
                afterZoomCommand();
            });
    connect(AddNamedAction(view, "actionZoomOut", tr("Zoom &Out"), QKeySequence(tr("Ctrl+O"))),
            &QAction::triggered, this, [this] {
                ZoomOut(layout_);
                afterZoomCommand();
            });
    connect(AddNamedAction(view, "actionDefaultZoom", tr("&Default Zoom")), &QAction::triggered,
            this, [this] {
                RestoreDefaultZoom(layout_);
                afterZoomCommand();
            });
    view->addSeparator();
    for (int zoom : {2, 4, 8, 16, 32}) {
        const QByteArray name = "actionZoom" + QByteArray::number(zoom);
        connect(AddNamedAction(view, name.constData(), tr("%1x view").arg(zoom)),
                &QAction::triggered, this, [this, zoom] {
                    SetCanvasZoom(layout_, zoom);
                    afterZoomCommand();
                });
    }
}

void TileEditorWindow::buildTilesMenu() {
    QMenu* tiles = menuBar()->addMenu(tr("Tiles"));
    connect(AddNamedAction(tiles, "actionBlock8x8", tr("8x8")), &QAction::triggered, this,
            [this] { workspace_.apply(SetSingleTileBlockSize(workspace_.tileSet, layout_)); });
    const std::pair<const char*, BlockSize> fixedSizes[] = {{"actionBlock8x16", {8, 16}},
                                                            {"actionBlock16x16", {16, 16}},
                                                            {"actionBlock32x32", {32, 32}}};
    for (const auto& [name, size] : fixedSizes) {
        const QString caption = QStringLiteral("%1x%2").arg(size.width).arg(size.height);
        connect(AddNamedAction(tiles, name, caption), &QAction::triggered, this,
                [this, size = size] {
                    workspace_.apply(
                        SetFixedBlockSize(workspace_.tileSet, workspace_.editing, layout_, size));
                });
    }
    connect(AddNamedAction(tiles, "actionBlockCustom", tr("Custom ...")), &QAction::triggered, this,
            &TileEditorWindow::customBlockSize);
    connect(AddNamedAction(tiles, "actionGridColor", tr("Grid color")), &QAction::triggered, this,
            &TileEditorWindow::chooseGridColor);
    tiles->addSeparator();
    connect(AddNamedAction(tiles, "actionOptimize", tr("Optimize..."), QKeySequence(tr("Ctrl+P"))),
            &QAction::triggered, this, [this] {
                const int before = workspace_.tileSet.tileCount;
                const OptimizeSummary optimized =
                    OptimizeTileSet(workspace_.tileSet, workspace_.map.grid);
                workspace_.apply(optimized.change);
                showStatusNote(OptimizeStatusText(before, optimized.removed));
            });
}

void TileEditorWindow::buildPanes() {
    leftPane_ = new QWidget;
    leftPane_->setObjectName(QStringLiteral("leftPane"));
    // The information grid runs down beside the tile list and the canvas, so it takes
    // the height the window gives it.
    auto* leftLayout = new QGridLayout(leftPane_);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(2);

    tileListArea_ = new QScrollArea;
    tileListArea_->setObjectName(QStringLiteral("tileListArea"));
    tileListArea_->setFrameShape(QFrame::NoFrame);
    tileListArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tileListArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    tileListArea_->setBackgroundRole(QPalette::Dark);
    tileList_ = new TileListWidget(workspace_);
    tileListArea_->setWidget(tileList_);
    infoGrid_ = new TileInfoGrid(workspace_);
    infoGrid_->setFixedWidth(kInfoGridWidth);
    leftLayout->addWidget(tileListArea_, 0, 0);
    leftLayout->addWidget(infoGrid_, 0, 1, 2, 1);

    canvasArea_ = new QScrollArea;
    canvasArea_->setObjectName(QStringLiteral("canvasArea"));
    canvas_ = new TileCanvasWidget(workspace_, stroke_);
    canvasArea_->setWidget(canvas_);
    leftLayout->addWidget(canvasArea_, 1, 0);
    leftLayout->setRowStretch(1, 1);
    leftLayout->setColumnStretch(0, 1);
    leftLayout->addWidget(buildBottomRow(), 2, 0, 1, 2);

    mapViewArea_ = new QScrollArea;
    mapViewArea_->setObjectName(QStringLiteral("mapViewArea"));
    mapView_ = new MapViewWidget(workspace_);
    mapViewArea_->setWidget(mapView_);

    splitter_ = new QSplitter(Qt::Horizontal);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(leftPane_);
    splitter_->addWidget(mapViewArea_);
    // The left pane keeps its width; the map view pane takes what the window gains.
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    connect(splitter_, &QSplitter::splitterMoved, this,
            [this] { leftPaneWidth_ = splitter_->sizes().value(0); });
    setCentralWidget(splitter_);

    toolStatus_ = new QLabel(QString::fromStdString(stroke_.toolStatusText()));
    toolStatus_->setObjectName(QStringLiteral("toolStatus"));
    toolStatus_->setFixedWidth(kStatusPanelWidth);
    pixelStatus_ = new QLabel;
    pixelStatus_->setObjectName(QStringLiteral("pixelStatus"));
    pixelStatus_->setMinimumWidth(kStatusPanelWidth);
    statusBar()->addWidget(toolStatus_);
    statusBar()->addWidget(pixelStatus_, 1);
    connect(canvas_, &TileCanvasWidget::pixelStatusChanged, pixelStatus_, &QLabel::setText);

    resize(leftPaneWidth_ + kInitialMapViewWidth, 480);
    splitter_->setSizes({leftPaneWidth_, kInitialMapViewWidth});
}

QWidget* TileEditorWindow::buildBottomRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 2, 2, 2);

    toolPanel_ = new TileToolPanel(stroke_);
    connect(toolPanel_, &TileToolPanel::toolStatusChanged, this, [this](const QString& text) {
        toolStatus_->setText(text);
        statusBar()->update();
    });
    connect(toolPanel_, &TileToolPanel::transformRequested, this,
            [this](BlockTransform block) { transform(block); });
    layout->addWidget(toolPanel_, 0, Qt::AlignTop);
    layout->addStretch(1);

    auto* right = new QVBoxLayout;
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(tr("# Tiles:")));
    blockCount_ = new QLabel;
    blockCount_->setObjectName(QStringLiteral("blockCount"));
    blockCount_->setMinimumWidth(24);
    countRow->addWidget(blockCount_);
    auto* change = new QPushButton(tr("Change"));
    change->setObjectName(QStringLiteral("changeTileCount"));
    connect(change, &QPushButton::clicked, this, &TileEditorWindow::changeTileCount);
    countRow->addWidget(change);
    right->addLayout(countRow);

    auto* colourRow = new QHBoxLayout;
    colourRow->addStretch(1);
    leftIndicator_ = new ColorIndicator(workspace_, ColorIndicator::Side::Left);
    rightIndicator_ = new ColorIndicator(workspace_, ColorIndicator::Side::Right);
    paletteBox_ = new PaletteBoxWidget(workspace_, prompts_);
    colourRow->addWidget(leftIndicator_);
    colourRow->addWidget(rightIndicator_);
    colourRow->addSpacing(6);
    colourRow->addWidget(paletteBox_);
    right->addLayout(colourRow);
    layout->addLayout(right);
    return row;
}

void TileEditorWindow::buildDialogs() {
    tileSizeDialog_ = new TileSizeDialog(this);
    tileCountDialog_ = new TileCountDialog(this);
    optionsDialog_ = new TileEditorOptionsDialog(workspace_.options, *optionsStore_, this);
    infoDialog_ = new TileInfoDialog(workspace_, this);
}

QString TileEditorWindow::blockCountText() const {
    return blockCount_->text();
}

QString TileEditorWindow::toolStatusText() const {
    return toolStatus_->text();
}

QString TileEditorWindow::pixelStatusText() const {
    return pixelStatus_->text();
}

void TileEditorWindow::showStatusNote(const std::string& text) {
    pixelStatus_->setText(QString::fromStdString(text));
}

void TileEditorWindow::onWorkspaceChanged(unsigned changes) {
    if (changes & TileSetTitleChanged)
        setWindowTitle(QString::fromStdString(TileEditorTitle(workspace_.editing)));
    if (changes & (TilesChanged | TileSetReshaped | EditingChanged)) {
        canvas_->update();
        tileList_->update();
        paletteBox_->update();
        leftIndicator_->update();
        rightIndicator_->update();
    }
    // A new current Block (a click, "Edit tile..." in the map editor, a load) is scrolled
    // into the tile list.
    if ((changes & EditingChanged) && workspace_.editing.CurrentTile != shownTile_) {
        shownTile_ = workspace_.editing.CurrentTile;
        const int cell = TileListCellWidth(workspace_.tileSet.block, layout_.ListZoom);
        const int left = shownTile_ / workspace_.tileSet.TilesPerBlock() * cell;
        tileListArea_->ensureVisible(left + cell / 2, 0, cell / 2 + 1, 0);
    }
    if (changes & (TilesChanged | TileSetReshaped | EditingChanged | TileInfoChanged))
        infoGrid_->refresh();
    if (changes & TileSetReshaped) {
        blockCount_->setText(QString::fromStdString(BlockCountText(workspace_.tileSet)));
        runEditorLayout();
    }
    // The pane draws in CurrentPaletteSet, so editing changes concern it too.
    if (changes & (MapChanged | MapResized | TilesChanged | TileSetReshaped | EditingChanged))
        mapView_->refresh();
    if (changes & HistoryChanged) {
        action("actionUndo")->setEnabled(workspace_.history.canUndo());
        action("actionRedo")->setEnabled(workspace_.history.canRedo());
    }
}

void TileEditorWindow::runEditorLayout() {
    const WindowFacts facts{isMaximized(), leftPaneWidth_};
    const LayoutChange change =
        UpdateEditorLayout(layout_, workspace_.tileSet.block, workspace_.tileSet.tileCount, facts);
    canvas_->setZoom(layout_.CanvasZoom);
    tileList_->setListZoom(layout_.ListZoom);
    if (change.tileListWidth)
        tileList_->setFixedWidth(*change.tileListWidth);
    if (change.full)
        applyFullLayout(*change.full);
    if (change.canvas)
        canvas_->setFixedSize(change.canvas->width, change.canvas->height);
}

void TileEditorWindow::applyFullLayout(const FullLayout& full) {
    tileListArea_->setFixedHeight(full.tileListStripHeight);
    tileList_->setFixedHeight(full.tileListHeight);
    canvas_->setFixedSize(full.canvas.width, full.canvas.height);
    leftPaneWidth_ = full.leftPaneWidth;
    const int mapViewWidth = splitter_->width() - leftPaneWidth_ - splitter_->handleWidth();
    if (full.windowWidthDelta || full.windowHeight)
        resize(width() + full.windowWidthDelta.value_or(0), full.windowHeight.value_or(height()));
    if (mapViewArea_->isVisible() || !isVisible())
        splitter_->setSizes({leftPaneWidth_, std::max(mapViewWidth, 0)});
}

void TileEditorWindow::transform(BlockTransform transform) {
    workspace_.apply(ApplyBlockTransform(workspace_.tileSet, workspace_.editing, workspace_.history,
                                         prompts_, transform));
}

void TileEditorWindow::afterZoomCommand() {
    tileList_->update();
    canvas_->update();
    runEditorLayout();
}

void TileEditorWindow::changeTileCount() {
    const auto entered = tileCountDialog_->ask(TileCountFieldPreset(workspace_.tileSet));
    workspace_.apply(ApplyTileCount(workspace_.tileSet, prompts_, entered));
}

void TileEditorWindow::customBlockSize() {
    tileSizeDialog_->ask([this](const std::string& width, const std::string& height) {
        const DocumentChange change = ApplyCustomBlockSize(workspace_.tileSet, workspace_.editing,
                                                           layout_, prompts_, width, height);
        workspace_.apply(change);
        return !change.empty();
    });
}

void TileEditorWindow::chooseGridColor() {
    if (const auto chosen = prompts_.chooseColor(canvas_->gridColor()))
        canvas_->setGridColor(*chosen);
}

void TileEditorWindow::toggleMapView(bool shown) {
    const int clientWidth = splitter_->width();
    if (!shown) {
        rememberedMapViewWidth_ = MapViewWidthOnHide(clientWidth, leftPaneWidth_);
        mapViewArea_->hide();
        return;
    }
    leftPaneWidth_ = LeftPaneWidthOnShow(clientWidth, rememberedMapViewWidth_);
    mapViewArea_->show();
    splitter_->setSizes(
        {leftPaneWidth_, std::max(clientWidth - leftPaneWidth_ - splitter_->handleWidth(), 0)});
}

void TileEditorWindow::showWindow(QWidget* window) {
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void TileEditorWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        KeepWindowOnScreen(*this);
    if (optionsLoaded_)
        return;
    optionsLoaded_ = true;
    // A store that cannot be read leaves the option as it is.
    static_cast<void>(workspace_.options.LoadOptions(*optionsStore_));
    optionsDialog_->syncFromOptions();
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
