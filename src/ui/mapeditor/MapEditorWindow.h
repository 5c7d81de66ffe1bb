#pragma once

#include "core/workspace/Workspace.h"

#include <QMainWindow>

class QLabel;
class QScrollArea;

namespace tessivar::ui {

class MapSizeDialog;
class MapViewWidget;

// The map editor: a second window over the one map, shown and hidden, never destroyed.
class MapEditorWindow : public QMainWindow {
    Q_OBJECT

public:
    MapEditorWindow(Workspace& workspace, UserPrompts& prompts, QWidget* parent = nullptr);

    void setTileEditorWindow(QWidget* window) { tileEditorWindow_ = window; }
    QAction* action(const char* objectName) const;
    MapSizeDialog* mapSizeDialog() const { return sizeDialog_; }
    QString sizeLabelText() const;
    // The Block under the left mouse button of the map tools.
    int LeftBlock = 0;

    // The size panel's "Change": marks the map modified, then runs the Map Size dialog.
    void changeMapSize();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildPanes();
    void onWorkspaceChanged(unsigned changes);
    void editTile();

    Workspace& workspace_;
    QWidget* tileEditorWindow_ = nullptr;
    MapSizeDialog* sizeDialog_ = nullptr;
    QScrollArea* mapArea_ = nullptr;
    MapViewWidget* mapView_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
};

} // namespace tessivar::ui
