#include "core/workspace/Workspace.h"

#include "core/files/AtomicFile.h"
#include "core/files/LinkedFiles.h"
#include "core/workspace/FileFilters.h"

namespace tessivar {

namespace {

constexpr const char* kTileSetQuestion = "Tile set has been modified.  Do you want to save?";
constexpr const char* kMapQuestion = "Map has been modified.  Do you want to save?";
constexpr const char* kTileSetNotFound = "Tile set could not be located.";
constexpr const char* kOpenInvalid = "This is not a valid Tessivar file.";
constexpr const char* kLoadInvalid = "Tile set is not a valid Tessivar file.";
constexpr const char* kMapNotFound = "The associated map could not be found.";
constexpr const char* kFileError = "File Error";

} // namespace

Workspace::Workspace(UserPrompts& prompts)
    : prompts_(prompts) {}

void Workspace::AddListener(std::function<void(unsigned)> listener) {
    listeners_.push_back(std::move(listener));
}

void Workspace::Notify(unsigned changes) {
    for (auto& listener : listeners_)
        listener(changes);
}

void Workspace::Apply(const DocumentChange& change) {
    if (change.TileSetModified)
        MarkModified();
    if (change.MapModified)
        Map.MarkMapModified();
    if (change.Views)
        Notify(change.Views);
}

// ---- Questions and saving ----

bool Workspace::AskToSave(const char* question, Document document) {
    switch (prompts_.AskYesNoCancel(question, kAppTitle)) {
    case Answer::Yes:
        // A cancelled Save as dialog still lets the operation go on; a save that failed
        // does not, since going on would throw the unsaved work away.
        return Save(document, false) != SaveOutcome::Failed;
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

bool Workspace::QuerySaveTileSet() {
    return !Editing.Modified || AskToSave(kTileSetQuestion, Document::TileSet);
}

bool Workspace::QuerySaveMap() {
    return !Map.MapModified || AskToSave(kMapQuestion, Document::Map);
}

bool Workspace::QueryCloseProgram() {
    return QuerySaveTileSet() && QuerySaveMap();
}

SaveOutcome Workspace::SaveTileSet() {
    return Save(Document::TileSet, false);
}

SaveOutcome Workspace::SaveTileSetAs() {
    return Save(Document::TileSet, true);
}

SaveOutcome Workspace::SaveMap() {
    return Save(Document::Map, false);
}

SaveOutcome Workspace::SaveMapAs() {
    return Save(Document::Map, true);
}

// Save and Save as of both documents. The file name, the title and the modified flag
// change only once the file is written; an untitled document always asks for a name.
SaveOutcome Workspace::Save(Document document, bool chooseName) {
    const bool isMap = document == Document::Map;
    std::string& fileName = isMap ? Map.MapFileName : Editing.CurrentFileName;
    std::string path = fileName;
    if (chooseName || path.empty()) {
        const FileDialogRequest request =
            isMap
                ? FileDialogRequest{kMapFilter, "vxm", path.empty() ? "untitled.vxm" : path, false}
                : FileDialogRequest{kTileSetFilter, "vxt", path.empty() ? "untitled.vxt" : path,
                                    true};
        const auto chosen = prompts_.ChooseFileToSave(request);
        if (!chosen)
            return SaveOutcome::Cancelled;
        path = *chosen;
    }
    const auto bytes = isMap ? SerializeMap(Map.Grid, Editing.CurrentFileName)
                             : SerializeTileSet(CurrentTileSet, Map.MapFileName);
    const Status written = bytes ? SaveFileAtomically(path, *bytes) : Status(Fail(bytes.error()));
    if (!written) {
        prompts_.ShowMessage(std::string("The ") + (isMap ? "map" : "tile set") +
                                 " could not be saved to \"" + path + "\".\n" + written.error(),
                             kFileError);
        return SaveOutcome::Failed;
    }
    fileName = path;
    if (isMap) {
        Map.MapModified = false;
        Notify(MapTitleChanged);
    } else {
        Editing.Modified = false;
        Notify(EditingChanged | TileSetTitleChanged);
    }
    return SaveOutcome::Saved;
}

// ---- New ----

void Workspace::NewTileSet() {
    if (!QuerySaveTileSet() || !QuerySaveMap())
        return;
    Editing.ResetForNew();
    CurrentTileSet.ResetForNew();
    Notify(TilesChanged | TileSetReshaped | EditingChanged | MapChanged | TileSetTitleChanged);
}

void Workspace::NewMap() {
    if (!QuerySaveMap())
        return;
    Map.ResetToNewGrid(CurrentTileSet.TilePalette[0] & 0xFF);
    Notify(MapChanged | MapResized);
}

// ---- Loading ----
// Both files of a linked pair are read and checked first; only then are they applied,
// and the windows hear of it once.

void Workspace::OpenTileSet() {
    if (!QuerySaveTileSet())
        return;
    if (const auto path = prompts_.ChooseFileToOpen({kTileSetFilter, "vxt", {}, false}))
        LoadTileSet(*path, kOpenInvalid);
}

bool Workspace::LoadTileSetFile(const std::string& path) {
    if (!QuerySaveTileSet())
        return false;
    LoadTileSet(path, kLoadInvalid);
    return true;
}

void Workspace::OpenMap() {
    if (!QuerySaveMap())
        return;
    if (const auto path = prompts_.ChooseFileToOpen({kMapFilter, "vxm", {}, false}))
        LoadMapFile(*path, true);
}

void Workspace::LoadTileSet(const std::string& path, const char* invalidMessage) {
    auto contents = ReadTileSet(ReadTileSetDocument(path), invalidMessage);
    if (!contents)
        return;
    auto linked = ReadLinkedMap(*contents, path);
    const bool mapRead = linked && CheckLinkedMap(*linked);
    unsigned changes = ApplyTileSet(path, *contents);
    if (mapRead)
        changes |= ApplyMap(linked->Path, std::move(linked->Loaded->Grid));
    Notify(changes);
}

bool Workspace::LoadMapFile(const std::string& path, bool withTileSet) {
    auto file = ReadMapDocument(path);
    if (!file.Found)
        return false; // the callers report a missing map, or keep quiet about it
    if (!file.Loaded) {
        prompts_.ShowMessage(kOpenInvalid, kAppTitle);
        return false;
    }
    MapFileContents& contents = *file.Loaded;
    std::optional<TileSetFileContents> tiles;
    std::string tileSetPath;
    if (withTileSet && !contents.TileSetPath.empty()) {
        tileSetPath = ResolveLinkedPath(contents.TileSetPath, path);
        if (tileSetPath != Editing.CurrentFileName) {
            if (!QuerySaveTileSet())
                return false;
            tiles = ReadTileSet(ReadTileSetDocument(tileSetPath), kLoadInvalid);
            // This map replaces the one the tile set names; that one is only checked, so
            // that a broken link is still reported.
            if (tiles) {
                const auto named = ReadLinkedMap(*tiles, tileSetPath);
                if (named && named->Path != path)
                    CheckLinkedMap(*named);
            }
        }
    }
    unsigned changes = tiles ? ApplyTileSet(tileSetPath, *tiles) : 0;
    changes |= ApplyMap(path, std::move(contents.Grid));
    Notify(changes);
    return true;
}

std::optional<TileSetFileContents> Workspace::ReadTileSet(DocumentFile<TileSetFileContents> file,
                                                          const char* invalidMessage) {
    if (!file.Found) {
        prompts_.ShowMessage(kTileSetNotFound, kAppTitle);
        return std::nullopt;
    }
    if (!file.Loaded) {
        prompts_.ShowMessage(invalidMessage, kAppTitle);
        return std::nullopt;
    }
    return std::move(*file.Loaded);
}

// The map a tile set names: missing or damaged, it is reported the same way.
bool Workspace::CheckLinkedMap(const DocumentFile<MapFileContents>& file) {
    if (!file.Loaded)
        prompts_.ShowMessage(kMapNotFound, kFileError);
    return file.Loaded.ok();
}

unsigned Workspace::ApplyTileSet(const std::string& path, const TileSetFileContents& contents) {
    ApplyTileSetFile(contents, CurrentTileSet);
    Editing.CurrentFileName = path;
    Editing.CurrentTile = 0;
    Editing.CurrentPalette = CurrentTileSet.TilePalette[0];
    Editing.Modified = false;
    return TilesChanged | TileSetReshaped | EditingChanged | MapChanged | TileSetTitleChanged;
}

unsigned Workspace::ApplyMap(const std::string& path, MapGrid grid) {
    Map.Grid = std::move(grid);
    Map.MapFileName = path;
    Map.MapModified = false;
    return MapChanged | MapResized | MapTitleChanged;
}

// ---- Undo history ----

void Workspace::RecordUndoState() {
    History.RecordUndoState(CurrentTileSet, Editing);
    Notify(HistoryChanged);
}

void Workspace::Undo() {
    if (History.Undo(CurrentTileSet))
        Notify(TilesChanged | HistoryChanged | MapChanged);
}

void Workspace::Redo() {
    if (History.Redo(CurrentTileSet))
        Notify(TilesChanged | HistoryChanged | MapChanged);
}

} // namespace tessivar
