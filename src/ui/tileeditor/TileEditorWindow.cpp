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
    , stroke_(workspace.CurrentTileSet, workspace.Editing, workspace.History)
    , optionsStore_(std::make_unique<QtOptionsStore>()) {
    BuildPanes();
    BuildDialogs();
    BuildMenus();
    workspace_.AddListener([this](unsigned changes) { OnWorkspaceChanged(changes); });
    OnWorkspaceChanged(EverythingChanged);
}

TileEditorWindow::~TileEditorWindow() = default;

QAction* TileEditorWindow::Action(const char* objectName) const {
    return FindNamedAction(this, objectName);
}

void TileEditorWindow::BuildMenus() {
    BuildFileMenu();
    BuildEditMenu();
    BuildViewMenu();
    BuildTilesMenu();

    QMenu* mapEditor = menuBar()->addMenu(tr("Map Editor"));
    connect(
        AddNamedAction(mapEditor, "actionOpenMapEditor", tr("Open"), QKeySequence(tr("Ctrl+M"))),
        &QAction::triggered, this, [this] { ShowWindow(mapEditorWindow_); });

    QMenu* help = menuBar()->addMenu(tr("Help"));
    connect(AddNamedAction(help, "actionAbout", tr("About")), &QAction::triggered, this,
            [this] { ShowWindow(aboutWindow_); });
}

void TileEditorWindow::BuildFileMenu() {
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
            &QAction::triggered, this, [this] { Q_EMIT PictureImportRequested(false); });
    connect(AddNamedAction(import, "actionImportClipboard", tr("Clipboard"),
                           QKeySequence(tr("Ctrl+D"))),
            &QAction::triggered, this, [this] { Q_EMIT PictureImportRequested(true); });
    connect(AddNamedAction(import, "actionImportTileBinaries", tr("Tile binaries")),
            &QAction::triggered, this, [this] {
                workspace_.Apply(ImportTileBinariesCommand(workspace_.CurrentTileSet,
                                                           workspace_.Editing, prompts_));
            });
    connect(AddNamedAction(import, "actionImportTileSheet", tr("Tile sheet (PNG)...")),
            &QAction::triggered, this, [this] {
                workspace_.Apply(ImportTileSheetCommand(
                    workspace_.CurrentTileSet, workspace_.Editing, workspace_.Map, prompts_,
                    workspace_.Options.OverwriteTiles, OpenTileSheet));
            });
    QMenu* exportMenu = file->addMenu(tr("&Export ..."));
    connect(
        AddNamedAction(exportMenu, "actionExportZ80", tr("Z80 source"), QKeySequence(tr("Ctrl+G"))),
        &QAction::triggered, this, [this] { Q_EMIT SourceExportRequested(SourceDialect::Z80); });
    connect(
        AddNamedAction(exportMenu, "actionExport68k", tr("68k source"), QKeySequence(tr("Ctrl+R"))),
        &QAction::triggered, this, [this] { Q_EMIT SourceExportRequested(SourceDialect::M68k); });
    connect(AddNamedAction(exportMenu, "actionExportTileBinary", tr("Tile binary")),
            &QAction::triggered, this,
            [this] { ExportTileBinaryCommand(workspace_.CurrentTileSet, prompts_); });
    connect(AddNamedAction(exportMenu, "actionExportTileSheet", tr("Tile sheet (PNG)...")),
            &QAction::triggered, this, [this] {
                ExportTileSheetCommand(workspace_.CurrentTileSet, workspace_.Editing, prompts_);
            });
    file->addSeparator();
    connect(AddNamedAction(file, "actionExit", tr("E&xit")), &QAction::triggered, this,
            &QWidget::close);
}

void TileEditorWindow::BuildEditMenu() {
    QMenu* edit = menuBar()->addMenu(tr("Edit"));
    QAction* undo = AddNamedAction(edit, "actionUndo", tr("&Undo"), QKeySequence(tr("Ctrl+Z")));
    QAction* redo =
        AddNamedAction(edit, "actionRedo", tr("&Redo"), QKeySequence(tr("Ctrl+Shift+Z")));
    connect(undo, &QAction::triggered, this, [this] { workspace_.Undo(); });
    connect(redo, &QAction::triggered, this, [this] { workspace_.Redo(); });
    edit->addSeparator();
    connect(AddNamedAction(edit, "actionClearTile", tr("Clear tile"), QKeySequence(tr("Ctrl+X"))),
            &QAction::triggered, this, [this] { Transform(BlockTransform::Clear); });
    connect(AddNamedAction(edit, "actionCopyTiles", tr("Copy tile(s)"), QKeySequence(tr("Ctrl+C"))),
            &QAction::triggered, this,
            [this] { clipboard_.CopyTiles(workspace_.CurrentTileSet, workspace_.Editing); });
    connect(
        AddNamedAction(edit, "actionPasteTiles", tr("Paste tile(s)"), QKeySequence(tr("Ctrl+V"))),
        &QAction::triggered, this, [this] {
            workspace_.Apply(clipboard_.PasteTiles(workspace_.CurrentTileSet, workspace_.Editing,
                                                   workspace_.Options.OverwriteTiles));
        });
    connect(AddNamedAction(edit, "actionInsertTile", tr("Insert tile"), QKeySequence(tr("Ctrl+A"))),
            &QAction::triggered, this, [this] {
                workspace_.Apply(InsertBlock(workspace_.CurrentTileSet, workspace_.Editing,
                                             workspace_.Map.Grid));
            });
    connect(AddNamedAction(edit, "actionDeleteTiles", tr("Delete tile(s)")), &QAction::triggered,
            this, [this] {
                workspace_.Apply(DeleteTiles(workspace_.CurrentTileSet, workspace_.Editing,
                                             workspace_.Map.Grid));
            });
    connect(AddNamedAction(edit, "actionOptions", tr("Options ...")), &QAction::triggered, this,
            [this] { ShowWindow(optionsDialog_); });
    edit->addSeparator();
    connect(AddNamedAction(edit, "actionCustomInformation", tr("&Custom information...")),
            &QAction::triggered, infoDialog_, &QDialog::exec);
}

void TileEditorWindow::BuildViewMenu() {
    QMenu* view = menuBar()->addMenu(tr("&View"));
    QAction* tileListToggle = AddNamedAction(view, "actionTileList", tr("Tile List"));
    QAction* mapViewToggle = AddNamedAction(view, "actionMapView", tr("Map View"));
    for (QAction* toggle : {tileListToggle, mapViewToggle}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    connect(tileListToggle, &QAction::toggled, tileListArea_, &QWidget::setVisible);
    connect(mapViewToggle, &QAction::toggled, this, &TileEditorWindow::ToggleMapView);
    view->addSeparator();
    connect(AddNamedAction(view, "actionZoomIn", tr("Zoom &In"), QKeySequence(tr("Ctrl+I"))),
            &QAction::triggered, this, [this] {
                ZoomIn(layout_);
                AfterZoomCommand();
            });
    connect(AddNamedAction(view, "actionZoomOut", tr("Zoom &Out"), QKeySequence(tr("Ctrl+O"))),
            &QAction::triggered, this, [this] {
                ZoomOut(layout_);
                AfterZoomCommand();
            });
    connect(AddNamedAction(view, "actionDefaultZoom", tr("&Default Zoom")), &QAction::triggered,
            this, [this] {
                RestoreDefaultZoom(layout_);
                AfterZoomCommand();
            });
    view->addSeparator();
    for (int zoom : {2, 4, 8, 16, 32}) {
        const QByteArray name = "actionZoom" + QByteArray::number(zoom);
        connect(AddNamedAction(view, name.constData(), tr("%1x view").arg(zoom)),
                &QAction::triggered, this, [this, zoom] {
                    SetCanvasZoom(layout_, zoom);
                    AfterZoomCommand();
                });
    }
}

void TileEditorWindow::BuildTilesMenu() {
    QMenu* tiles = menuBar()->addMenu(tr("Tiles"));
    connect(AddNamedAction(tiles, "actionBlock8x8", tr("8x8")), &QAction::triggered, this, [this] {
        workspace_.Apply(SetSingleTileBlockSize(workspace_.CurrentTileSet, layout_));
    });
    const std::pair<const char*, BlockSize> fixedSizes[] = {{"actionBlock8x16", {8, 16}},
                                                            {"actionBlock16x16", {16, 16}},
                                                            {"actionBlock32x32", {32, 32}}};
    for (const auto& [name, size] : fixedSizes) {
        const QString caption = QStringLiteral("%1x%2").arg(size.Width).arg(size.Height);
        connect(AddNamedAction(tiles, name, caption), &QAction::triggered, this,
                [this, size = size] {
                    workspace_.Apply(SetFixedBlockSize(workspace_.CurrentTileSet,
                                                       workspace_.Editing, layout_, size));
                });
    }
    connect(AddNamedAction(tiles, "actionBlockCustom", tr("Custom ...")), &QAction::triggered, this,
            &TileEditorWindow::CustomBlockSize);
    connect(AddNamedAction(tiles, "actionGridColor", tr("Grid color")), &QAction::triggered, this,
            &TileEditorWindow::ChooseGridColor);
    tiles->addSeparator();
    connect(AddNamedAction(tiles, "actionOptimize", tr("Optimize..."), QKeySequence(tr("Ctrl+P"))),
            &QAction::triggered, this, [this] {
                const int before = workspace_.CurrentTileSet.TileCount;
                const OptimizeSummary optimized =
                    OptimizeTileSet(workspace_.CurrentTileSet, workspace_.Map.Grid);
                workspace_.Apply(optimized.Change);
                ShowStatusNote(OptimizeStatusText(before, optimized.Removed));
            });
}

void TileEditorWindow::BuildPanes() {
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
    leftLayout->addWidget(BuildBottomRow(), 2, 0, 1, 2);

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

    toolStatus_ = new QLabel(QString::fromStdString(stroke_.ToolStatusText()));
    toolStatus_->setObjectName(QStringLiteral("toolStatus"));
    toolStatus_->setFixedWidth(kStatusPanelWidth);
    pixelStatus_ = new QLabel;
    pixelStatus_->setObjectName(QStringLiteral("pixelStatus"));
    pixelStatus_->setMinimumWidth(kStatusPanelWidth);
    statusBar()->addWidget(toolStatus_);
    statusBar()->addWidget(pixelStatus_, 1);
    connect(canvas_, &TileCanvasWidget::PixelStatusChanged, pixelStatus_, &QLabel::setText);

    resize(leftPaneWidth_ + kInitialMapViewWidth, 480);
    splitter_->setSizes({leftPaneWidth_, kInitialMapViewWidth});
}

QWidget* TileEditorWindow::BuildBottomRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 2, 2, 2);

    toolPanel_ = new TileToolPanel(stroke_);
    connect(toolPanel_, &TileToolPanel::ToolStatusChanged, this, [this](const QString& text) {
        toolStatus_->setText(text);
        statusBar()->update();
    });
    connect(toolPanel_, &TileToolPanel::TransformRequested, this,
            [this](BlockTransform block) { Transform(block); });
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
    connect(change, &QPushButton::clicked, this, &TileEditorWindow::ChangeTileCount);
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

void TileEditorWindow::BuildDialogs() {
    tileSizeDialog_ = new TileSizeDialog(this);
    tileCountDialog_ = new TileCountDialog(this);
    optionsDialog_ = new TileEditorOptionsDialog(workspace_.Options, *optionsStore_, this);
    infoDialog_ = new TileInfoDialog(workspace_, this);
}

QString TileEditorWindow::BlockCountLabel() const {
    return blockCount_->text();
}

QString TileEditorWindow::ToolStatusText() const {
    return toolStatus_->text();
}

QString TileEditorWindow::PixelStatusLabel() const {
    return pixelStatus_->text();
}

void TileEditorWindow::ShowStatusNote(const std::string& text) {
    pixelStatus_->setText(QString::fromStdString(text));
}

void TileEditorWindow::OnWorkspaceChanged(unsigned changes) {
    if (changes & TileSetTitleChanged)
        setWindowTitle(QString::fromStdString(TileEditorTitle(workspace_.Editing)));
    if (changes & (TilesChanged | TileSetReshaped | EditingChanged)) {
        canvas_->update();
        tileList_->update();
        paletteBox_->update();
        leftIndicator_->update();
        rightIndicator_->update();
    }
    // A new current Block (a click, "Edit tile..." in the map editor, a load) is scrolled
    // into the tile list.
    if ((changes & EditingChanged) && workspace_.Editing.CurrentTile != shownTile_) {
        shownTile_ = workspace_.Editing.CurrentTile;
        const int cell = TileListCellWidth(workspace_.CurrentTileSet.Block, layout_.ListZoom);
        const int left = shownTile_ / workspace_.CurrentTileSet.TilesPerBlock() * cell;
        tileListArea_->ensureVisible(left + cell / 2, 0, cell / 2 + 1, 0);
    }
    if (changes & (TilesChanged | TileSetReshaped | EditingChanged | TileInfoChanged))
        infoGrid_->Refresh();
    if (changes & TileSetReshaped) {
        blockCount_->setText(QString::fromStdString(BlockCountText(workspace_.CurrentTileSet)));
        RunEditorLayout();
    }
    // The pane draws in CurrentPaletteSet, so editing changes concern it too.
    if (changes & (MapChanged | MapResized | TilesChanged | TileSetReshaped | EditingChanged))
        mapView_->Refresh();
    if (changes & HistoryChanged) {
        Action("actionUndo")->setEnabled(workspace_.History.CanUndo());
        Action("actionRedo")->setEnabled(workspace_.History.CanRedo());
    }
}

void TileEditorWindow::RunEditorLayout() {
    const WindowFacts facts{isMaximized(), leftPaneWidth_};
    const LayoutChange change = UpdateEditorLayout(layout_, workspace_.CurrentTileSet.Block,
                                                   workspace_.CurrentTileSet.TileCount, facts);
    canvas_->SetZoom(layout_.CanvasZoom);
    tileList_->SetListZoom(layout_.ListZoom);
    if (change.TileListWidth)
        tileList_->setFixedWidth(*change.TileListWidth);
    if (change.Full)
        ApplyFullLayout(*change.Full);
    if (change.Canvas)
        canvas_->setFixedSize(change.Canvas->Width, change.Canvas->Height);
}

void TileEditorWindow::ApplyFullLayout(const FullLayout& full) {
    tileListArea_->setFixedHeight(full.TileListStripHeight);
    tileList_->setFixedHeight(full.TileListHeight);
    canvas_->setFixedSize(full.Canvas.Width, full.Canvas.Height);
    leftPaneWidth_ = full.LeftPaneWidth;
    const int mapViewWidth = splitter_->width() - leftPaneWidth_ - splitter_->handleWidth();
    if (full.WindowWidthDelta || full.WindowHeight)
        resize(width() + full.WindowWidthDelta.value_or(0), full.WindowHeight.value_or(height()));
    if (mapViewArea_->isVisible() || !isVisible())
        splitter_->setSizes({leftPaneWidth_, std::max(mapViewWidth, 0)});
}

void TileEditorWindow::Transform(BlockTransform Transform) {
    workspace_.Apply(ApplyBlockTransform(workspace_.CurrentTileSet, workspace_.Editing,
                                         workspace_.History, prompts_, Transform));
}

void TileEditorWindow::AfterZoomCommand() {
    tileList_->update();
    canvas_->update();
    RunEditorLayout();
}

void TileEditorWindow::ChangeTileCount() {
    const auto entered = tileCountDialog_->Ask(TileCountFieldPreset(workspace_.CurrentTileSet));
    workspace_.Apply(ApplyTileCount(workspace_.CurrentTileSet, prompts_, entered));
}

void TileEditorWindow::CustomBlockSize() {
    tileSizeDialog_->Ask([this](const std::string& width, const std::string& height) {
        const DocumentChange change = ApplyCustomBlockSize(
            workspace_.CurrentTileSet, workspace_.Editing, layout_, prompts_, width, height);
        workspace_.Apply(change);
        return !change.empty();
    });
}

void TileEditorWindow::ChooseGridColor() {
    if (const auto chosen = prompts_.ChooseColor(canvas_->GridColor()))
        canvas_->SetGridColor(*chosen);
}

void TileEditorWindow::ToggleMapView(bool shown) {
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

void TileEditorWindow::ShowWindow(QWidget* window) {
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
    static_cast<void>(workspace_.Options.LoadOptions(*optionsStore_));
    optionsDialog_->SyncFromOptions();
}

void TileEditorWindow::closeEvent(QCloseEvent* event) {
    if (!workspace_.QueryCloseProgram()) {
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT Closed();
}

} // namespace tessivar::ui
