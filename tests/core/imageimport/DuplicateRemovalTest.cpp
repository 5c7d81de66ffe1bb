// The hashed duplicate search against a direct pairwise search with a pass over the
// map for every merge.

#include "core/imageimport/DuplicateRemoval.h"
#include "core/imageimport/ImageImport.h"
#include "core/imageimport/TileSetOptimizer.h"
#include "core/workspace/Workspace.h"

#include "../../common/ScriptedPrompts.h"
#include "ImportTestSupport.h"
#include "PairwiseReference.h"

#include <gtest/gtest.h>

#include <random>

namespace tessivar::testing {
namespace {

void expectSameAsPairwise(const std::vector<Tile>& picture, DuplicateMode mode,
                          const std::string& what) {
    std::vector<Tile> fast = picture;
    std::vector<Tile> slow = picture;
    const TileRemap remap = RemoveDuplicateTiles(fast, mode);
    const std::vector<WideCell> cells = pairwiseRemoval(slow, mode);
    ASSERT_EQ(fast, slow) << what;
    ASSERT_EQ(remap.size(), cells.size()) << what;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        ASSERT_EQ(remap[k].tile, static_cast<std::uint32_t>(cells[k].tile))
            << what << " cell " << k;
        ASSERT_EQ(remap[k].toggleHFlip, cells[k].hflip) << what << " cell " << k;
        ASSERT_EQ(remap[k].toggleVFlip, cells[k].vflip) << what << " cell " << k;
    }
}

// A small pool of Tiles, some symmetric one way or both, so several flip tests can hold.
std::vector<Tile> tilePool(std::mt19937& random) {
    std::vector<Tile> pool;
    const int size = 1 + static_cast<int>(random() % 5);
    for (int p = 0; p < size; ++p) {
        Tile tile = RandomTile(random, 1 + static_cast<int>(random() % 4));
        const unsigned symmetry = random() % 4;
        if (symmetry & 1)
            for (int r = 0; r < 8; ++r)
                for (int c = 4; c < 8; ++c)
                    tile[r * 8 + c] = tile[r * 8 + 7 - c];
        if (symmetry & 2)
            for (int r = 4; r < 8; ++r)
                for (int c = 0; c < 8; ++c)
                    tile[r * 8 + c] = tile[(7 - r) * 8 + c];
        pool.push_back(tile);
    }
    return pool;
}

TEST(DuplicateRemoval, MatchesThePairwiseSearchOnRandomPictures) {
    std::mt19937 random(1234);
    for (int round = 0; round < 300; ++round) {
        const std::vector<Tile> pool = tilePool(random);
        std::vector<Tile> picture(1 + random() % 40);
        for (Tile& entry : picture)
            entry = random() % 8 == 0 ? RandomTile(random)
                                      : Oriented(pool[random() % pool.size()], random() % 4);
        for (DuplicateMode mode :
             {DuplicateMode::Full, DuplicateMode::Duplicates, DuplicateMode::None})
            expectSameAsPairwise(picture, mode,
                                 "round " + std::to_string(round) + " mode " +
                                     std::to_string(static_cast<int>(mode)));
    }
}

// Optimize against the pairwise merge over the tile set and the map.
TEST(TileSetOptimizer, MatchesThePairwiseMerge) {
    std::mt19937 random(99);
    for (int round = 0; round < 200; ++round) {
        ScriptedPrompts prompts;
        Workspace workspace(prompts);
        TileSet& set = workspace.tileSet;
        const std::vector<Tile> pool = tilePool(random);
        set.tileCount = 1 + static_cast<int>(random() % 40);
        for (int t = 0; t < kMaxTiles; ++t) {
            set.tiles[t] = pool[random() % pool.size()];
            set.tilePalette[t] = static_cast<int>(random() % 8);
        }
        workspace.map.ReplaceMapGrid(7, 5);
        for (MapCell& cell : workspace.map.grid.cells)
            cell.Tile = static_cast<std::uint16_t>(random() % (set.tileCount + 5));

        std::vector<Tile> tiles(set.tiles.begin(), set.tiles.begin() + set.tileCount);
        std::vector<int> palettes(set.tilePalette.begin(), set.tilePalette.begin() + set.tileCount);
        const MapGrid before = workspace.map.grid;
        MapGrid expectedMap = before;
        for (int i = 0; i < static_cast<int>(tiles.size()); ++i)
            for (int j = i + 1; j < static_cast<int>(tiles.size());) {
                if (tiles[j] != tiles[i]) {
                    ++j;
                    continue;
                }
                for (MapCell& cell : expectedMap.cells)
                    cell.Tile = static_cast<std::uint16_t>(
                        cell.Tile == j ? i : (cell.Tile > j ? cell.Tile - 1 : cell.Tile));
                tiles.erase(tiles.begin() + j);
                palettes.erase(palettes.begin() + j);
            }

        const OptimizeSummary summary = OptimizeTileSet(workspace.tileSet, workspace.map.grid);
        workspace.apply(summary.change);
        const int removed = summary.removed;
        ASSERT_EQ(set.tileCount, static_cast<int>(tiles.size())) << "round " << round;
        EXPECT_EQ(removed == 0, !workspace.editing.Modified) << "round " << round;
        EXPECT_EQ(workspace.map.MapModified, expectedMap != before) << "round " << round;
        for (int t = 0; t < set.tileCount; ++t) {
            ASSERT_EQ(set.tiles[t], tiles[t]) << "round " << round << " tile " << t;
            ASSERT_EQ(set.tilePalette[t], palettes[t]) << "round " << round << " tile " << t;
        }
        ASSERT_EQ(workspace.map.grid, expectedMap) << "round " << round;
    }
}

} // namespace
} // namespace tessivar::testing
