#include "core/interchange/TileSheetCommands.h"

#include "core/interchange/TileSheet.h"
#include "core/workspace/UserPrompts.h"

namespace tessivar {

bool ExportTileSheetCommand(const TileSet& tileSet, const TileEditorState& editing,
                            UserPrompts& prompts) {
    const auto path = prompts.ChooseFileToSave({kTileSheetFilter, "png", "", true});
    if (!path)
        return false;
    TileSheetLook look;
    look.Block = tileSet.Block;
    look.Palette = editing.CurrentPalette;
    look.PaletteSet = editing.CurrentPaletteSet;
    const Status written = WriteTileSheet(tileSet, look, *path);
    if (!written)
        prompts.ShowMessage("The tile sheet could not be saved to \"" + *path + "\".\n" +
                                written.error(),
                            "File Error");
    return written.ok();
}

DocumentChange ImportTileSheetCommand(TileSet& tileSet, const TileEditorState& editing,
                                      MapDocument& map, UserPrompts& prompts, bool overwrite,
                                      const TileSheetOpener& open) {
    const auto path = prompts.ChooseFileToOpen({kTileSheetFilter, "png", "", false});
    if (!path)
        return {};
    const int at = editing.CurrentTile;
    auto rows = open(*path);
    Result<ConvertedPicture> cut =
        rows ? CutTileSheet(*rows, tileSet.Block, static_cast<std::size_t>(kMaxTiles - at),
                            TileSheetBlockCountOf(*path))
             : Result<ConvertedPicture>(Fail(rows.error()));
    Result<ImportSummary> stored = Fail(cut.error());
    if (cut) {
        ImportOptions options;
        options.Mode = DuplicateMode::None;
        options.CreateMap = false;
        options.Overwrite = overwrite;
        const ImportTarget target{
            tileSet, map, at, editing.CurrentPalette, editing.CurrentPaletteSet, {}};
        stored = ImportTileSheet(target, *cut, tileSet.Block, options);
    }
    if (!stored) {
        prompts.ShowMessage("The tile sheet \"" + *path + "\" could not be imported.\n" +
                                stored.error(),
                            kImportErrorCaption);
        return {};
    }
    return stored->Change;
}

} // namespace tessivar
