#include "core/tileeditor/BlockSizeCommands.h"

#include "core/model/LenientInteger.h"
#include "core/tileeditor/BlockBounds.h"

namespace tessivar {

namespace {

void reshaped(Workspace& workspace) {
    workspace.notify(TilesChanged | TileSetReshaped | EditingChanged | MapChanged);
}

void alignSelectionToBlocks(EditingState& editing, int tilesPerBlock) {
    editing.SelectionStart = AlignBlockStart(editing.SelectionStart, tilesPerBlock);
    if (editing.SelectionEnd - editing.SelectionStart + 1 < tilesPerBlock)
        editing.SelectionEnd = editing.SelectionStart + tilesPerBlock - 1;
    editing.CurrentTile = editing.SelectionStart;
}

} // namespace

std::string BlockCountText(const TileSet& tileSet) {
    return std::to_string(tileSet.blockCount());
}

void SetFixedBlockSize(Workspace& workspace, EditorLayout& layout, BlockSize size) {
    workspace.tileSet.block = size;
    layout.layoutDirty = true;
    alignSelectionToBlocks(workspace.editing, size.tilesPerBlock());
    reshaped(workspace);
}

void SetSingleTileBlockSize(Workspace& workspace, EditorLayout& layout) {
    workspace.tileSet.block = BlockSize{8, 8};
    layout.layoutDirty = true;
    reshaped(workspace);
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

bool ApplyCustomBlockSize(Workspace& workspace, EditorLayout& layout, UserPrompts& prompts,
                          const std::string& widthText, const std::string& heightText) {
    const int width = ParseLenientInteger(widthText);
    const int height = ParseLenientInteger(heightText);
    if (const Status size = CheckCustomBlockSize(width, height); !size) {
        prompts.showMessage(size.error(), kSizeErrorCaption);
        return false;
    }
    TileSet& tileSet = workspace.tileSet;
    tileSet.block = BlockSize{width, height};
    layout.layoutDirty = true;
    if (tileSet.TilesPerBlock() > tileSet.tileCount)
        tileSet.tileCount = tileSet.TilesPerBlock();
    alignSelectionToBlocks(workspace.editing, tileSet.TilesPerBlock());
    reshaped(workspace);
    return true;
}

std::string TileCountFieldPreset(const TileSet& tileSet) {
    return BlockCountText(tileSet);
}

bool ApplyTileCount(Workspace& workspace, UserPrompts& prompts,
                    const std::optional<std::string>& entered) {
    TileSet& tileSet = workspace.tileSet;
    const int remembered = tileSet.tileCount;
    bool accepted = true;
    if (entered) {
        // Computed wide so that a huge entry cannot overflow into the accepted range.
        const long long wanted =
            static_cast<long long>(ParseLenientInteger(*entered)) * tileSet.TilesPerBlock();
        if (wanted > kMaxTiles || wanted < tileSet.TilesPerBlock()) {
            tileSet.tileCount = remembered;
            prompts.showMessage(kTileCountRangeMessage, kTileCountRangeCaption);
            accepted = false;
        } else {
            tileSet.tileCount = static_cast<int>(wanted);
        }
    }
    workspace.MarkModified();
    workspace.notify(TileSetReshaped | EditingChanged);
    return accepted;
}

} // namespace tessivar
