#pragma once

#include "core/files/LinkedFiles.h"
#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"
#include "core/model/EditingState.h"
#include "core/model/MapDocument.h"
#include "core/model/TileSet.h"
#include "core/model/UndoHistory.h"
#include "core/workspace/EditorOptions.h"
#include "core/workspace/UserPrompts.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessivar {

// What a change touched, so each view repaints only what it shows.
enum Change : unsigned {
    TilesChanged = 1u << 0,    // pixels, tile palettes, palette colours
    TileSetReshaped = 1u << 1, // tile count, Block size, categories
    EditingChanged = 1u << 2,  // current Tile, selection, colours
    MapChanged = 1u << 3,      // cell contents
    MapResized = 1u << 4,      // grid size
    TileSetTitleChanged = 1u << 5,
    MapTitleChanged = 1u << 6,
    HistoryChanged = 1u << 7,  // undo / redo availability
    TileInfoChanged = 1u << 8, // category table, per-Tile information values
    EverythingChanged = 0x1FFu,
};

enum class SaveOutcome { Saved, Cancelled, Failed };

inline constexpr const char* kAppTitle = "Tessivar";

// The documents of one run (the tile set with its editing state, the map, the undo
// history, the editor options) and the file commands that load, save and replace them.
// The windows call these and repaint from the change notifications.
class Workspace {
public:
    explicit Workspace(UserPrompts& prompts);

    TileSet tileSet;
    EditingState editing;
    MapDocument map;
    UndoHistory history;
    EditorOptions options;

    void addListener(std::function<void(unsigned)> listener);
    void notify(unsigned changes);

    // Tile set commands.
    bool QuerySaveTileSet();
    void NewTileSet();
    void OpenTileSet();
    SaveOutcome SaveTileSet();
    SaveOutcome SaveTileSetAs();
    bool LoadTileSetFile(const std::string& path);
    // Every change to the tile set goes through here.
    void MarkModified() { editing.Modified = true; }

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

    bool askToSave(const char* question, Document document);
    SaveOutcome save(Document document, bool chooseName);
    void loadTileSet(const std::string& path, const char* invalidMessage);
    std::optional<TileSetFileContents> readTileSet(DocumentFile<TileSetFileContents> file,
                                                   const char* invalidMessage);
    bool checkLinkedMap(const DocumentFile<MapFileContents>& file);
    unsigned applyTileSet(const std::string& path, const TileSetFileContents& contents);
    unsigned applyMap(const std::string& path, MapGrid grid);

    UserPrompts& prompts_;
    std::vector<std::function<void(unsigned)>> listeners_;
};

} // namespace tessivar
