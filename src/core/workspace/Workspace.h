#pragma once

#include "core/files/LinkedFiles.h"
#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"
#include "core/model/DocumentChange.h"
#include "core/model/MapDocument.h"
#include "core/model/TileEditorState.h"
#include "core/model/TileSet.h"
#include "core/model/UndoHistory.h"
#include "core/workspace/EditorOptions.h"
#include "core/workspace/UserPrompts.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessivar {

enum class SaveOutcome { Saved, Cancelled, Failed };

inline constexpr const char* kAppTitle = "Tessivar";

// The documents of one run (the tile set with its editing state, the map, the undo
// history, the editor options) and the file commands that load, save and replace them.
// The windows call these and repaint from the change notifications.
class Workspace {
public:
    explicit Workspace(UserPrompts& prompts);

    TileSet CurrentTileSet;
    TileEditorState Editing;
    MapDocument Map;
    UndoHistory History;
    EditorOptions Options;

    void AddListener(std::function<void(unsigned)> listener);
    void Notify(unsigned changes);
    // Marks the documents an operation modified and announces what it touched.
    void Apply(const DocumentChange& change);

    // Tile set commands.
    bool QuerySaveTileSet();
    void NewTileSet();
    void OpenTileSet();
    SaveOutcome SaveTileSet();
    SaveOutcome SaveTileSetAs();
    bool LoadTileSetFile(const std::string& path);
    // Every change to the tile set goes through here.
    void MarkModified() { Editing.Modified = true; }

    // Map commands.
    bool QuerySaveMap();
    void NewMap();
    void OpenMap();
    SaveOutcome SaveMap();
    SaveOutcome SaveMapAs();
    bool LoadMapFile(const std::string& path, bool withTileSet);

    // Both questions of closing the main window; true when it may close.
    bool QueryCloseProgram();

    // Undo history commands of the tile canvas.
    void RecordUndoState();
    void Undo();
    void Redo();

private:
    enum class Document { TileSet, Map };

    bool AskToSave(const char* question, Document document);
    SaveOutcome Save(Document document, bool chooseName);
    void LoadTileSet(const std::string& path, const char* invalidMessage);
    std::optional<TileSetFileContents> ReadTileSet(DocumentFile<TileSetFileContents> file,
                                                   const char* invalidMessage);
    bool CheckLinkedMap(const DocumentFile<MapFileContents>& file);
    unsigned ApplyTileSet(const std::string& path, const TileSetFileContents& contents);
    unsigned ApplyMap(const std::string& path, MapGrid grid);

    UserPrompts& prompts_;
    std::vector<std::function<void(unsigned)>> listeners_;
};

} // namespace tessivar
