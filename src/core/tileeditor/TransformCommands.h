#pragma once

// The editor commands around the Block transforms: each sets Modified, records one undo
// state of the current Block, transforms it and tells the views. "Clear tile" is handled
// the same way here, so an accidental clear can be undone.

#include "core/model/DocumentChange.h"
#include "core/model/TileEditorState.h"
#include "core/model/TileSet.h"
#include "core/model/UndoHistory.h"
#include "core/workspace/UserPrompts.h"

namespace tessivar {

enum class BlockTransform {
    ShiftLeft,
    ShiftRight,
    ShiftUp,
    ShiftDown,
    FlipHorizontal,
    FlipVertical,
    RotateRight,
    Clear,
};

inline constexpr const char* kRotationRefusedMessage = "Rotation only works for square tiles.";
inline constexpr const char* kRotationRefusedCaption = "Error";

// Runs one transform on the Block at CurrentTile. A rotation of a non-square Block shows
// the refusal through `prompts` and leaves the pixels alone; its undo state and the
// modified set stay, as after any other transform.
DocumentChange ApplyBlockTransform(TileSet& tileSet, TileEditorState& editing, UndoHistory& history,
                                   UserPrompts& prompts, BlockTransform transform);

} // namespace tessivar
