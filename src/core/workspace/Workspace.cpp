#include "core/workspace/Workspace.h"

#include "core/files/AtomicFile.h"
#include "core/files/LinkedFiles.h"

namespace tessivar {

namespace {

constexpr const char* kTileSetQuestion = "Tile set has been modified.  Do you want to save?";
constexpr const char* kMapQuestion = "Map has been modified.  Do you want to save?";
constexpr const char* kTileSetNotFound = "Tile set could not be located.";
constexpr const char* kOpenInvalid = "This is not a valid Tessivar file.";
constexpr const char* kLoadInvalid = "Tile set is not a valid Tessivar file.";
constexpr const char* kMapNotFound = "The associated map could not be found.";
constexpr const char* kFileError = "File Error";
constexpr const char* kTileSetFilter = "VX Tiles (*.vxt)|*.vxt";
constexpr const char* kMapFilter = "Tessivar Map (*.vxm)|*.vxm";

} // namespace

Workspace::Workspace(UserPrompts& prompts)
    : prompts_(prompts) {}

void Workspace::addListener(std::function<void(unsigned)> listener) {
    listeners_.push_back(std::move(listener));
}

void Workspace::notify(unsigned changes) {
    for (auto& listener : listeners_)
        listener(changes);
}

void Workspace::apply(const DocumentChange& change) {
    if (change.tileSetModified)
        MarkModified();
    if (change.mapModified)
        map.MarkMapModified();
    if (change.views)
        notify(change.views);
}

// ---- Questions and saving ----

bool Workspace::askToSave(const char* question, Document document) {
    switch (prompts_.askYesNoCancel(question, kAppTitle)) {
    case Answer::Yes:
        // A cancelled Save as dialog still lets the operation go on; a save that failed
        // does not, since going on would throw the unsaved work away.
        return save(document, false) != SaveOutcome::Failed;
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

bool Workspace::QuerySaveTileSet() {
    return !editing.Modified || askToSave(kTileSetQuestion, Document::TileSet);
}

bool Workspace::QuerySaveMap() {
    return !map.MapModified || askToSave(kMapQuestion, Document::Map);
}

bool Workspace::QueryCloseProgram() {
    return QuerySaveTileSet() && QuerySaveMap();
}

SaveOutcome Workspace::SaveTileSet() {
    return save(Document::TileSet, false);
}

SaveOutcome Workspace::SaveTileSetAs() {
    return save(Document::TileSet, true);
}

SaveOutcome Workspace::SaveMap() {
    return save(Document::Map, false);
}

SaveOutcome Workspace::SaveMapAs() {
    return save(Document::Map, true);
}

// Save and Save as of both documents. The file name, the title and the modified flag
// change only once the file is written; an untitled document always asks for a name.
SaveOutcome Workspace::save(Document document, bool chooseName) {
    const bool isMap = document == Document::Map;
    std::string& fileName = isMap ? map.MapFileName : editing.CurrentFileName;
    std::string path = fileName;
    if (chooseName || path.empty()) {
        const FileDialogRequest request =
            isMap
                ? FileDialogRequest{kMapFilter, "vxm", path.empty() ? "untitled.vxm" : path, false}
                : FileDialogRequest{kTileSetFilter, "vxt", path.empty() ? "untitled.vxt" : path,
                                    true};
        const auto chosen = prompts_.chooseFileToSave(request);
        if (!chosen)
            return SaveOutcome::Cancelled;
        path = *chosen;
    }
    const auto bytes = isMap ? SerializeMap(map.grid, editing.CurrentFileName)
                             : SerializeTileSet(tileSet, map.MapFileName);
    const Status written = bytes ? SaveFileAtomically(path, *bytes) : Status(Fail(bytes.error()));
    if (!written) {
        prompts_.showMessage(std::string("The ") + (isMap ? "map" : "tile set") +
                                 " could not be saved to \"" + path + "\".\n" + written.error(),
                             kFileError);
        return SaveOutcome::Failed;
    }
    fileName = path;
    if (isMap) {
        map.TitledFileName = path;
        map.MapModified = false;
        notify(MapTitleChanged);
    } else {
        editing.Modified = false;
        notify(EditingChanged | TileSetTitleChanged);
    }
    return SaveOutcome::Saved;
}

// ---- New ----

void Workspace::NewTileSet() {
    if (!QuerySaveTileSet() || !QuerySaveMap())
        return;
    editing.resetForNew();
    tileSet.resetForNew();
    notify(TilesChanged | TileSetReshaped | EditingChanged | MapChanged | TileSetTitleChanged);
}

void Workspace::NewMap() {
    if (!QuerySaveMap())
        return;
    map.resetToNewGrid(tileSet.tilePalette[0] & 0xFF);
    notify(MapChanged | MapResized);
}

// ---- Loading ----
// Both files of a linked pair are read and checked first; only then are they applied,
// and the windows hear of it once.

void Workspace::OpenTileSet() {
    if (!QuerySaveTileSet())
        return;
    if (const auto path = prompts_.chooseFileToOpen({kTileSetFilter, "vxt", {}, false}))
        loadTileSet(*path, kOpenInvalid);
}

bool Workspace::LoadTileSetFile(const std::string& path) {
    if (!QuerySaveTileSet())
        return false;
    loadTileSet(path, kLoadInvalid);
    return true;
}

void Workspace::OpenMap() {
    if (!QuerySaveMap())
        return;
    if (const auto path = prompts_.chooseFileToOpen({kMapFilter, "vxm", {}, false}))
        LoadMapFile(*path, true);
}

void Workspace::loadTileSet(const std::string& path, const char* invalidMessage) {
    auto contents = readTileSet(ReadTileSetDocument(path), invalidMessage);
    if (!contents)
        return;
    auto linked = ReadLinkedMap(*contents, path);
    const bool mapRead = linked && checkLinkedMap(*linked);
    unsigned changes = applyTileSet(path, *contents);
    if (mapRead)
        changes |= applyMap(linked->path, std::move(linked->contents->grid));
    notify(changes);
}

bool Workspace::LoadMapFile(const std::string& path, bool withTileSet) {
    auto file = ReadMapDocument(path);
    if (!file.found)
        return false; // the callers report a missing map, or keep quiet about it
    if (!file.contents) {
        prompts_.showMessage(kOpenInvalid, kAppTitle);
        return false;
    }
    MapFileContents& contents = *file.contents;
    std::optional<TileSetFileContents> tiles;
    std::string tileSetPath;
    if (withTileSet && !contents.tileSetPath.empty()) {
        tileSetPath = ResolveLinkedPath(contents.tileSetPath, path);
        if (tileSetPath != editing.CurrentFileName) {
            if (!QuerySaveTileSet())
                return false;
            tiles = readTileSet(ReadTileSetDocument(tileSetPath), kLoadInvalid);
            // This map replaces the one the tile set names; that one is only checked, so
            // that a broken link is still reported.
            if (tiles) {
                const auto named = ReadLinkedMap(*tiles, tileSetPath);
                if (named && named->path != path)
                    checkLinkedMap(*named);
            }
        }
    }
    unsigned changes = tiles ? applyTileSet(tileSetPath, *tiles) : 0;
    changes |= applyMap(path, std::move(contents.grid));
    notify(changes);
    return true;
}

std::optional<TileSetFileContents> Workspace::readTileSet(DocumentFile<TileSetFileContents> file,
                                                          const char* invalidMessage) {
    if (!file.found) {
        prompts_.showMessage(kTileSetNotFound, kAppTitle);
        return std::nullopt;
    }
    if (!file.contents) {
        prompts_.showMessage(invalidMessage, kAppTitle);
        return std::nullopt;
    }
    return std::move(*file.contents);
}

// The map a tile set names: missing or damaged, it is reported the same way.
bool Workspace::checkLinkedMap(const DocumentFile<MapFileContents>& file) {
    if (!file.contents)
        prompts_.showMessage(kMapNotFound, kFileError);
    return file.contents.ok();
}

unsigned Workspace::applyTileSet(const std::string& path, const TileSetFileContents& contents) {
    ApplyTileSetFile(contents, tileSet);
    editing.CurrentFileName = path;
    editing.CurrentTile = 0;
    editing.CurrentPalette = tileSet.tilePalette[0];
    editing.Modified = false;
    return TilesChanged | TileSetReshaped | EditingChanged | MapChanged | TileSetTitleChanged;
}

unsigned Workspace::applyMap(const std::string& path, MapGrid grid) {
    map.grid = std::move(grid);
    map.MapFileName = path;
    map.TitledFileName = path;
    map.MapModified = false;
    return MapChanged | MapResized | MapTitleChanged;
}

// ---- Undo history ----

void Workspace::RecordUndoState() {
    history.RecordUndoState(tileSet, editing);
    notify(HistoryChanged);
}

void Workspace::Undo() {
    if (history.Undo(tileSet))
        notify(TilesChanged | HistoryChanged | MapChanged);
}

void Workspace::Redo() {
    if (history.Redo(tileSet))
        notify(TilesChanged | HistoryChanged | MapChanged);
}

} // namespace tessivar
