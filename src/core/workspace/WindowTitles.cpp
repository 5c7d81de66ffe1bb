#include "core/workspace/WindowTitles.h"

#include "core/files/FileIo.h"

namespace tessivar {

namespace {

std::string titleName(const std::string& path) {
    return path.empty() ? "untitled" : BaseNameWithoutExtension(path);
}

} // namespace

std::string TileEditorTitle(const EditingState& editing) {
    return "Tessivar - Tile Editor - " + titleName(editing.CurrentFileName);
}

std::string MapEditorTitle(const MapDocument& map) {
    return "Tessivar - Map Editor - " + titleName(map.MapFileName);
}

} // namespace tessivar
