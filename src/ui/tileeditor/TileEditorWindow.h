#pragma once

#include "app/Workspace.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QScrollArea;
class QSplitter;

namespace tessivar::ui {

// The main window: the tile canvas, the tile list, the palette box and the map view pane,
// with the program's main menu.
class TileEditorWindow : public QMainWindow {
    Q_OBJECT

public:
    TileEditorWindow(Workspace& workspace, UserPrompts& prompts, QWidget* parent = nullptr);

    // Windows this one opens from its menus.
    void setMapEditorWindow(QWidget* window) { mapEditorWindow_ = window; }
    void setAboutWindow(QWidget* window) { aboutWindow_ = window; }

    QAction* action(const char* objectName) const;
    QString blockCountText() const;

Q_SIGNALS:
    // The main window has closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildPanes();
    void onWorkspaceChanged(unsigned changes);
    QAction* addAction(QMenu* menu, const char* objectName, const QString& caption,
                       const QKeySequence& shortcut = {});
    void showWindow(QWidget* window);

    Workspace& workspace_;
    UserPrompts& prompts_;
    QWidget* mapEditorWindow_ = nullptr;
    QWidget* aboutWindow_ = nullptr;

    QSplitter* splitter_ = nullptr;
    QScrollArea* tileListArea_ = nullptr;
    QScrollArea* canvasArea_ = nullptr;
    QScrollArea* mapViewArea_ = nullptr;
    QLabel* blockCount_ = nullptr;
    QLabel* toolStatus_ = nullptr;
    QLabel* pixelStatus_ = nullptr;
};

} // namespace tessivar::ui
