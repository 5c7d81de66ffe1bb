#include "core/interchange/TileSheetImport.h"

namespace tessivar {

Result<ImportSummary> ImportTileSheet(Workspace& workspace, const ConvertedPicture& cut,
                                      BlockSize block, const ImportOptions& options) {
    if (block.tilesPerBlock() != 1 && (options.createMap || options.mode != DuplicateMode::None))
        return Fail("A map and duplicate removal work on 8 x 8 Tiles; cut the sheet into "
                    "8 x 8 Blocks for them");
    const auto set = static_cast<std::size_t>(workspace.editing.CurrentPaletteSet & 7);
    const auto palette = static_cast<std::size_t>(workspace.editing.CurrentPalette & 7);
    const Palette kept = workspace.tileSet.paletteTable[set][palette];
    auto summary = ImportConvertedImage(workspace, cut, options);
    // The picture import turns the palette grey; a sheet's colours are the set's own.
    workspace.tileSet.paletteTable[set][palette] = kept;
    return summary;
}

} // namespace tessivar
