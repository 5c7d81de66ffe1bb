#pragma once

#include <string>

namespace tessivar {

// The editing state shared by the tile editor and the windows that read it.
struct TileEditorState {
    int CurrentTile = 0;    // first Tile of the Block on the tile canvas
    int SelectionStart = 0; // inclusive Tile range selected in the tile list
    int SelectionEnd = 0;
    int CurrentPaletteSet = 0;
    int CurrentPalette = 0;
    int LeftColor = 3;
    int RightColor = 0;
    bool Modified = false;
    std::string CurrentFileName; // empty: untitled

    // What New leaves behind (the selection stays as it was).
    void ResetForNew() {
        CurrentPaletteSet = 0;
        CurrentPalette = 0;
        CurrentTile = 0;
        LeftColor = 0;
        RightColor = 3;
        Modified = false;
        CurrentFileName.clear();
    }

    friend bool operator==(const TileEditorState&, const TileEditorState&) = default;
};

} // namespace tessivar
