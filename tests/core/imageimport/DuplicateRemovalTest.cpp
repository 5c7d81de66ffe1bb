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
#include <tuple>

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
        ASSERT_EQ(remap[k].Tile, static_cast<std::uint32_t>(cells[k].tile))
            << what << " cell " << k;
        ASSERT_EQ(remap[k].ToggleHFlip, cells[k].hflip) << what << " cell " << k;
        ASSERT_EQ(remap[k].ToggleVFlip, cells[k].vflip) << what << " cell " << k;
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
        TileSet& set = workspace.CurrentTileSet;
        const std::vector<Tile> pool = tilePool(random);
        set.TileCount = 1 + static_cast<int>(random() % 40);
        for (int t = 0; t < kMaxTiles; ++t) {
            set.Tiles[t] = pool[random() % pool.size()];
            set.TilePalette[t] = static_cast<int>(random() % 8);
        }
        workspace.Map.ReplaceMapGrid(7, 5);
        for (MapCell& cell : workspace.Map.Grid.Cells)
            cell.Tile = static_cast<std::uint16_t>(random() % (set.TileCount + 5));

        std::vector<Tile> tiles(set.Tiles.begin(), set.Tiles.begin() + set.TileCount);
        std::vector<int> palettes(set.TilePalette.begin(), set.TilePalette.begin() + set.TileCount);
        const MapGrid before = workspace.Map.Grid;
        MapGrid expectedMap = before;
        for (int i = 0; i < static_cast<int>(tiles.size()); ++i)
            for (int j = i + 1; j < static_cast<int>(tiles.size());) {
                if (tiles[j] != tiles[i]) {
                    ++j;
                    continue;
                }
                for (MapCell& cell : expectedMap.Cells)
                    cell.Tile = static_cast<std::uint16_t>(
                        cell.Tile == j ? i : (cell.Tile > j ? cell.Tile - 1 : cell.Tile));
                tiles.erase(tiles.begin() + j);
                palettes.erase(palettes.begin() + j);
            }

        const OptimizeSummary summary =
            OptimizeTileSet(workspace.CurrentTileSet, workspace.Map.Grid);
        workspace.Apply(summary.Change);
        const int removed = summary.Removed;
        ASSERT_EQ(set.TileCount, static_cast<int>(tiles.size())) << "round " << round;
        EXPECT_EQ(removed == 0, !workspace.Editing.Modified) << "round " << round;
        EXPECT_EQ(workspace.Map.MapModified, expectedMap != before) << "round " << round;
        for (int t = 0; t < set.TileCount; ++t) {
            ASSERT_EQ(set.Tiles[t], tiles[t]) << "round " << round << " tile " << t;
            ASSERT_EQ(set.TilePalette[t], palettes[t]) << "round " << round << " tile " << t;
        }
        ASSERT_EQ(workspace.Map.Grid, expectedMap) << "round " << round;
    }
}

TEST(TileSetOptimizer, StatusTextSaysWhatWasRemoved) {
    const std::tuple<int, int, const char*> cases[] = {
        {193, 4, "Optimize: 4 duplicate Tiles removed (193 \u2192 189)"},
        {2, 1, "Optimize: 1 duplicate Tile removed (2 \u2192 1)"},
        {40, 0, "Optimize: no duplicate Tiles"},
    };
    for (const auto& [before, removed, text] : cases)
        EXPECT_EQ(OptimizeStatusText(before, removed), text);
}

} // namespace
} // namespace tessivar::testing
