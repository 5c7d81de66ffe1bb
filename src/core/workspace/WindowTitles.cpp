#include "core/workspace/WindowTitles.h"

#include "core/files/FileIo.h"

namespace tessivar {

namespace {

std::string TitleName(const std::string& path) {
    return path.empty() ? "untitled" : BaseNameWithoutExtension(path);
}

} // namespace

std::string TileEditorTitle(const TileEditorState& editing) {
    return "Tessivar - Tile Editor - " + TitleName(editing.CurrentFileName);
}

std::string MapEditorTitle(const MapDocument& map) {
    return "Tessivar - Map Editor - " + TitleName(map.MapFileName);
}

} // namespace tessivar
