#include "ui/mapeditor/MapEditorWindow.h"

#include "core/mapeditor/MapPictureExport.h"
#include "core/mapeditor/MapSize.h"
#include "core/tileeditor/TileList.h"
#include "core/workspace/WindowTitles.h"
#include "ui/common/NamedActions.h"
#include "ui/common/ToolButtons.h"
#include "ui/common/WindowPlacement.h"
#include "ui/mapeditor/MapCanvasWidget.h"
#include "ui/mapeditor/MapSizeDialog.h"
#include "ui/mapeditor/MapTileListWidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace tessivar::ui {

namespace {

constexpr int kSidePanelWidth = 120;
constexpr int kStatusPanelWidth = 75;

constexpr ToolButtonSpec kMapTools[] = {
    {static_cast<int>(MapTool::SingleTile), ToolPicture::Pen, "Single Tile", "singleTileTool"},
    {static_cast<int>(MapTool::Fill), ToolPicture::Fill, "Fill", "mapFillTool"},
    {static_cast<int>(MapTool::Rectangle), ToolPicture::Rectangle, "Rectangle", "mapRectangleTool"},
};

} // namespace

MapEditorWindow::MapEditorWindow(Workspace& workspace, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent)
    , workspace_(workspace)
    , prompts_(prompts)
    , history_(workspace.Map, [this](const DocumentChange& change) { workspace_.Apply(change); })
    , stroke_(workspace.CurrentTileSet, workspace.Map, state_, history_) {
    workspace_.AddListener([this](unsigned changes) { history_.Heard(changes); });
    BuildMenus();
    BuildPanes();
    sizeDialog_ = new MapSizeDialog(workspace_, prompts, history_, this);
    workspace_.AddListener([this](unsigned changes) { OnWorkspaceChanged(changes); });
    OnWorkspaceChanged(EverythingChanged);

    // The timer runs from start to exit; a tick does nothing while animation is off.
    animationTimer_ = new QTimer(this);
    animationTimer_->setInterval(MapAnimation::kTickMilliseconds);
    connect(animationTimer_, &QTimer::timeout, this, &MapEditorWindow::AnimationTick);
    animationTimer_->start();
    resize(696, 497);
}

QAction* MapEditorWindow::Action(const char* objectName) const {
    return FindNamedAction(this, objectName);
}

void MapEditorWindow::BuildMenus() {
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
    connect(AddNamedAction(import, "actionMapImportBitmap", tr("&Bitmap")), &QAction::triggered,
            this, [this] { Q_EMIT PictureImportRequested(false); });
    connect(AddNamedAction(import, "actionMapImportClipboard", tr("&Clipboard")),
            &QAction::triggered, this, [this] { Q_EMIT PictureImportRequested(true); });
    // Map binaries have no reader: the command is shown but cannot be chosen.
    AddNamedAction(import, "actionMapImportBinary", tr("&Binary"))->setEnabled(false);
    QMenu* exportMenu = file->addMenu(tr("&Export"));
    connect(AddNamedAction(exportMenu, "actionMapExportZ80", tr("Z80 Source"),
                           QKeySequence(tr("Ctrl+E"))),
            &QAction::triggered, this,
            [this] { Q_EMIT SourceExportRequested(SourceDialect::Z80); });
    connect(AddNamedAction(exportMenu, "actionMapExport68k", tr("68k Source"),
                           QKeySequence(tr("Ctrl+R"))),
            &QAction::triggered, this,
            [this] { Q_EMIT SourceExportRequested(SourceDialect::M68k); });
    connect(AddNamedAction(exportMenu, "actionMapExportBitmap", tr("&Bitmap")), &QAction::triggered,
            this,
            [this] { ExportMapPicture(workspace_.CurrentTileSet, workspace_.Map.Grid, prompts_); });
    AddNamedAction(exportMenu, "actionMapExportBinary", tr("B&inary"))->setEnabled(false);
    connect(AddNamedAction(file, "actionMapGridColor", tr("Grid Color")), &QAction::triggered, this,
            &MapEditorWindow::ChooseGridColor);
    connect(AddNamedAction(file, "actionExitMap", tr("E&xit"), QKeySequence(tr("Ctrl+Q"))),
            &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    connect(AddNamedAction(edit, "actionMapUndo", tr("&Undo"), QKeySequence(tr("Ctrl+Z"))),
            &QAction::triggered, this, [this] { history_.Undo(); });
    connect(AddNamedAction(edit, "actionMapRedo", tr("&Redo"), QKeySequence(tr("Ctrl+Shift+Z"))),
            &QAction::triggered, this, [this] { history_.Redo(); });

    QMenu* tileEditor = menuBar()->addMenu(tr("Tile Editor"));
    connect(AddNamedAction(tileEditor, "actionEditTile", tr("Edit tile..."),
                           QKeySequence(tr("Ctrl+T"))),
            &QAction::triggered, this, &MapEditorWindow::EditTile);
}

void MapEditorWindow::BuildPanes() {
    auto* central = new QWidget;
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    listArea_ = new QScrollArea;
    listArea_->setObjectName(QStringLiteral("mapTileListArea"));
    listArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    listArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    listArea_->setBackgroundRole(QPalette::Dark);
    tileList_ = new MapTileListWidget(workspace_, state_);
    tileList_->SetScrollArea(listArea_);
    listArea_->setWidget(tileList_);
    // The strip draws only its visible Blocks, so a scroll repaints it.
    connect(listArea_->horizontalScrollBar(), &QScrollBar::valueChanged, tileList_,
            qOverload<>(&QWidget::update));
    connect(tileList_, &MapTileListWidget::BlockPicked, this,
            [this] { paletteBox_->setCurrentIndex(state_.MapPalette & 7); });
    outer->addWidget(listArea_);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    mapArea_ = new QScrollArea;
    mapArea_->setObjectName(QStringLiteral("mapArea"));
    canvas_ = new MapCanvasWidget(workspace_, state_, stroke_, animation_);
    mapArea_->setWidget(canvas_);
    // A scroll redraws with every cell's own Tile; animated cells catch up at their step.
    for (QScrollBar* bar : {mapArea_->horizontalScrollBar(), mapArea_->verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, canvas_, &MapCanvasWidget::Refresh);
    connect(canvas_, &MapCanvasWidget::CellStatusChanged, this,
            [this](const QString& text) { cellStatus_->setText(text); });
    middle->addWidget(mapArea_, 1);
    middle->addWidget(BuildSidePanel());
    outer->addLayout(middle, 1);
    setCentralWidget(central);

    toolStatus_ = new QLabel(tr("Pen"));
    toolStatus_->setObjectName(QStringLiteral("mapToolStatus"));
    toolStatus_->setFixedWidth(kStatusPanelWidth);
    cellStatus_ = new QLabel;
    cellStatus_->setObjectName(QStringLiteral("mapCellStatus"));
    cellStatus_->setMinimumWidth(kStatusPanelWidth);
    statusBar()->addWidget(toolStatus_);
    statusBar()->addWidget(cellStatus_, 1);
}

QWidget* MapEditorWindow::BuildSidePanel() {
    auto* panelWidget = new QWidget;
    panelWidget->setFixedWidth(kSidePanelWidth);
    auto* panel = new QVBoxLayout(panelWidget);
    panel->setContentsMargins(4, 4, 2, 4);
    panel->addWidget(new QLabel(tr("Map Size")));
    sizeLabel_ = new QLabel;
    sizeLabel_->setObjectName(QStringLiteral("sizeLabel"));
    panel->addWidget(sizeLabel_);
    auto* change = new QPushButton(tr("Change"));
    change->setObjectName(QStringLiteral("changeMapSize"));
    connect(change, &QPushButton::clicked, this, &MapEditorWindow::ChangeMapSize);
    panel->addWidget(change);

    rectangleMenu_ = MakeRectangleMenu(this, [this](RectangleMode mode) {
        stroke_.SetRectangleMode(mode);
        ShowToolStatus();
    });
    // However the pop-up closes, the first panel names the tool in use.
    connect(rectangleMenu_, &QMenu::aboutToHide, this, &MapEditorWindow::ShowToolStatus);
    auto* toolRow = new QHBoxLayout;
    toolRow->setSpacing(2);
    tools_ = MakeToolGroup(kMapTools, this, [toolRow](QToolButton* b) { toolRow->addWidget(b); });
    toolRow->addStretch(1);
    // A click on a button that is already down still opens the rectangle pop-up.
    connect(tools_, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseTool(static_cast<MapTool>(id)); });
    panel->addLayout(toolRow);

    auto* flipRow = new QHBoxLayout;
    flipRow->setSpacing(2);
    hFlip_ =
        MakeToolButton(ToolPicture::FlipHorizontal, "Flip Horizontal", "mapFlipHorizontal", true);
    vFlip_ = MakeToolButton(ToolPicture::FlipVertical, "Flip Vertical", "mapFlipVertical", true);
    for (QAbstractButton* flip : {hFlip_, vFlip_}) {
        connect(flip, &QAbstractButton::toggled, this, [this] {
            state_.HFlip = hFlip_->isChecked();
            state_.VFlip = vFlip_->isChecked();
            tileList_->update();
        });
        flipRow->addWidget(flip);
    }
    flipRow->addStretch(1);
    panel->addLayout(flipRow);

    panel->addWidget(new QLabel(tr("Palette")));
    paletteBox_ = new QComboBox;
    paletteBox_->setObjectName(QStringLiteral("mapPalette"));
    for (int p = 0; p < kPalettesPerSet; ++p)
        paletteBox_->addItem(QString::number(p));
    connect(paletteBox_, &QComboBox::activated, this,
            [this](int index) { state_.MapPalette = index; });
    panel->addWidget(paletteBox_);

    animationBox_ = new QCheckBox(tr("Enable animation"));
    animationBox_->setObjectName(QStringLiteral("enableAnimation"));
    // Every click starts the animations over, whether it checks or unchecks the box.
    connect(animationBox_, &QCheckBox::clicked, this, [this] { animation_.Restart(); });
    // The caption must fit the narrow panel whatever the desktop's font.
    const int room = kSidePanelWidth - 8 - animationBox_->sizeHint().width() +
                     animationBox_->fontMetrics().horizontalAdvance(animationBox_->text());
    QFont font = animationBox_->font();
    while (font.pointSizeF() > 6 &&
           QFontMetrics(font).horizontalAdvance(animationBox_->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    animationBox_->setFont(font);
    panel->addWidget(animationBox_);
    panel->addStretch(1);
    return panelWidget;
}

QAbstractButton* MapEditorWindow::ToolButton(MapTool tool) const {
    return tools_->button(static_cast<int>(tool));
}

QAbstractButton* MapEditorWindow::FlipButton(bool vertical) const {
    return vertical ? vFlip_ : hFlip_;
}

QString MapEditorWindow::ToolStatusText() const {
    return toolStatus_->text();
}

QString MapEditorWindow::CellStatusText() const {
    return cellStatus_->text();
}

void MapEditorWindow::ShowToolStatus() {
    toolStatus_->setText(QString::fromStdString(stroke_.ToolStatusText()));
    statusBar()->update();
}

void MapEditorWindow::ChooseTool(MapTool tool) {
    stroke_.SetTool(tool);
    ShowToolStatus();
    if (tool == MapTool::Rectangle)
        rectangleMenu_->popup(QCursor::pos());
}

void MapEditorWindow::ChooseGridColor() {
    const auto chosen = prompts_.ChooseColor(state_.MapGridColor);
    if (!chosen)
        return;
    state_.MapGridColor = *chosen;
    state_.GridColorChosen = true;
    canvas_->Refresh();
}

QString MapEditorWindow::SizeLabelText() const {
    return sizeLabel_->text();
}

void MapEditorWindow::ChangeMapSize() {
    workspace_.Apply(BeginMapSizeChange());
    sizeDialog_->PresetAndRun();
}

void MapEditorWindow::EditTile() {
    workspace_.Apply(
        EditBlockFromMap(workspace_.Editing, workspace_.CurrentTileSet, state_.LeftBlock));
    if (tileEditorWindow_) {
        tileEditorWindow_->show();
        tileEditorWindow_->raise();
        tileEditorWindow_->activateWindow();
    }
}

void MapEditorWindow::AnimationTick() {
    if (!animationBox_->isChecked())
        return;
    const CellGeometry grid = canvas_->Geometry();
    const CellRange visible = VisibleMapCells(
        mapArea_->horizontalScrollBar()->value(), mapArea_->verticalScrollBar()->value(),
        mapArea_->viewport()->width(), mapArea_->viewport()->height(), grid.CellLeft(1),
        grid.CellTop(1), workspace_.Map.Width(), workspace_.Map.Height());
    animation_.Tick(workspace_.CurrentTileSet, workspace_.Map.Grid, visible,
                    [this](int column, int row, int, int) { canvas_->RepaintCell(column, row); });
}

void MapEditorWindow::OnWorkspaceChanged(unsigned changes) {
    // The history has heard of the change first: its listener was added before this one.
    Action("actionMapUndo")->setEnabled(history_.CanUndo());
    Action("actionMapRedo")->setEnabled(history_.CanRedo());
    if (changes & MapTitleChanged)
        setWindowTitle(QString::fromStdString(MapEditorTitle(workspace_.Map)));
    if (changes & MapResized)
        sizeLabel_->setText(QString::fromStdString(workspace_.Map.SizeLabel()));
    if (changes & TileSetReshaped)
        KeepMapBlocksInRange(state_, workspace_.CurrentTileSet);
    if (changes & (MapChanged | MapResized | TilesChanged | TileSetReshaped))
        canvas_->Refresh();
    if (changes & (TilesChanged | TileSetReshaped))
        tileList_->Refresh();
}

void MapEditorWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    if (leftAt_)
        move(*leftAt_);
    else if (tileEditorWindow_ && tileEditorWindow_->isVisible())
        PlaceWindowBeside(*this, *tileEditorWindow_);
    KeepWindowOnScreen(*this);
}

void MapEditorWindow::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        leftAt_ = pos();
    QMainWindow::hideEvent(event);
}

void MapEditorWindow::closeEvent(QCloseEvent* event) {
    // Closing only hides the window; the map stays.
    if (workspace_.QuerySaveMap())
        event->accept();
    else
        event->ignore();
}

} // namespace tessivar::ui
