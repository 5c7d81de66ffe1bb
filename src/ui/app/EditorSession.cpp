#include "ui/app/EditorSession.h"

#include "core/export/TileBinaryCommands.h"
#include "core/imageimport/TileSetOptimizer.h"
#include "core/workspace/StartupPath.h"
#include "ui/app/AboutWindow.h"
#include "ui/app/NamedActions.h"
#include "ui/export/MapExportDialog.h"
#include "ui/export/TileExportDialog.h"
#include "ui/imageimport/BitmapImportDialog.h"
#include "ui/imageimport/PictureDropFilter.h"
#include "ui/mapeditor/MapEditorWindow.h"
#include "ui/tileeditor/TileEditorWindow.h"
#include "ui/tileeditor/TileToolPanel.h"
#include "ui/tileinfo/AnimationDialog.h"

namespace tessivar::ui {

EditorSession::EditorSession(UserPrompts& prompts)
    : workspace_(prompts) {
    // The tile editor comes first: it is the main window.
    tileEditor_ = std::make_unique<TileEditorWindow>(workspace_, prompts);
    tileExport_ = std::make_unique<TileExportDialog>(workspace_, prompts);
    mapEditor_ = std::make_unique<MapEditorWindow>(workspace_, prompts);
    mapExport_ = std::make_unique<MapExportDialog>(workspace_, prompts);
    about_ = std::make_unique<AboutWindow>();
    animation_ = std::make_unique<AnimationDialog>(workspace_, prompts);
    tileEditor_->setMapEditorWindow(mapEditor_.get());
    tileEditor_->setAboutWindow(about_.get());
    mapEditor_->setTileEditorWindow(tileEditor_.get());
    QObject::connect(tileEditor_->toolPanel(), &TileToolPanel::animationRequested, animation_.get(),
                     &AnimationDialog::openFromSelection);
    connectExports(prompts);
    bitmapImport_ = std::make_unique<BitmapImportDialog>(
        workspace_, prompts, [this] { return workspace_.options.OverwriteTiles; });
    connectImageImport();
}

void EditorSession::connectExports(UserPrompts& prompts) {
    auto wire = [](QObject* window, const char* name, auto handler) {
        QAction* action = FindNamedAction(window, name);
        action->setEnabled(true);
        QObject::connect(action, &QAction::triggered, action, handler);
    };
    TileExportDialog* tiles = tileExport_.get();
    MapExportDialog* map = mapExport_.get();
    wire(tileEditor_.get(), "actionExportZ80", [tiles] { tiles->showFor(SourceDialect::Z80); });
    wire(tileEditor_.get(), "actionExport68k", [tiles] { tiles->showFor(SourceDialect::M68k); });
    wire(mapEditor_.get(), "actionMapExportZ80", [map] { map->showFor(SourceDialect::Z80); });
    wire(mapEditor_.get(), "actionMapExport68k", [map] { map->showFor(SourceDialect::M68k); });
    Workspace* workspace = &workspace_;
    wire(tileEditor_.get(), "actionExportTileBinary",
         [workspace, &prompts] { ExportTileBinaryCommand(*workspace, prompts); });
    wire(tileEditor_.get(), "actionImportTileBinaries",
         [workspace, &prompts] { ImportTileBinariesCommand(*workspace, prompts); });
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
    QObject::connect(optimize, &QAction::triggered, dialog, [this] {
        const int before = workspace_.tileSet.tileCount;
        const int removed = OptimizeTileSet(workspace_);
        tileEditor_->showStatusNote(OptimizeStatusText(before, removed));
    });
}

EditorSession::~EditorSession() = default;

void EditorSession::start(const std::string& commandLinePath) {
    if (commandLinePath.empty()) {
        tileEditor_->show();
        return;
    }
    switch (ClassifyStartupPath(commandLinePath)) {
    case StartupKind::Map:
        workspace_.LoadMapFile(commandLinePath, true);
        tileEditor_->show();
        mapEditor_->show();
        break;
    case StartupKind::Bitmap:
        tileEditor_->show();
        bitmapImport_->openPicture(commandLinePath, false);
        break;
    case StartupKind::TileSet:
        tileEditor_->show();
        workspace_.LoadTileSetFile(commandLinePath);
        break;
    }
}

} // namespace tessivar::ui
