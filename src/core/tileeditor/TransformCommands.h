#pragma once

// The editor commands around the Block transforms: each sets Modified, records one undo
// state of the current Block, transforms it and tells the views. "Clear tile" is handled
// the same way here, so an accidental clear can be undone.

#include "core/workspace/UserPrompts.h"
#include "core/workspace/Workspace.h"

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
// the refusal through `prompts` and returns false; its undo state and Modified stay, as
// after any other transform.
bool ApplyBlockTransform(Workspace& workspace, UserPrompts& prompts, BlockTransform transform);

} // namespace tessivar
