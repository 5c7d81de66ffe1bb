#include "core/imageimport/ImageImport.h"

#include "core/imageimport/PixelQuantizer.h"
#include "core/imageimport/TileReuse.h"
#include "core/model/TileSlots.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tessivar {

namespace {

std::vector<Tile> cutTiles(const ConvertedPicture& picture, int columns, int rows) {
    std::vector<Tile> tiles(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    for (int ty = 0; ty < rows; ++ty)
        for (int py = 0; py < kTileSide; ++py) {
            const ColorIndex* source =
                &picture.indices[static_cast<std::size_t>(ty * kTileSide + py) *
                                 static_cast<std::size_t>(picture.width)];
            Tile* tile = &tiles[static_cast<std::size_t>(ty) * static_cast<std::size_t>(columns)];
            for (int tx = 0; tx < columns; ++tx, source += kTileSide)
                std::memcpy(&(*tile++)[static_cast<std::size_t>(py * kTileSide)], source,
                            kTileSide);
        }
    return tiles;
}

std::string capacityMessage(std::size_t needed, int firstSlot) {
    return "This picture needs " + std::to_string(needed) + " tiles, but only " +
           std::to_string(kMaxTiles - firstSlot) + " tile slots remain from tile " +
           std::to_string(firstSlot) + " on (the set holds at most " + std::to_string(kMaxTiles) +
           " tiles).";
}

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

} // namespace

ImportPlan PlanImport(const ConvertedPicture& picture, DuplicateMode mode) {
    ImportPlan plan;
    plan.columns = picture.width / kTileSide;
    plan.rows = picture.height / kTileSide;
    plan.tiles = cutTiles(picture, plan.columns, plan.rows);
    plan.tilesCut = plan.tiles.size();
    plan.cells = RemoveDuplicateTiles(plan.tiles, mode);
    return plan;
}

Result<ImportSummary> ImportConvertedImage(Workspace& workspace, const ConvertedPicture& picture,
                                           const ImportOptions& options) {
    const int at = workspace.editing.CurrentTile;
    ImportPlan plan = PlanImport(picture, options.mode);
    std::vector<TileRemap::Target> slots;
    if (options.reuse)
        slots = ReuseSetTiles(plan.tiles, workspace.tileSet, at, options.overwrite, options.mode);
    const std::size_t count = plan.tiles.size();
    if (at < 0 || at >= kMaxTiles || count > static_cast<std::size_t>(kMaxTiles - at))
        return Fail(capacityMessage(count, std::clamp(at, 0, kMaxTiles)));
    if (options.createMap && (plan.columns > kMaxMapSide || plan.rows > kMaxMapSide))
        return Fail("The picture is too large for a map");

    ImportSummary summary;
    summary.tilesCut = plan.tilesCut;
    summary.tilesKept = count;
    summary.firstSlot = at;
    if (options.createMap && !workspace.QuerySaveMap()) {
        summary.cancelled = true;
        return summary;
    }

    TileSet& tileSet = workspace.tileSet;
    MapDocument& map = workspace.map;
    const int palette = workspace.editing.CurrentPalette;
    const int paletteSet = workspace.editing.CurrentPaletteSet;
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
    workspace.MarkModified();
    unsigned changes = TilesChanged | TileSetReshaped | MapChanged | TileSetTitleChanged;
    if (mapChanged)
        map.MarkMapModified();
    if (options.createMap) {
        map.ForgetMapFileName();
        changes |= MapResized | MapTitleChanged;
    }
    workspace.notify(changes);
    return summary;
}

} // namespace tessivar
