#include "core/tileeditor/PaletteBox.h"

namespace tessivar {

DocumentChange PaletteBox::MouseUp(TileSet& tileSet, TileEditorState& editing, MouseButton button,
                                   int x) {
    // The widget may be a few pixels wider than the swatches; colour 4 does not exist.
    if (x < 0 || x >= kSwatches * kSwatchSize)
        return {};
    const int color = x / kSwatchSize;
    editing.CurrentPalette = 0;
    if (tileSet.Block == BlockSize{8, 8})
        tileSet.TilePalette[editing.CurrentTile] = 0;
    if (button != MouseButton::Other)
        lastWasRight_ = button == MouseButton::Right;
    if (lastWasRight_)
        editing.RightColor = color;
    else if (button == MouseButton::Left)
        editing.LeftColor = color;
    return {EditingChanged | TilesChanged, true};
}

} // namespace tessivar
