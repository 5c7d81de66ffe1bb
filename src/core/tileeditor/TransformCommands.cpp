#include "core/tileeditor/TransformCommands.h"

#include "core/tileeditor/BlockBounds.h"
#include "core/tileeditor/BlockTransforms.h"

namespace tessivar {

namespace {

bool TransformPixels(TileSet& tileSet, int b, BlockTransform transform) {
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

DocumentChange ApplyBlockTransform(TileSet& tileSet, TileEditorState& editing, UndoHistory& history,
                                   UserPrompts& prompts, BlockTransform transform) {
    KeepCurrentBlockInSlots(editing, tileSet);
    history.RecordUndoState(tileSet, editing);
    if (!TransformPixels(tileSet, editing.CurrentTile, transform)) {
        prompts.ShowMessage(kRotationRefusedMessage, kRotationRefusedCaption);
        return {HistoryChanged, true};
    }
    // Flips and turns refresh the map views too: the map shows these Blocks as well.
    return {HistoryChanged | TilesChanged | MapChanged, true};
}

} // namespace tessivar
