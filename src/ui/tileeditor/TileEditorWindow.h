#pragma once

#include "core/export/ExportFormat.h"
#include "core/tileeditor/CanvasStroke.h"
#include "core/tileeditor/EditorLayout.h"
#include "core/tileeditor/TileClipboard.h"
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
    void setMapEditorWindow(QWidget* window) { mapEditorWindow_ = window; }
    void setAboutWindow(QWidget* window) { aboutWindow_ = window; }

    QAction* action(const char* objectName) const;
    QString blockCountText() const;
    QString toolStatusText() const;
    QString pixelStatusText() const;
    // A note in the second status panel, until the pointer next moves over the canvas.
    void showStatusNote(const std::string& text);

    TileCanvasWidget* canvas() const { return canvas_; }
    TileListWidget* tileList() const { return tileList_; }
    PaletteBoxWidget* paletteBox() const { return paletteBox_; }
    ColorIndicator* leftIndicator() const { return leftIndicator_; }
    ColorIndicator* rightIndicator() const { return rightIndicator_; }
    MapViewWidget* mapView() const { return mapView_; }
    TileToolPanel* toolPanel() const { return toolPanel_; }
    TileSizeDialog* tileSizeDialog() const { return tileSizeDialog_; }
    TileCountDialog* tileCountDialog() const { return tileCountDialog_; }
    TileEditorOptionsDialog* optionsDialog() const { return optionsDialog_; }
    TileInfoGrid* infoGrid() const { return infoGrid_; }
    TileInfoDialog* infoDialog() const { return infoDialog_; }
    int leftPaneWidth() const { return leftPaneWidth_; }

    // "Change" beside "# Tiles:" (modal Number of Tiles dialog).
    void changeTileCount();
    // "Custom ..." in the "Tiles" menu (modal Tile Size dialog).
    void customBlockSize();

Q_SIGNALS:
    // The main window has closed: the program ends.
    void closed();
    // Menu commands served by windows of their own: the source export and the image
    // import (a picture file, or the clipboard's picture).
    void sourceExportRequested(tessivar::SourceDialect dialect);
    void pictureImportRequested(bool fromClipboard);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildViewMenu();
    void buildTilesMenu();
    void buildPanes();
    QWidget* buildBottomRow();
    void buildDialogs();
    void onWorkspaceChanged(unsigned changes);
    void showWindow(QWidget* window);

    void runEditorLayout();
    void applyFullLayout(const FullLayout& full);
    void afterZoomCommand();
    void transform(BlockTransform transform);
    void chooseGridColor();
    void toggleMapView(bool shown);

    Workspace& workspace_;
    UserPrompts& prompts_;
    QWidget* mapEditorWindow_ = nullptr;
    QWidget* aboutWindow_ = nullptr;

    EditorLayout layout_;
    CanvasStroke stroke_;
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
