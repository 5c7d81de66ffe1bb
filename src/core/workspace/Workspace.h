#pragma once

#include "core/model/EditingState.h"
#include "core/model/MapDocument.h"
#include "core/model/TileSet.h"
#include "core/model/UndoHistory.h"
#include "core/workspace/UserPrompts.h"

#include <cstdint>
#include <functional>
#include <span>
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
    HistoryChanged = 1u << 7, // undo / redo availability
    EverythingChanged = 0xFFu,
};

enum class SaveOutcome { Saved, Cancelled, Failed };

inline constexpr const char* kAppTitle = "Tessivar";
inline constexpr const char* kTileSetFilter = "VX Tiles (*.vxt)|*.vxt";
inline constexpr const char* kMapFilter = "Tessivar Map (*.vxm)|*.vxm";

// The documents of one run (the tile set with its editing state, the map, the undo
// history) and the file commands that load, save and replace them. The windows call
// these and repaint from the change notifications.
class Workspace {
public:
    explicit Workspace(UserPrompts& prompts);

    TileSet tileSet;
    EditingState editing;
    MapDocument map;
    UndoHistory history;

    void addListener(std::function<void(unsigned)> listener);
    void notify(unsigned changes);

    std::string tileEditorTitle() const { return "Tessivar - Tile Editor - " + tileSetTitleName_; }
    std::string mapEditorTitle() const { return "Tessivar - Map Editor - " + mapTitleName_; }

    // Tile set commands.
    bool QuerySaveTileSet();
    void NewTileSet();
    void OpenTileSet();
    SaveOutcome SaveTileSet();
    SaveOutcome SaveTileSetAs();
    bool LoadTileSetFile(const std::string& path);
    void MarkModified() { editing.Modified = true; }

    // Map commands.
    bool QuerySaveMap();
    void NewMap();
    void OpenMap();
    SaveOutcome SaveMap();
    SaveOutcome SaveMapAs();
    bool LoadMapFile(const std::string& path, bool withTileSet);
    // The size panel's "Change": marks the map modified before the dialog opens.
    void BeginMapSizeChange();
    // The Map Size dialog's "Change": false (after the message) when the size is refused.
    bool ApplyMapSize(const std::string& rowText, const std::string& columnText);
    void EditTileFromMap(int leftBlock);

    // Both questions of closing the main window; true when it may close.
    bool QueryCloseProgram();

    // Undo history commands of the tile canvas.
    void RecordUndoState();
    void Undo();
    void Redo();

    // Command-line start-up: ".vxm" opens a map with its tile set, ".bmp", ".png" and
    // ".jpg" go to the image import, and any other path is read as a tile set.
    enum class StartupKind { Map, Bitmap, TileSet };
    static StartupKind ClassifyStartupPath(const std::string& path);

private:
    void readTileSet(const std::string& path, std::span<const std::uint8_t> data,
                     const char* invalidMessage);
    bool readMap(const std::string& path, std::span<const std::uint8_t> data, bool withTileSet);
    SaveOutcome writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
                          const std::string& serializeError, const char* what);
    bool askToSave(const char* question, SaveOutcome (Workspace::*save)());

    UserPrompts& prompts_;
    std::vector<std::function<void(unsigned)>> listeners_;
    std::string tileSetTitleName_ = "untitled";
    std::string mapTitleName_ = "untitled";
};

// The Map Size dialog's checks in their order; empty when the size is accepted.
std::string CheckMapSize(int rows, int columns);

} // namespace tessivar
