#pragma once

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

// What an operation on the documents did: the views it touched and the documents it
// modified. Operations return it; the workspace marks and announces it.
struct DocumentChange {
    unsigned Views = 0;
    bool TileSetModified = false;
    bool MapModified = false;

    // Nothing touched: the operation was refused or cancelled.
    bool empty() const { return Views == 0 && !TileSetModified && !MapModified; }
};

} // namespace tessivar
