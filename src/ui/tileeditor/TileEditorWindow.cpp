#include "ui/tileeditor/TileEditorWindow.h"

#include "ui/common/NamedActions.h"

#include "core/export/TileBinaryCommands.h"
#include "core/imageimport/TileSetOptimizer.h"
#include "core/tileeditor/BlockSizeCommands.h"
#include "core/tileeditor/MapViewPaneWidth.h"
#include "core/tileeditor/TileInsertion.h"
#include "core/workspace/WindowTitles.h"
#include "ui/common/MapViewWidget.h"
#include "ui/common/QtOptionsStore.h"
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
constexpr int kInfoGridWidth = 168;

} // namespace

TileEditorWindow::TileEditorWindow(Workspace& workspace, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent)
    , workspace_(workspace)
    , prompts_(prompts)
    , stroke_(workspace)
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
            &QAction::triggered, this, [this] { ImportTileBinariesCommand(workspace_, prompts_); });
    QMenu* exportMenu = file->addMenu(tr("&Export ..."));
    connect(
        AddNamedAction(exportMenu, "actionExportZ80", tr("Z80 source"), QKeySequence(tr("Ctrl+G"))),
        &QAction::triggered, this, [this] { Q_EMIT sourceExportRequested(SourceDialect::Z80); });
    connect(
        AddNamedAction(exportMenu, "actionExport68k", tr("68k source"), QKeySequence(tr("Ctrl+R"))),
        &QAction::triggered, this, [this] { Q_EMIT sourceExportRequested(SourceDialect::M68k); });
    connect(AddNamedAction(exportMenu, "actionExportTileBinary", tr("Tile binary")),
            &QAction::triggered, this, [this] { ExportTileBinaryCommand(workspace_, prompts_); });
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
            &QAction::triggered, this,
            [this] { ApplyBlockTransform(workspace_, prompts_, BlockTransform::Clear); });
    connect(AddNamedAction(edit, "actionCopyTiles", tr("Copy tile(s)"), QKeySequence(tr("Ctrl+C"))),
            &QAction::triggered, this, [this] { clipboard_.CopyTiles(workspace_); });
    connect(
        AddNamedAction(edit, "actionPasteTiles", tr("Paste tile(s)"), QKeySequence(tr("Ctrl+V"))),
        &QAction::triggered, this,
        [this] { clipboard_.PasteTiles(workspace_, workspace_.options.OverwriteTiles); });
    connect(AddNamedAction(edit, "actionInsertTile", tr("Insert tile"), QKeySequence(tr("Ctrl+A"))),
            &QAction::triggered, this, [this] { InsertBlock(workspace_); });
    connect(AddNamedAction(edit, "actionDeleteTiles", tr("Delete tile(s)")), &QAction::triggered,
            this, [this] { DeleteTiles(workspace_); });
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
            [this] { SetSingleTileBlockSize(workspace_, layout_); });
    const std::pair<const char*, BlockSize> fixedSizes[] = {{"actionBlock8x16", {8, 16}},
                                                            {"actionBlock16x16", {16, 16}},
                                                            {"actionBlock32x32", {32, 32}}};
    for (const auto& [name, size] : fixedSizes) {
        const QString caption = QStringLiteral("%1x%2").arg(size.width).arg(size.height);
        connect(AddNamedAction(tiles, name, caption), &QAction::triggered, this,
                [this, size = size] { SetFixedBlockSize(workspace_, layout_, size); });
    }
    connect(AddNamedAction(tiles, "actionBlockCustom", tr("Custom ...")), &QAction::triggered, this,
            &TileEditorWindow::customBlockSize);
    connect(AddNamedAction(tiles, "actionGridColor", tr("Grid color")), &QAction::triggered, this,
            &TileEditorWindow::chooseGridColor);
    tiles->addSeparator();
    connect(AddNamedAction(tiles, "actionOptimize", tr("Optimize..."), QKeySequence(tr("Ctrl+P"))),
            &QAction::triggered, this, [this] {
                workspace_.apply(OptimizeTileSet(workspace_.tileSet, workspace_.map.grid).change);
            });
}

void TileEditorWindow::buildPanes() {
    leftPane_ = new QWidget;
    leftPane_->setObjectName(QStringLiteral("leftPane"));
    auto* leftLayout = new QVBoxLayout(leftPane_);
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
    auto* topRow = new QHBoxLayout;
    topRow->setSpacing(2);
    topRow->addWidget(tileListArea_, 1);
    topRow->addWidget(infoGrid_, 0, Qt::AlignTop | Qt::AlignRight);
    leftLayout->addLayout(topRow);

    canvasArea_ = new QScrollArea;
    canvasArea_->setObjectName(QStringLiteral("canvasArea"));
    canvas_ = new TileCanvasWidget(workspace_, stroke_);
    canvasArea_->setWidget(canvas_);
    leftLayout->addWidget(canvasArea_, 1);
    leftLayout->addWidget(buildBottomRow());

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
    connect(toolPanel_, &TileToolPanel::toolStatusChanged, this,
            [this](const QString& text) { toolStatus_->setText(text); });
    connect(toolPanel_, &TileToolPanel::transformRequested, this, [this](BlockTransform transform) {
        ApplyBlockTransform(workspace_, prompts_, transform);
    });
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
    paletteBox_ = new PaletteBoxWidget(workspace_);
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
    infoGrid_->setFixedHeight(full.infoGridHeight);
    canvas_->setFixedSize(full.canvas.width, full.canvas.height);
    leftPaneWidth_ = full.leftPaneWidth;
    const int mapViewWidth = splitter_->width() - leftPaneWidth_ - splitter_->handleWidth();
    if (full.windowWidthDelta || full.windowHeight)
        resize(width() + full.windowWidthDelta.value_or(0), full.windowHeight.value_or(height()));
    if (mapViewArea_->isVisible() || !isVisible())
        splitter_->setSizes({leftPaneWidth_, std::max(mapViewWidth, 0)});
}

void TileEditorWindow::afterZoomCommand() {
    tileList_->update();
    canvas_->update();
    runEditorLayout();
}

void TileEditorWindow::changeTileCount() {
    const auto entered = tileCountDialog_->ask(TileCountFieldPreset(workspace_.tileSet));
    ApplyTileCount(workspace_, prompts_, entered);
}

void TileEditorWindow::customBlockSize() {
    tileSizeDialog_->ask([this](const std::string& width, const std::string& height) {
        return ApplyCustomBlockSize(workspace_, layout_, prompts_, width, height);
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
