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
    void start(const std::string& commandLinePath);

    Workspace& workspace() { return workspace_; }
    TileEditorWindow& tileEditor() { return *tileEditor_; }
    MapEditorWindow& mapEditor() { return *mapEditor_; }
    AboutWindow& about() { return *about_; }
    AnimationDialog& animation() { return *animation_; }
    TileExportDialog& tileExport() { return *tileExport_; }
    MapExportDialog& mapExport() { return *mapExport_; }
    BitmapImportDialog& bitmapImport() { return *bitmapImport_; }

private:
    void connectExports();

    Workspace workspace_;
    std::unique_ptr<TileEditorWindow> tileEditor_;
    std::unique_ptr<TileExportDialog> tileExport_;
    std::unique_ptr<MapEditorWindow> mapEditor_;
    std::unique_ptr<MapExportDialog> mapExport_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<AnimationDialog> animation_;
    std::unique_ptr<BitmapImportDialog> bitmapImport_;

    void connectImageImport();
};

} // namespace tessivar::ui
