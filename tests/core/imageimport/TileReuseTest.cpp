// Reusing a set's Tiles for a picture's: which Tiles are reused, in which slot and
// flips they end up, and how the placement limits the candidates.

#include "core/imageimport/TileReuse.h"
#include "core/imageimport/TileOrientation.h"

#include <gtest/gtest.h>

#include <memory>

namespace tessivar {
namespace {

Tile marked(int a, int b) {
    Tile tile{};
    tile[static_cast<std::size_t>(a)] = 1;
    tile[static_cast<std::size_t>(b)] = 2;
    return tile;
}

TEST(TileReuse, SetTilesShowThePictureTilesTheyEqual) {
    auto set = std::make_unique<TileSet>();
    const Tile a = marked(0, 9), b = marked(1, 20), c = marked(2, 40), d = marked(3, 50);
    set->Tiles[0] = a;
    set->Tiles[1] = b;
    set->Tiles[2] = c;
    set->TileCount = 3;
    set->Tiles[3] = d; // left behind past the count: no candidate
    struct Case {
        int at;
        bool overwrite;
        DuplicateMode mode;
        std::vector<TileRemap::Target> expected; // for A, B mirrored, D, C
        std::vector<Tile> stored;
    } cases[] = {
        {3, true, DuplicateMode::Full, {{0}, {1, true, false}, {3}, {2}}, {d}},
        {3, true, DuplicateMode::None, {{0}, {3}, {4}, {2}}, {Mirrored(b), d}},
        // Slot 2 is overwritten by the new Tiles, so C cannot be reused.
        {2, true, DuplicateMode::Full, {{0}, {1, true, false}, {2}, {3}}, {d, c}},
        // Inserting at 1 moves B and C up by the one new Tile.
        {1, false, DuplicateMode::Full, {{0}, {2, true, false}, {1}, {3}}, {d}},
    };
    for (const Case& k : cases) {
        std::vector<Tile> tiles = {a, Mirrored(b), d, c};
        const auto slots = ReuseSetTiles(tiles, *set, k.at, k.overwrite, k.mode);
        ASSERT_EQ(slots.size(), 4u);
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(slots[i].Tile, k.expected[i].Tile) << "at " << k.at << " Tile " << i;
            EXPECT_EQ(slots[i].ToggleHFlip, k.expected[i].ToggleHFlip) << "at " << k.at;
            EXPECT_FALSE(slots[i].ToggleVFlip);
        }
        EXPECT_TRUE(tiles == k.stored) << "at " << k.at;
    }
}

TEST(TileReuse, TilesPushedOffAFullSetAreNotReused) {
    auto set = std::make_unique<TileSet>();
    set->TileCount = kMaxTiles;
    set->Tiles[kMaxTiles - 1] = marked(5, 6);
    std::vector<Tile> tiles = {marked(7, 8), marked(5, 6)};
    const auto slots = ReuseSetTiles(tiles, *set, 0, false, DuplicateMode::Full);
    EXPECT_EQ(tiles.size(), 2u); // the last slot falls off when two Tiles are inserted
    EXPECT_EQ(slots[1].Tile, 1u);
}

} // namespace
} // namespace tessivar
