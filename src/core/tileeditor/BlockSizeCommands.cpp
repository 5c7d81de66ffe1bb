#include "core/tileeditor/BlockSizeCommands.h"

#include "core/model/LenientInteger.h"
#include "core/tileeditor/BlockBounds.h"

namespace tessivar {

namespace {

constexpr DocumentChange kReshaped{TilesChanged | TileSetReshaped | EditingChanged | MapChanged};

void AlignSelectionToBlocks(TileEditorState& editing, int tilesPerBlock) {
    editing.SelectionStart = AlignBlockStart(editing.SelectionStart, tilesPerBlock);
    if (editing.SelectionEnd - editing.SelectionStart + 1 < tilesPerBlock)
        editing.SelectionEnd = editing.SelectionStart + tilesPerBlock - 1;
    editing.CurrentTile = editing.SelectionStart;
}

} // namespace

std::string BlockCountText(const TileSet& tileSet) {
    return std::to_string(tileSet.BlockCount());
}

DocumentChange SetFixedBlockSize(TileSet& tileSet, TileEditorState& editing, EditorLayout& layout,
                                 BlockSize size) {
    tileSet.Block = size;
    layout.LayoutDirty = true;
    AlignSelectionToBlocks(editing, size.TilesPerBlock());
    return kReshaped;
}

DocumentChange SetSingleTileBlockSize(TileSet& tileSet, EditorLayout& layout) {
    tileSet.Block = BlockSize{8, 8};
    layout.LayoutDirty = true;
    return kReshaped;
}

Status CheckCustomBlockSize(int width, int height) {
    if (width > kMaxBlockWidth)
        return Fail("The width entered is larger than 240");
    if (height > kMaxBlockHeight)
        return Fail("The height entered is larger than 128");
    if (width < 1)
        return Fail("The width entered is invalid");
    if (height < 1)
        return Fail("The height entered is invalid");
    return Ok();
}

DocumentChange ApplyCustomBlockSize(TileSet& tileSet, TileEditorState& editing,
                                    EditorLayout& layout, UserPrompts& prompts,
                                    const std::string& widthText, const std::string& heightText) {
    const int width = ParseLenientInteger(widthText);
    const int height = ParseLenientInteger(heightText);
    if (const Status size = CheckCustomBlockSize(width, height); !size) {
        prompts.ShowMessage(size.error(), kSizeErrorCaption);
        return {};
    }
    tileSet.Block = BlockSize{width, height};
    layout.LayoutDirty = true;
    if (tileSet.TilesPerBlock() > tileSet.TileCount)
        tileSet.TileCount = tileSet.TilesPerBlock();
    AlignSelectionToBlocks(editing, tileSet.TilesPerBlock());
    return kReshaped;
}

std::string TileCountFieldPreset(const TileSet& tileSet) {
    return BlockCountText(tileSet);
}

DocumentChange ApplyTileCount(TileSet& tileSet, UserPrompts& prompts,
                              const std::optional<std::string>& entered) {
    const int remembered = tileSet.TileCount;
    if (entered) {
        // Computed wide so that a huge entry cannot overflow into the accepted range.
        const long long wanted =
            static_cast<long long>(ParseLenientInteger(*entered)) * tileSet.TilesPerBlock();
        if (wanted > kMaxTiles || wanted < tileSet.TilesPerBlock()) {
            tileSet.TileCount = remembered;
            prompts.ShowMessage(kTileCountRangeMessage, kTileCountRangeCaption);
        } else {
            tileSet.TileCount = static_cast<int>(wanted);
        }
    }
    return {TileSetReshaped | EditingChanged, true};
}

} // namespace tessivar
