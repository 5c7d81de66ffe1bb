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

void storeGreyPalette(TileSet& tileSet, int paletteSet, int palette) {
    for (int c = 0; c < kColorsPerPalette; ++c) {
        const int component = kGreyLevels[static_cast<std::size_t>(c)] >> 3;
        tileSet.paletteTable[static_cast<std::size_t>(paletteSet)][static_cast<std::size_t>(
            palette)][static_cast<std::size_t>(c)] = {component, component, component};
    }
}

// `slots`, when not empty, gives the slot and flips of each of the plan's Tiles (reuse).
void fillMap(MapGrid& grid, const ImportPlan& plan, int firstSlot, int palette,
             const std::vector<TileRemap::Target>& slots) {
    for (std::size_t k = 0; k < grid.cells.size(); ++k) {
        TileRemap::Target target = plan.cells[k];
        if (!slots.empty()) {
            const TileRemap::Target& slot = slots[target.tile];
            target = {slot.tile, target.toggleHFlip != slot.toggleHFlip,
                      target.toggleVFlip != slot.toggleVFlip};
        } else {
            target.tile += static_cast<std::uint32_t>(firstSlot);
        }
        MapCell& cell = grid.cells[k];
        cell.Tile = static_cast<std::uint16_t>(target.tile);
        cell.Palette = static_cast<std::uint8_t>(palette);
        cell.HFlip = target.toggleHFlip ? 1 : 0;
        cell.VFlip = target.toggleVFlip ? 1 : 0;
    }
}

// A map of the picture must fit the map's size limit; checked before any row is read.
Status checkMapSize(int columns, int rows, const ImportOptions& options) {
    if (options.createMap && (columns > kMaxMapSide || rows > kMaxMapSide))
        return Fail("The picture is too large for a map");
    return Ok();
}

// The cutter of an import: with reuse, Tiles the set has do not count against the free
// slots (`inSet` must outlive the cutter).
TileCutter cutterFor(const ImportTarget& target, int width, int height,
                     const ImportOptions& options, const TileSetIndex& inSet) {
    TileCutter cutter(width, height, options.mode, options.createMap, target.firstTile);
    if (options.reuse)
        cutter.LeaveUncounted(inSet);
    return cutter;
}

Result<ImportSummary> storePlan(const ImportTarget& target, ImportPlan plan,
                                const ImportOptions& options) {
    const int at = target.firstTile;
    std::vector<TileRemap::Target> slots;
    if (options.reuse) {
        slots = ReuseSetTiles(plan.tiles, target.tileSet, at, options.overwrite, options.mode);
        if (plan.tiles.size() > static_cast<std::size_t>(kMaxTiles - at))
            return Fail("This picture needs " + std::to_string(plan.tiles.size()) +
                        " tiles the set does not have, but only " + std::to_string(kMaxTiles - at) +
                        " tile slots remain from tile " + std::to_string(at) + " on.");
    }
    const std::size_t count = plan.tiles.size();
    ImportSummary summary;
    summary.tilesCut = plan.tilesCut;
    summary.tilesKept = count;
    summary.firstSlot = at;
    if (options.createMap && target.mayReplaceMap && !target.mayReplaceMap()) {
        summary.cancelled = true;
        return summary;
    }

    TileSet& tileSet = target.tileSet;
    MapDocument& map = target.map;
    const int palette = target.palette;
    const int paletteSet = target.paletteSet;
    const int stored = static_cast<int>(count);
    bool mapChanged = false;
    if (options.createMap) {
        map.ReplaceMapGrid(plan.columns, plan.rows);
        fillMap(map.grid, plan, at, palette, slots);
        summary.mapWidth = plan.columns;
        summary.mapHeight = plan.rows;
        mapChanged = true;
    }
    if (options.overwrite) {
        tileSet.tileCount = std::max(tileSet.tileCount, at + stored);
    } else {
        MakeRoomForTiles(tileSet, at, stored);
        // The existing map keeps showing the same pictures.
        if (!options.createMap)
            mapChanged = TileRemap::ForInsertion(at, stored).Apply(map.grid);
    }
    storeGreyPalette(tileSet, paletteSet, palette);
    for (int k = 0; k < stored; ++k) {
        tileSet.tiles[static_cast<std::size_t>(at + k)] = plan.tiles[static_cast<std::size_t>(k)];
        tileSet.tilePalette[static_cast<std::size_t>(at + k)] = palette;
        tileSet.tilePaletteSet[static_cast<std::size_t>(at + k)] = paletteSet;
    }
    summary.change.tileSetModified = true;
    summary.change.mapModified = mapChanged;
    summary.change.views = TilesChanged | TileSetReshaped | MapChanged | TileSetTitleChanged;
    if (options.createMap) {
        map.ForgetMapFileName();
        summary.change.views |= MapResized | MapTitleChanged;
    }
    return summary;
}

// The cut Tiles, the duplicate index and a new map are the import's large allocations:
// running out of memory for them is a failure like any other.
template <class Import> Result<ImportSummary> failingOutOfMemory(const Import& import) {
    try {
        return import();
    } catch (const std::bad_alloc&) {
        return Fail(kPictureOutOfMemory);
    }
}

Result<ImportSummary> importConverted(const ImportTarget& target, const ConvertedPicture& picture,
                                      const ImportOptions& options) {
    if (Status fits = checkMapSize(picture.width / kTileSide, picture.height / kTileSide, options);
        !fits)
        return Fail(fits.error());
    const TileSetIndex inSet(target.tileSet, options.reuse ? options.mode : DuplicateMode::None);
    TileCutter cutter = cutterFor(target, picture.width, picture.height, options, inSet);
    const auto width = static_cast<std::size_t>(picture.width);
    for (int y = 0; y < picture.height; ++y)
        if (Status cut = cutter.AddRow(
                std::span(picture.indices).subspan(static_cast<std::size_t>(y) * width, width));
            !cut)
            return Fail(cut.error());
    return storePlan(target, std::move(cutter).Finish(), options);
}

Result<ImportSummary> importRows(const ImportTarget& target, PictureReader& source,
                                 const ConversionSettings& settings, const ImportOptions& options) {
    if (!ImportSettingsValid(settings.size, settings.ditherPercent))
        return Fail(kInvalidImportSettings);
    const ImportSize size = settings.size;
    if (Status fits = checkMapSize(size.width / kTileSide, size.height / kTileSide, options); !fits)
        return Fail(fits.error());
    const TileSetIndex inSet(target.tileSet, options.reuse ? options.mode : DuplicateMode::None);
    TileCutter cutter = cutterFor(target, size.width, size.height, options, inSet);
    if (Status converted = ConvertPictureRows(
            source, settings, [&](std::span<const ColorIndex> row) { return cutter.AddRow(row); });
        !converted)
        return Fail(converted.error());
    return storePlan(target, std::move(cutter).Finish(), options);
}

} // namespace

Result<ImportSummary> ImportConvertedImage(const ImportTarget& target,
                                           const ConvertedPicture& picture,
                                           const ImportOptions& options) {
    return failingOutOfMemory([&] { return importConverted(target, picture, options); });
}

Result<ImportSummary> ImportPicture(const ImportTarget& target, PictureReader& source,
                                    const ConversionSettings& settings,
                                    const ImportOptions& options) {
    return failingOutOfMemory([&] { return importRows(target, source, settings, options); });
}

} // namespace tessivar
