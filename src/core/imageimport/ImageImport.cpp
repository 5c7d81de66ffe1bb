#include "core/imageimport/ImageImport.h"

#include "core/imageimport/PixelQuantizer.h"
#include "core/imageimport/TileReuse.h"
#include "core/model/TileSlots.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

namespace tessivar {

namespace {

void StoreGreyPalette(TileSet& tileSet, int paletteSet, int palette) {
    for (int c = 0; c < kColorsPerPalette; ++c) {
        const int component = kGreyLevels[static_cast<std::size_t>(c)] >> 3;
        tileSet.Palettes[static_cast<std::size_t>(paletteSet)][static_cast<std::size_t>(palette)]
                        [static_cast<std::size_t>(c)] = {component, component, component};
    }
}

// `slots`, when not empty, gives the slot and flips of each of the plan's Tiles (reuse).
void FillMap(MapGrid& grid, const ImportPlan& plan, int firstSlot, int palette,
             const std::vector<TileRemap::Target>& slots) {
    for (std::size_t k = 0; k < grid.Cells.size(); ++k) {
        TileRemap::Target target = plan.Cells[k];
        if (!slots.empty()) {
            const TileRemap::Target& slot = slots[target.Tile];
            target = {slot.Tile, target.ToggleHFlip != slot.ToggleHFlip,
                      target.ToggleVFlip != slot.ToggleVFlip};
        } else {
            target.Tile += static_cast<std::uint32_t>(firstSlot);
        }
        MapCell& cell = grid.Cells[k];
        cell.Tile = static_cast<std::uint16_t>(target.Tile);
        cell.Palette = static_cast<std::uint8_t>(palette);
        cell.HFlip = target.ToggleHFlip ? 1 : 0;
        cell.VFlip = target.ToggleVFlip ? 1 : 0;
    }
}

// A map of the picture must fit the map's size limit; checked before any row is read.
Status CheckImportedMapSize(int columns, int rows, const ImportOptions& options) {
    if (options.CreateMap && (columns > kMaxMapSide || rows > kMaxMapSide))
        return Fail("The picture is too large for a map");
    return Ok();
}

// The cutter of an import: with reuse, Tiles the set has do not count against the free
// slots (`inSet` must outlive the cutter).
TileCutter CutterFor(const ImportTarget& target, int width, int height,
                     const ImportOptions& options, const TileSetIndex& inSet) {
    TileCutter cutter(width, height, options.Mode, options.CreateMap, target.FirstTile);
    if (options.Reuse)
        cutter.LeaveUncounted(inSet);
    return cutter;
}

Result<ImportSummary> StorePlan(const ImportTarget& target, ImportPlan plan,
                                const ImportOptions& options) {
    const int at = target.FirstTile;
    std::vector<TileRemap::Target> slots;
    if (options.Reuse) {
        slots = ReuseSetTiles(plan.Tiles, target.Destination, at, options.Overwrite, options.Mode);
        if (plan.Tiles.size() > static_cast<std::size_t>(kMaxTiles - at))
            return Fail("This picture needs " + std::to_string(plan.Tiles.size()) +
                        " tiles the set does not have, but only " + std::to_string(kMaxTiles - at) +
                        " tile slots remain from tile " + std::to_string(at) + " on.");
    }
    const std::size_t count = plan.Tiles.size();
    ImportSummary summary;
    summary.TilesCut = plan.TilesCut;
    summary.TilesKept = count;
    summary.FirstSlot = at;
    if (options.CreateMap && target.MayReplaceMap && !target.MayReplaceMap()) {
        summary.Cancelled = true;
        return summary;
    }

    TileSet& tileSet = target.Destination;
    MapDocument& map = target.Map;
    const int palette = target.Palette;
    const int paletteSet = target.PaletteSet;
    const int stored = static_cast<int>(count);
    bool mapChanged = false;
    if (options.CreateMap) {
        map.ReplaceMapGrid(plan.Columns, plan.Rows);
        FillMap(map.Grid, plan, at, palette, slots);
        summary.MapWidth = plan.Columns;
        summary.MapHeight = plan.Rows;
        mapChanged = true;
    }
    if (options.Overwrite) {
        tileSet.TileCount = std::max(tileSet.TileCount, at + stored);
    } else {
        MakeRoomForTiles(tileSet, at, stored);
        // The existing map keeps showing the same pictures.
        if (!options.CreateMap)
            mapChanged = TileRemap::ForInsertion(at, stored).Apply(map.Grid);
    }
    StoreGreyPalette(tileSet, paletteSet, palette);
    for (int k = 0; k < stored; ++k) {
        tileSet.Tiles[static_cast<std::size_t>(at + k)] = plan.Tiles[static_cast<std::size_t>(k)];
        tileSet.TilePalette[static_cast<std::size_t>(at + k)] = palette;
        tileSet.TilePaletteSet[static_cast<std::size_t>(at + k)] = paletteSet;
    }
    summary.Change.TileSetModified = true;
    summary.Change.MapModified = mapChanged;
    summary.Change.Views = TilesChanged | TileSetReshaped | MapChanged | TileSetTitleChanged;
    if (options.CreateMap) {
        map.ForgetMapFileName();
        summary.Change.Views |= MapResized | MapTitleChanged;
    }
    return summary;
}

// The cut Tiles, the duplicate index and a new map are the import's large allocations:
// running out of memory for them is a failure like any other.
template <class Import> Result<ImportSummary> FailingOutOfMemory(const Import& import) {
    try {
        return import();
    } catch (const std::bad_alloc&) {
        return Fail(kPictureOutOfMemory);
    }
}

Result<ImportSummary> ImportConverted(const ImportTarget& target, const ConvertedPicture& picture,
                                      const ImportOptions& options) {
    if (Status fits =
            CheckImportedMapSize(picture.Width / kTileSide, picture.Height / kTileSide, options);
        !fits)
        return Fail(fits.error());
    const TileSetIndex inSet(target.Destination,
                             options.Reuse ? options.Mode : DuplicateMode::None);
    TileCutter cutter = CutterFor(target, picture.Width, picture.Height, options, inSet);
    const auto width = static_cast<std::size_t>(picture.Width);
    for (int y = 0; y < picture.Height; ++y)
        if (Status cut = cutter.AddRow(
                std::span(picture.Indices).subspan(static_cast<std::size_t>(y) * width, width));
            !cut)
            return Fail(cut.error());
    return StorePlan(target, std::move(cutter).Finish(), options);
}

Result<ImportSummary> ImportRows(const ImportTarget& target, PictureReader& source,
                                 const ConversionSettings& settings, const ImportOptions& options) {
    if (!ImportSettingsValid(settings.Size, settings.DitherPercent))
        return Fail(kInvalidImportSettings);
    const ImportSize size = settings.Size;
    if (Status fits =
            CheckImportedMapSize(size.Width / kTileSide, size.Height / kTileSide, options);
        !fits)
        return Fail(fits.error());
    const TileSetIndex inSet(target.Destination,
                             options.Reuse ? options.Mode : DuplicateMode::None);
    TileCutter cutter = CutterFor(target, size.Width, size.Height, options, inSet);
    if (Status converted = ConvertPictureRows(
            source, settings, [&](std::span<const ColorIndex> row) { return cutter.AddRow(row); });
        !converted)
        return Fail(converted.error());
    return StorePlan(target, std::move(cutter).Finish(), options);
}

} // namespace

Result<ImportSummary> ImportConvertedImage(const ImportTarget& target,
                                           const ConvertedPicture& picture,
                                           const ImportOptions& options) {
    return FailingOutOfMemory([&] { return ImportConverted(target, picture, options); });
}

Result<ImportSummary> ImportPicture(const ImportTarget& target, PictureReader& source,
                                    const ConversionSettings& settings,
                                    const ImportOptions& options) {
    return FailingOutOfMemory([&] { return ImportRows(target, source, settings, options); });
}

} // namespace tessivar
