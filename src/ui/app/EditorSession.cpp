#include "ui/app/EditorSession.h"

#include "core/imageimport/TileSetOptimizer.h"
#include "ui/app/AboutWindow.h"
#include "ui/app/NamedActions.h"
#include "ui/imageimport/BitmapImportDialog.h"
#include "ui/imageimport/PictureDropFilter.h"
#include "ui/mapeditor/MapEditorWindow.h"
#include "ui/tileeditor/TileEditorWindow.h"

namespace tessivar::ui {

EditorSession::EditorSession(UserPrompts& prompts)
    : workspace_(prompts) {
    // The tile editor comes first: it is the main window.
    tileEditor_ = std::make_unique<TileEditorWindow>(workspace_, prompts);
    mapEditor_ = std::make_unique<MapEditorWindow>(workspace_);
    about_ = std::make_unique<AboutWindow>();
    tileEditor_->setMapEditorWindow(mapEditor_.get());
    tileEditor_->setAboutWindow(about_.get());
    mapEditor_->setTileEditorWindow(tileEditor_.get());
    bitmapImport_ = std::make_unique<BitmapImportDialog>(
        workspace_, prompts, [this] { return tileEditor_->options().OverwriteTiles; });
    connectImageImport();
}

void EditorSession::connectImageImport() {
    BitmapImportDialog* dialog = bitmapImport_.get();
    const struct {
        QWidget* window;
        const char* bitmap;
        const char* clipboard;
        bool fromMapEditor;
    } entries[] = {
        {tileEditor_.get(), "actionImportBitmap", "actionImportClipboard", false},
        {mapEditor_.get(), "actionMapImportBitmap", "actionMapImportClipboard", true},
    };
    for (const auto& entry : entries) {
        QAction* bitmap = FindNamedAction(entry.window, entry.bitmap);
        QAction* clipboard = FindNamedAction(entry.window, entry.clipboard);
        bitmap->setEnabled(true);
        clipboard->setEnabled(true);
        const bool fromMapEditor = entry.fromMapEditor;
        QObject::connect(bitmap, &QAction::triggered, dialog,
                         [dialog, fromMapEditor] { dialog->importFromFile(fromMapEditor); });
        QObject::connect(clipboard, &QAction::triggered, dialog,
                         [dialog, fromMapEditor] { dialog->importFromClipboard(fromMapEditor); });
        new PictureDropFilter(entry.window, [dialog, fromMapEditor](const std::string& path) {
            dialog->openPicture(path, fromMapEditor);
        });
    }
    QAction* optimize = FindNamedAction(tileEditor_.get(), "actionOptimize");
    optimize->setEnabled(true);
    QObject::connect(optimize, &QAction::triggered, dialog,
                     [this] { OptimizeTileSet(workspace_); });
}

EditorSession::~EditorSession() = default;

void EditorSession::start(const std::string& commandLinePath) {
    if (commandLinePath.empty()) {
        tileEditor_->show();
        return;
    }
    switch (Workspace::ClassifyStartupPath(commandLinePath)) {
    case Workspace::StartupKind::Map:
        workspace_.LoadMapFile(commandLinePath, true);
        tileEditor_->show();
        mapEditor_->show();
        break;
    case Workspace::StartupKind::Bitmap:
        tileEditor_->show();
        bitmapImport_->openPicture(commandLinePath, false);
        break;
    case Workspace::StartupKind::TileSet:
        tileEditor_->show();
        workspace_.LoadTileSetFile(commandLinePath);
        break;
    }
}

} // namespace tessivar::ui
