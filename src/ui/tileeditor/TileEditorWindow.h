#pragma once

#include "core/export/ExportFormat.h"
#include "core/tileeditor/EditorLayout.h"
#include "core/tileeditor/TileClipboard.h"
#include "core/tileeditor/TileStroke.h"
#include "core/tileeditor/TransformCommands.h"
#include "core/workspace/Workspace.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QLabel;
class QScrollArea;
class QSplitter;

namespace tessivar::ui {

class ColorIndicator;
class MapViewWidget;
class PaletteBoxWidget;
class TileCanvasWidget;
class TileCountDialog;
class TileEditorOptionsDialog;
class TileInfoDialog;
class TileInfoGrid;
class TileListWidget;
class TileSizeDialog;
class TileToolPanel;

// The main window: the tile canvas, the tile list, the palette box and the map view pane,
// with the program's main menu. It turns menu commands and button clicks into core
// calls, applies the sizes UpdateEditorLayout hands back and repaints the views named by
// the workspace's change notifications.
class TileEditorWindow : public QMainWindow {
    Q_OBJECT

public:
    TileEditorWindow(Workspace& workspace, UserPrompts& prompts, QWidget* parent = nullptr);
    ~TileEditorWindow() override;

    // Windows this one opens from its menus.
    void SetMapEditorWindow(QWidget* window) { mapEditorWindow_ = window; }
    void SetAboutWindow(QWidget* window) { aboutWindow_ = window; }

    QAction* Action(const char* objectName) const;
    QString BlockCountLabel() const;
    QString ToolStatusText() const;
    QString PixelStatusLabel() const;
    // A note in the second status panel, until the pointer next moves over the canvas.
    void ShowStatusNote(const std::string& text);

    TileCanvasWidget* Canvas() const { return canvas_; }
    TileListWidget* TileList() const { return tileList_; }
    PaletteBoxWidget* PaletteBox() const { return paletteBox_; }
    ColorIndicator* LeftIndicator() const { return leftIndicator_; }
    ColorIndicator* RightIndicator() const { return rightIndicator_; }
    MapViewWidget* MapView() const { return mapView_; }
    TileToolPanel* ToolPanel() const { return toolPanel_; }
    TileSizeDialog* SizeDialog() const { return tileSizeDialog_; }
    TileCountDialog* CountDialog() const { return tileCountDialog_; }
    TileEditorOptionsDialog* OptionsDialog() const { return optionsDialog_; }
    TileInfoGrid* InfoGrid() const { return infoGrid_; }
    TileInfoDialog* InfoDialog() const { return infoDialog_; }
    int LeftPaneWidth() const { return leftPaneWidth_; }

    // "Change" beside "# Tiles:" (modal Number of Tiles dialog).
    void ChangeTileCount();
    // "Custom ..." in the "Tiles" menu (modal Tile Size dialog).
    void CustomBlockSize();

Q_SIGNALS:
    // The main window has closed: the program ends.
    void Closed();
    // Menu commands served by windows of their own: the source export and the image
    // import (a picture file, or the clipboard's picture).
    void SourceExportRequested(tessivar::SourceDialect dialect);
    void PictureImportRequested(bool fromClipboard);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildMenus();
    void BuildFileMenu();
    void BuildEditMenu();
    void BuildViewMenu();
    void BuildTilesMenu();
    void BuildPanes();
    QWidget* BuildBottomRow();
    void BuildDialogs();
    void OnWorkspaceChanged(unsigned changes);
    void ShowWindow(QWidget* window);

    void RunEditorLayout();
    void ApplyFullLayout(const FullLayout& full);
    void AfterZoomCommand();
    void Transform(BlockTransform transform);
    void ChooseGridColor();
    void ToggleMapView(bool shown);

    Workspace& workspace_;
    UserPrompts& prompts_;
    QWidget* mapEditorWindow_ = nullptr;
    QWidget* aboutWindow_ = nullptr;

    EditorLayout layout_;
    TileStroke stroke_;
    TileClipboard clipboard_;
    std::unique_ptr<OptionsStore> optionsStore_;
    bool optionsLoaded_ = false;
    int leftPaneWidth_ = 409;
    int rememberedMapViewWidth_ = 0;
    int shownTile_ = 0; // the current Tile the tile list was last scrolled to

    QSplitter* splitter_ = nullptr;
    QWidget* leftPane_ = nullptr;
    QScrollArea* tileListArea_ = nullptr;
    QScrollArea* canvasArea_ = nullptr;
    QScrollArea* mapViewArea_ = nullptr;
    TileCanvasWidget* canvas_ = nullptr;
    TileListWidget* tileList_ = nullptr;
    PaletteBoxWidget* paletteBox_ = nullptr;
    ColorIndicator* leftIndicator_ = nullptr;
    ColorIndicator* rightIndicator_ = nullptr;
    MapViewWidget* mapView_ = nullptr;
    TileToolPanel* toolPanel_ = nullptr;
    QLabel* blockCount_ = nullptr;
    QLabel* toolStatus_ = nullptr;
    QLabel* pixelStatus_ = nullptr;
    TileSizeDialog* tileSizeDialog_ = nullptr;
    TileCountDialog* tileCountDialog_ = nullptr;
    TileEditorOptionsDialog* optionsDialog_ = nullptr;
    TileInfoGrid* infoGrid_ = nullptr;
    TileInfoDialog* infoDialog_ = nullptr;
};

} // namespace tessivar::ui
