#include "core/tileeditor/PaletteBox.h"

namespace tessivar {

bool PaletteBox::mouseUp(Workspace& workspace, MouseButton button, int x) {
    // The widget may be a few pixels wider than the swatches; colour 4 does not exist.
    if (x < 0 || x >= kSwatches * kSwatchSize)
        return false;
    workspace.MarkModified();
    EditingState& editing = workspace.editing;
    const int color = x / kSwatchSize;
    editing.CurrentPalette = 0;
    if (workspace.tileSet.block == BlockSize{8, 8})
        workspace.tileSet.tilePalette[editing.CurrentTile] = 0;
    if (button != MouseButton::Other)
        lastWasRight_ = button == MouseButton::Right;
    if (lastWasRight_)
        editing.RightColor = color;
    else if (button == MouseButton::Left)
        editing.LeftColor = color;
    workspace.notify(EditingChanged | TilesChanged);
    return true;
}

} // namespace tessivar
