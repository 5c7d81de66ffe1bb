#include "core/workspace/Workspace.h"

#include "core/files/AtomicFile.h"
#include "core/files/FileIo.h"
#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"
#include "core/model/LenientInteger.h"

#include <algorithm>
#include <cctype>

namespace tessivar {

namespace {

constexpr const char* kTileSetQuestion = "Tile set has been modified.  Do you want to save?";
constexpr const char* kMapQuestion = "Map has been modified.  Do you want to save?";
constexpr const char* kTileSetNotFound = "Tile set could not be located.";
constexpr const char* kOpenInvalid = "This is not a valid Tessivar file.";
constexpr const char* kLoadInvalid = "Tile set is not a valid Tessivar file.";
constexpr const char* kMapNotFound = "The associated map could not be found.";
constexpr const char* kFileError = "File Error";
constexpr const char* kSizeError = "Size error";

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

// ---- Tile set ----

bool Workspace::askToSave(const char* question, SaveOutcome (Workspace::*save)()) {
    switch (prompts_.askYesNoCancel(question, kAppTitle)) {
    case Answer::Yes:
        // A cancelled Save as dialog still lets the operation go on; a save that failed
        // does not, since going on would throw the unsaved work away.
        return (this->*save)() != SaveOutcome::Failed;
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

bool Workspace::QuerySaveTileSet() {
    return !editing.Modified || askToSave(kTileSetQuestion, &Workspace::SaveTileSet);
}

void Workspace::NewTileSet() {
    if (!QuerySaveTileSet() || !QuerySaveMap())
        return;
    editing.resetForNew();
    tileSet.resetForNew();
    // The caption keeps the previous name until the next load or Save as.
    notify(TilesChanged | TileSetReshaped | EditingChanged | MapChanged);
}

void Workspace::OpenTileSet() {
    if (!QuerySaveTileSet())
        return;
    const auto path = prompts_.chooseFileToOpen({kTileSetFilter, "vxt", {}, false});
    if (!path)
        return;
    const auto data = ReadWholeFile(*path, kLargestTileSetFileBytes);
    if (!data) {
        prompts_.showMessage(kTileSetNotFound, kAppTitle);
        return;
    }
    readTileSet(*path, *data, kOpenInvalid);
}

bool Workspace::LoadTileSetFile(const std::string& path) {
    if (!QuerySaveTileSet())
        return false;
    const auto data = ReadWholeFile(path, kLargestTileSetFileBytes);
    if (!data) {
        prompts_.showMessage(kTileSetNotFound, kAppTitle);
        return true;
    }
    readTileSet(path, *data, kLoadInvalid);
    return true;
}

void Workspace::readTileSet(const std::string& path, std::span<const std::uint8_t> data,
                            const char* invalidMessage) {
    const TileSetParseResult parsed = ParseTileSetFile(data);
    if (!parsed.ok) {
        prompts_.showMessage(invalidMessage, kAppTitle);
        return;
    }
    const std::string& mapPath = parsed.contents.associatedMap;
    if (!mapPath.empty()) {
        const auto mapData = ReadWholeFile(mapPath, kLargestMapFileBytes);
        if (!mapData)
            prompts_.showMessage(kMapNotFound, kFileError);
        else
            readMap(mapPath, *mapData, false);
    }
    ApplyTileSetFile(parsed.contents, tileSet);
    editing.CurrentFileName = path;
    tileSetTitleName_ = BaseNameWithoutExtension(path);
    editing.CurrentTile = 0;
    editing.CurrentPalette = tileSet.tilePalette[0];
    editing.Modified = false;
    notify(TilesChanged | TileSetReshaped | EditingChanged | MapChanged | TileSetTitleChanged);
}

SaveOutcome Workspace::writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                 const std::string& serializeError, const char* what) {
    std::string reason = serializeError;
    if (reason.empty())
        reason = SaveFileAtomically(path, bytes).error();
    if (reason.empty())
        return SaveOutcome::Saved;
    prompts_.showMessage(std::string("The ") + what + " could not be saved to \"" + path + "\".\n" +
                             reason,
                         kFileError);
    return SaveOutcome::Failed;
}

SaveOutcome Workspace::SaveTileSet() {
    if (editing.CurrentFileName.empty())
        return SaveTileSetAs();
    const auto serialized = SerializeTileSet(tileSet, map.MapFileName);
    const SaveOutcome outcome =
        writeFile(editing.CurrentFileName, serialized.bytes, serialized.error, "tile set");
    if (outcome == SaveOutcome::Saved) {
        editing.Modified = false;
        notify(EditingChanged);
    }
    return outcome;
}

SaveOutcome Workspace::SaveTileSetAs() {
    const std::string preset =
        editing.CurrentFileName.empty() ? "untitled.vxt" : editing.CurrentFileName;
    const auto path = prompts_.chooseFileToSave({kTileSetFilter, "vxt", preset, true});
    if (!path)
        return SaveOutcome::Cancelled;
    editing.CurrentFileName = *path;
    tileSetTitleName_ = BaseNameWithoutExtension(*path);
    notify(TileSetTitleChanged);
    return SaveTileSet();
}

// ---- Map ----

bool Workspace::QuerySaveMap() {
    return !map.MapModified || askToSave(kMapQuestion, &Workspace::SaveMap);
}

void Workspace::NewMap() {
    if (!QuerySaveMap())
        return;
    map.resetToNewGrid(tileSet.tilePalette[0] & 0xFF);
    notify(MapChanged | MapResized);
}

void Workspace::OpenMap() {
    if (!QuerySaveMap())
        return;
    const auto path = prompts_.chooseFileToOpen({kMapFilter, "vxm", {}, false});
    if (!path)
        return;
    const auto data = ReadWholeFile(*path, kLargestMapFileBytes);
    if (!data)
        return;
    readMap(*path, *data, true);
}

bool Workspace::LoadMapFile(const std::string& path, bool withTileSet) {
    const auto data = ReadWholeFile(path, kLargestMapFileBytes);
    if (!data)
        return false;
    return readMap(path, *data, withTileSet);
}

bool Workspace::readMap(const std::string& path, std::span<const std::uint8_t> data,
                        bool withTileSet) {
    MapParseResult parsed = ParseMapFile(data);
    if (!parsed.ok) {
        prompts_.showMessage(kOpenInvalid, kAppTitle);
        return false;
    }
    const std::string& tileSetPath = parsed.contents.tileSetPath;
    if (withTileSet && !tileSetPath.empty() && tileSetPath != editing.CurrentFileName &&
        !LoadTileSetFile(tileSetPath))
        return false;
    map.grid = std::move(parsed.contents.grid);
    map.MapFileName = path;
    mapTitleName_ = BaseNameWithoutExtension(path);
    map.MapModified = false;
    notify(MapChanged | MapResized | MapTitleChanged);
    return true;
}

SaveOutcome Workspace::SaveMap() {
    if (map.MapFileName.empty())
        return SaveMapAs();
    const auto serialized = SerializeMap(map.grid, editing.CurrentFileName);
    const SaveOutcome outcome =
        writeFile(map.MapFileName, serialized.bytes, serialized.error, "map");
    if (outcome == SaveOutcome::Saved)
        map.MapModified = false;
    return outcome;
}

SaveOutcome Workspace::SaveMapAs() {
    const std::string preset = map.MapFileName.empty() ? "untitled.vxm" : map.MapFileName;
    const auto path = prompts_.chooseFileToSave({kMapFilter, "vxm", preset, false});
    if (!path)
        return SaveOutcome::Cancelled;
    map.MapFileName = *path;
    mapTitleName_ = BaseNameWithoutExtension(*path);
    notify(MapTitleChanged);
    return SaveMap();
}

void Workspace::BeginMapSizeChange() {
    map.MarkMapModified();
}

std::string CheckMapSize(int rows, int columns) {
    if (columns > kMaxMapSide)
        return "The width entered is larger than 2048";
    if (rows > kMaxMapSide)
        return "The height entered is larger than 2048";
    if (columns < 1)
        return "The width entered is smaller than 1";
    if (rows < 1)
        return "The height entered is smaller than 1";
    return {};
}

bool Workspace::ApplyMapSize(const std::string& rowText, const std::string& columnText) {
    const int rows = ParseLenientInteger(rowText);
    const int columns = ParseLenientInteger(columnText);
    const std::string problem = CheckMapSize(rows, columns);
    if (!problem.empty()) {
        prompts_.showMessage(problem, kSizeError);
        return false;
    }
    map.grid = map.grid.resized(columns, rows);
    notify(MapChanged | MapResized);
    return true;
}

void Workspace::EditTileFromMap(int leftBlock) {
    editing.CurrentTile = leftBlock;
    editing.SelectionStart = editing.SelectionEnd = leftBlock;
    notify(EditingChanged);
}

bool Workspace::QueryCloseProgram() {
    return QuerySaveTileSet() && QuerySaveMap();
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

Workspace::StartupKind Workspace::ClassifyStartupPath(const std::string& path) {
    std::string extension = ExtensionOf(path);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".vxm")
        return StartupKind::Map;
    if (extension == ".bmp" || extension == ".png" || extension == ".jpg")
        return StartupKind::Bitmap;
    return StartupKind::TileSet;
}

} // namespace tessivar
