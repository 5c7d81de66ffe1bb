#pragma once

#include "core/workspace/Workspace.h"

#include <memory>
#include <string>

namespace tessivar::ui {

class AboutWindow;
class AnimationDialog;
class BitmapImportDialog;
class MapEditorWindow;
class MapExportDialog;
class TileExportDialog;
class TileEditorWindow;

// One run of the editor: the documents and every window, created once at start and only
// shown or hidden afterwards.
class EditorSession {
public:
    explicit EditorSession(UserPrompts& prompts);
    ~EditorSession();

    // Opens what the command line names and shows the windows it needs.
    void Start(const std::string& commandLinePath);

    Workspace& Documents() { return workspace_; }
    TileEditorWindow& TileEditor() { return *tileEditor_; }
    MapEditorWindow& MapEditor() { return *mapEditor_; }
    AboutWindow& About() { return *about_; }
    AnimationDialog& Animation() { return *animation_; }
    TileExportDialog& TileExport() { return *tileExport_; }
    MapExportDialog& MapExport() { return *mapExport_; }
    BitmapImportDialog& BitmapImport() { return *bitmapImport_; }

private:
    void ConnectExports();

    Workspace workspace_;
    std::unique_ptr<TileEditorWindow> tileEditor_;
    std::unique_ptr<TileExportDialog> tileExport_;
    std::unique_ptr<MapEditorWindow> mapEditor_;
    std::unique_ptr<MapExportDialog> mapExport_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<AnimationDialog> animation_;
    std::unique_ptr<BitmapImportDialog> bitmapImport_;

    void ConnectImageImport();
};

} // namespace tessivar::ui
