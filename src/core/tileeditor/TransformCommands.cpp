#include "core/tileeditor/TransformCommands.h"

#include "core/tileeditor/BlockBounds.h"
#include "core/tileeditor/BlockTransforms.h"

namespace tessivar {

namespace {

bool transformPixels(TileSet& tileSet, int b, BlockTransform transform) {
    switch (transform) {
    case BlockTransform::ShiftLeft:
        ShiftBlockLeft(tileSet, b);
        break;
    case BlockTransform::ShiftRight:
        ShiftBlockRight(tileSet, b);
        break;
    case BlockTransform::ShiftUp:
        ShiftBlockUp(tileSet, b);
        break;
    case BlockTransform::ShiftDown:
        ShiftBlockDown(tileSet, b);
        break;
    case BlockTransform::FlipHorizontal:
        FlipBlockHorizontal(tileSet, b);
        break;
    case BlockTransform::FlipVertical:
        FlipBlockVertical(tileSet, b);
        break;
    case BlockTransform::RotateRight:
        return RotateBlockRight(tileSet, b);
    case BlockTransform::Clear:
        ClearBlock(tileSet, b);
        break;
    }
    return true;
}

} // namespace

bool ApplyBlockTransform(Workspace& workspace, UserPrompts& prompts, BlockTransform transform) {
    workspace.MarkModified();
    KeepCurrentBlockInSlots(workspace.editing, workspace.tileSet);
    workspace.RecordUndoState();
    if (!transformPixels(workspace.tileSet, workspace.editing.CurrentTile, transform)) {
        prompts.showMessage(kRotationRefusedMessage, kRotationRefusedCaption);
        return false;
    }
    // Flips and turns refresh the map views too: the map shows these Blocks as well.
    workspace.notify(TilesChanged | MapChanged);
    return true;
}

} // namespace tessivar
