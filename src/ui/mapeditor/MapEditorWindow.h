#pragma once

#include "core/export/ExportFormat.h"
#include "core/mapeditor/MapAnimation.h"
#include "core/mapeditor/MapEditorState.h"
#include "core/mapeditor/MapStroke.h"
#include "core/workspace/Workspace.h"

#include <QMainWindow>

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

    void setTileEditorWindow(QWidget* window) { tileEditorWindow_ = window; }
    QAction* action(const char* objectName) const;
    MapSizeDialog* mapSizeDialog() const { return sizeDialog_; }
    QString sizeLabelText() const;

    MapEditorState& state() { return state_; }
    MapCanvasWidget* canvas() const { return canvas_; }
    QScrollArea* canvasArea() const { return mapArea_; }
    MapTileListWidget* tileList() const { return tileList_; }
    QAbstractButton* toolButton(MapTool tool) const;
    QAbstractButton* flipButton(bool vertical) const;
    QMenu* rectangleMenu() const { return rectangleMenu_; }
    QCheckBox* animationBox() const { return animationBox_; }
    QString toolStatusText() const;
    QString cellStatusText() const;

    // The size panel's "Change": marks the map modified, then runs the Map Size dialog.
    void changeMapSize();
    // One tick of the animation timer.
    void animationTick();

Q_SIGNALS:
    // Menu commands served by windows of their own, as in the tile editor.
    void sourceExportRequested(tessivar::SourceDialect dialect);
    void pictureImportRequested(bool fromClipboard);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildPanes();
    QWidget* buildSidePanel();
    void onWorkspaceChanged(unsigned changes);
    void editTile();
    void chooseTool(MapTool tool);
    void chooseGridColor();
    void showToolStatus();

    Workspace& workspace_;
    UserPrompts& prompts_;
    MapEditorState state_;
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
};

} // namespace tessivar::ui
