#pragma once

// The "Tiles" menu's Block sizes and the Number of Tiles dialog. The dialogs themselves
// are widgets; they pass the typed text here and show what comes back through
// UserPrompts. After any of these the window runs UpdateEditorLayout and rewrites the
// Block count beside "# Tiles:" (BlockCountText).

#include "core/model/DocumentChange.h"
#include "core/model/TileEditorState.h"
#include "core/model/TileSet.h"
#include "core/tileeditor/EditorLayout.h"
#include "core/util/Result.h"
#include "core/workspace/UserPrompts.h"

#include <optional>
#include <string>

namespace tessivar {

inline constexpr const char* kSizeErrorCaption = "Size error";
inline constexpr const char* kTileCountRangeMessage = "The tile count you entered is out of range!";
inline constexpr const char* kTileCountRangeCaption = "BAD BAD";

// "%d" of tile count div TilesPerBlock.
std::string BlockCountText(const TileSet& tileSet);

// "8x16", "16x16", "32x32": sets the size, aligns the selection to whole Blocks that fit
// into the slots and puts CurrentTile at its start.
DocumentChange SetFixedBlockSize(TileSet& tileSet, TileEditorState& editing, EditorLayout& layout,
                                 BlockSize size);
// "8x8": every Tile starts a Block, so the selection and CurrentTile stay.
DocumentChange SetSingleTileBlockSize(TileSet& tileSet, EditorLayout& layout);

// The Tile Size dialog's checks in their order; empty when width x height is accepted.
Status CheckCustomBlockSize(int width, int height);
// The Tile Size dialog's "Change". An empty change (after the "Size error" message) when
// the size is refused and the dialog must stay open. An accepted size grows the tile
// count to one Block when needed.
DocumentChange ApplyCustomBlockSize(TileSet& tileSet, TileEditorState& editing,
                                    EditorLayout& layout, UserPrompts& prompts,
                                    const std::string& widthText, const std::string& heightText);

// The Number of Tiles dialog's preset: "%d" of tile count div TilesPerBlock.
std::string TileCountFieldPreset(const TileSet& tileSet);
// Closing the Number of Tiles dialog: `entered` is the field's text after "Change",
// nullopt after "Cancel". Either way the set is modified. A count out of range is
// refused with a message and the old count kept.
DocumentChange ApplyTileCount(TileSet& tileSet, UserPrompts& prompts,
                              const std::optional<std::string>& entered);

} // namespace tessivar
