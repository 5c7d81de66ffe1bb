#include "ui/app/EditorSession.h"

#include "core/export/MapBinaryCommand.h"
#include "core/model/LenientInteger.h"
#include "core/workspace/StartupPath.h"
#include "ui/app/AboutWindow.h"
#include "ui/common/NamedActions.h"
#include "ui/export/MapExportDialog.h"
#include "ui/export/TileExportDialog.h"
#include "ui/imageimport/BitmapImportDialog.h"
#include "ui/imageimport/PictureDropFilter.h"
#include "ui/mapeditor/MapEditorWindow.h"
#include "ui/tileeditor/TileEditorWindow.h"
#include "ui/tileeditor/TileToolPanel.h"
#include "ui/tileinfo/AnimationDialog.h"

#include <QLineEdit>

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
    tileEditor_->SetMapEditorWindow(mapEditor_.get());
    tileEditor_->SetAboutWindow(about_.get());
    mapEditor_->SetTileEditorWindow(tileEditor_.get());
    QObject::connect(tileEditor_->ToolPanel(), &TileToolPanel::AnimationRequested, animation_.get(),
                     &AnimationDialog::OpenFromSelection);
    ConnectExports();
    bitmapImport_ = std::make_unique<BitmapImportDialog>(
        workspace_, prompts, [this] { return workspace_.Options.OverwriteTiles; });
    ConnectImageImport();
    MapExportDialog* map = mapExport_.get();
    // The map's bytes in the Map Export dialog's format and offset.
    QAction* binary = FindNamedAction(mapEditor_.get(), "actionMapExportBinary");
    binary->setEnabled(true);
    Workspace* Documents = &workspace_;
    UserPrompts* asker = &prompts;
    QObject::connect(binary, &QAction::triggered, binary, [Documents, map, asker] {
        ExportMapBinaryCommand(Documents->CurrentTileSet, Documents->Map.Grid, map->Format(),
                               ParseLenientInteger(map->OffsetField()->text().toStdString()),
                               *asker);
    });
}

void EditorSession::ConnectExports() {
    TileExportDialog* tiles = tileExport_.get();
    MapExportDialog* map = mapExport_.get();
    QObject::connect(tileEditor_.get(), &TileEditorWindow::SourceExportRequested, tiles,
                     &TileExportDialog::ShowFor);
    QObject::connect(mapEditor_.get(), &MapEditorWindow::SourceExportRequested, map,
                     &MapExportDialog::ShowFor);
}

void EditorSession::ConnectImageImport() {
    BitmapImportDialog* dialog = bitmapImport_.get();
    auto requested = [dialog](bool fromMapEditor) {
        return [dialog, fromMapEditor](bool fromClipboard) {
            if (fromClipboard)
                dialog->ImportFromClipboard(fromMapEditor);
            else
                dialog->ImportFromFile(fromMapEditor);
        };
    };
    QObject::connect(tileEditor_.get(), &TileEditorWindow::PictureImportRequested, dialog,
                     requested(false));
    QObject::connect(mapEditor_.get(), &MapEditorWindow::PictureImportRequested, dialog,
                     requested(true));
    const std::pair<QWidget*, bool> windows[] = {{tileEditor_.get(), false},
                                                 {mapEditor_.get(), true}};
    for (const auto& [window, fromMapEditor] : windows)
        new PictureDropFilter(window, [dialog, fromMapEditor](const std::string& path) {
            dialog->OpenPicture(path, fromMapEditor);
        });
}

EditorSession::~EditorSession() = default;

void EditorSession::Start(const std::string& commandLinePath) {
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
        bitmapImport_->OpenPicture(commandLinePath, false);
        break;
    case StartupKind::TileSet:
        tileEditor_->show();
        workspace_.LoadTileSetFile(commandLinePath);
        break;
    }
}

} // namespace tessivar::ui
