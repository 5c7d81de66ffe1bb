#pragma once

// The tile editor's own clipboard of whole Tiles (not the system clipboard). It lives
// for the whole run and starts with one blank Tile, so a paste before any copy pastes
// one blank Tile. Neither copy nor paste marks the set modified or records undo.

#include "core/model/DocumentChange.h"
#include "core/model/TileEditorState.h"
#include "core/model/TileSet.h"

#include <array>

namespace tessivar {

class TileClipboard {
public:
    // Copies Tiles SelectionStart..SelectionEnd with their palette and palette set.
    void CopyTiles(const TileSet& tileSet, const TileEditorState& editing);
    // Pastes at CurrentTile. Without `overwrite` room is made first (the tile count
    // grows, the map is not renumbered); Tiles that would land at slot 768 or above are
    // dropped either way.
    DocumentChange PasteTiles(TileSet& tileSet, const TileEditorState& editing,
                              bool overwrite) const;

    int Count() const { return count_; }

private:
    std::array<Tile, kMaxTiles> tiles_{};
    std::array<int, kMaxTiles> palettes_{};
    std::array<int, kMaxTiles> paletteSets_{};
    int count_ = 1;
};

} // namespace tessivar
