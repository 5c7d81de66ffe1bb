#pragma once

#include "core/export/ExportFormat.h"
#include "core/mapeditor/MapAnimation.h"
#include "core/mapeditor/MapEditorState.h"
#include "core/mapeditor/MapStroke.h"
#include "core/workspace/Workspace.h"

#include <QMainWindow>
#include <QPoint>

#include <optional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;
class QTimer;

namespace tessivar::ui {

class MapCanvasWidget;
class MapSizeDialog;
class MapTileListWidget;

// The map editor: a second window over the one map, shown and hidden, never destroyed.
// The map tile list runs along the top, the map canvas fills the centre, and the side
// panel holds the size, the tools, the flips, the palette and the animation switch.
class MapEditorWindow : public QMainWindow {
    Q_OBJECT

public:
    MapEditorWindow(Workspace& workspace, UserPrompts& prompts, QWidget* parent = nullptr);

    void SetTileEditorWindow(QWidget* window) { tileEditorWindow_ = window; }
    QAction* Action(const char* objectName) const;
    MapSizeDialog* SizeDialog() const { return sizeDialog_; }
    QString SizeLabelText() const;

    MapEditorState& State() { return state_; }
    MapHistory& History() { return history_; }
    MapCanvasWidget* Canvas() const { return canvas_; }
    QScrollArea* CanvasArea() const { return mapArea_; }
    MapTileListWidget* TileList() const { return tileList_; }
    QAbstractButton* ToolButton(MapTool tool) const;
    QAbstractButton* FlipButton(bool vertical) const;
    QMenu* RectangleMenu() const { return rectangleMenu_; }
    QCheckBox* AnimationBox() const { return animationBox_; }
    QString ToolStatusText() const;
    QString CellStatusText() const;

    // The size panel's "Change": marks the map modified, then runs the Map Size dialog.
    void ChangeMapSize();
    // One tick of the animation timer.
    void AnimationTick();

Q_SIGNALS:
    // Menu commands served by windows of their own, as in the tile editor.
    void SourceExportRequested(tessivar::SourceDialect dialect);
    void PictureImportRequested(bool fromClipboard);

protected:
    void closeEvent(QCloseEvent* event) override;
    // The first showing opens beside the tile editor; later ones where the user left the
    // window, kept on the screen.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildMenus();
    void BuildPanes();
    QWidget* BuildSidePanel();
    void OnWorkspaceChanged(unsigned changes);
    void EditTile();
    void ChooseTool(MapTool tool);
    void ChooseGridColor();
    void ShowToolStatus();

    Workspace& workspace_;
    UserPrompts& prompts_;
    MapEditorState state_;
    MapHistory history_;
    MapStroke stroke_;
    MapAnimation animation_;
    QWidget* tileEditorWindow_ = nullptr;
    MapSizeDialog* sizeDialog_ = nullptr;
    QScrollArea* mapArea_ = nullptr;
    MapCanvasWidget* canvas_ = nullptr;
    QScrollArea* listArea_ = nullptr;
    MapTileListWidget* tileList_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QButtonGroup* tools_ = nullptr;
    QAbstractButton* hFlip_ = nullptr;
    QAbstractButton* vFlip_ = nullptr;
    QComboBox* paletteBox_ = nullptr;
    QCheckBox* animationBox_ = nullptr;
    QMenu* rectangleMenu_ = nullptr;
    QLabel* toolStatus_ = nullptr;
    QLabel* cellStatus_ = nullptr;
    QTimer* animationTimer_ = nullptr;
    std::optional<QPoint> leftAt_; // where the window was when last hidden
};

} // namespace tessivar::ui
