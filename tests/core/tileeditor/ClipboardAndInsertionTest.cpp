#include "TileEditorTestSupport.h"
#include "core/model/TileSlots.h"
#include "core/tileeditor/TileClipboard.h"
#include "core/tileeditor/TileInsertion.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

using tileeditor_test::Fixture;

// Tile n holds n in its first byte, palette n % 8, palette set (n / 8) % 8, and custom
// value n in category 0, so moves are visible everywhere.
void numberTiles(TileSet& tileSet) {
    for (int n = 0; n < kMaxTiles; ++n) {
        tileSet.Tiles[n].fill(0);
        tileSet.Tiles[n][0] = static_cast<ColorIndex>(n % 256);
        tileSet.Tiles[n][1] = static_cast<ColorIndex>(n / 256);
        tileSet.TilePalette[n] = n % 8;
        tileSet.TilePaletteSet[n] = (n / 8) % 8;
        tileSet.TileInfo[n][0] = n;
    }
}

int numberOf(const TileSet& tileSet, int slot) {
    return tileSet.Tiles[slot][0] + 256 * tileSet.Tiles[slot][1];
}

TEST(TileClipboard, PasteBeforeAnyCopyIsOneBlankTile) {
    Fixture f({8, 8}, 16);
    numberTiles(f.tiles());
    f.editing().CurrentTile = 3;
    f.run(TileClipboard().PasteTiles(f.tiles(), f.editing(), false));
    EXPECT_EQ(f.tiles().TileCount, 17);
    EXPECT_EQ(f.tiles().Tiles[3], Tile{});
    EXPECT_EQ(numberOf(f.tiles(), 4), 3);
}

// Every slot after a copy of Tiles 2..5 pasted at Tile 10 of 20: pixels, palette and
// palette set of each slot are those of the listed source slot.
TEST(TileClipboard, CopyThenPasteInsertingOrOverwriting) {
    for (bool overwrite : {false, true}) {
        Fixture f({8, 8}, 20);
        f.scramble();
        const TileSet before = f.tiles();
        f.workspace.Map.Cell(0, 0).Tile = 12;
        TileClipboard clipboard;
        f.editing().SelectionStart = 2;
        f.editing().SelectionEnd = 5;
        clipboard.CopyTiles(f.tiles(), f.editing());
        f.editing().CurrentTile = 10;
        f.run(clipboard.PasteTiles(f.tiles(), f.editing(), overwrite));
        for (int slot = 0; slot < kMaxTiles; ++slot) {
            int from = slot;
            if (slot >= 10 && slot < 14)
                from = slot - 8;
            else if (!overwrite && slot >= 14 && slot < 24)
                from = slot - 4;
            ASSERT_EQ(f.tiles().Tiles[slot], before.Tiles[from]) << slot;
            ASSERT_EQ(f.tiles().TilePalette[slot], before.TilePalette[from]) << slot;
            ASSERT_EQ(f.tiles().TilePaletteSet[slot], before.TilePaletteSet[from]) << slot;
        }
        EXPECT_EQ(f.tiles().TileCount, overwrite ? 20 : 24);
        EXPECT_EQ(f.workspace.Map.Cell(0, 0).Tile, 12); // paste never renumbers
        EXPECT_EQ(f.tiles().TileInfo, before.TileInfo); // custom values stay with slots
        EXPECT_FALSE(f.editing().Modified);
        EXPECT_FALSE(f.workspace.History.CanUndo());
    }
}

TEST(TileClipboard, PasteDropsTilesPastTheLastSlot) {
    for (bool overwrite : {false, true}) {
        Fixture f({8, 8}, 768);
        numberTiles(f.tiles());
        TileClipboard clipboard;
        f.editing().SelectionStart = 0;
        f.editing().SelectionEnd = 3;
        clipboard.CopyTiles(f.tiles(), f.editing());
        f.editing().CurrentTile = 766;
        f.run(clipboard.PasteTiles(f.tiles(), f.editing(), overwrite));
        EXPECT_EQ(numberOf(f.tiles(), 766), 0);
        EXPECT_EQ(numberOf(f.tiles(), 767), 1);
        EXPECT_EQ(f.tiles().TileCount, 768);
    }
}

TEST(TileClipboard, CopyStopsAtTheLastSlot) {
    Fixture f({8, 8}, 768);
    TileClipboard clipboard;
    f.editing().SelectionStart = 766;
    f.editing().SelectionEnd = 900;
    clipboard.CopyTiles(f.tiles(), f.editing());
    EXPECT_EQ(clipboard.Count(), 2);
}

TEST(TileInsertion, InsertBlockRenumbersTheMapByABlock) {
    Fixture f({16, 16}, 32);
    numberTiles(f.tiles());
    const std::uint16_t before[] = {9, 10, 12, 65535};
    const std::uint16_t after[] = {9, 14, 16, 65535};
    for (int i = 0; i < 4; ++i)
        f.workspace.Map.Cell(0, i).Tile = before[i];
    f.editing().CurrentTile = 10;
    f.run(InsertBlock(f.tiles(), f.editing(), f.workspace.Map.Grid));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f.workspace.Map.Cell(0, i).Tile, after[i]) << i;
    EXPECT_EQ(f.tiles().TileCount, 36);
    for (int t = 10; t < 14; ++t)
        EXPECT_EQ(f.tiles().Tiles[t], Tile{});
    EXPECT_EQ(numberOf(f.tiles(), 14), 10);
    EXPECT_EQ(f.tiles().TilePaletteSet[14], 1);
}

TEST(TileInsertion, InsertIntoAFullSetLosesTheLastTile) {
    Fixture f({8, 8}, 768);
    numberTiles(f.tiles());
    f.editing().CurrentTile = 100;
    f.run(InsertBlock(f.tiles(), f.editing(), f.workspace.Map.Grid));
    EXPECT_EQ(f.tiles().TileCount, 768);
    EXPECT_EQ(numberOf(f.tiles(), 767), 766);
}

TEST(TileInsertion, RoomOutsideTheSlotsOrForNoTilesChangesNothing) {
    Fixture f({8, 8}, 2);
    numberTiles(f.tiles());
    const TileSet before = f.tiles();
    for (const auto& [at, count] : {std::pair{kMaxTiles, 1}, {-1, 1}, {0, 0}})
        MakeRoomForTiles(f.tiles(), at, count);
    EXPECT_TRUE(before == f.tiles());
}

TEST(TileInsertion, DeleteTilesRemovesAtLeastOneBlockAndRenumbers) {
    struct Case {
        BlockSize block;
        int tileCount, selectionStart, selectionEnd;
        int removed;
    };
    const Case cases[] = {
        {{8, 8}, 16, 3, 3, 1},
        {{8, 16}, 16, 3, 3, 2}, // a whole Block although one Tile is selected
        {{8, 8}, 16, 4, 9, 6},
        {{8, 8}, 16, 0, 40, 15}, // never below one Block
        {{16, 16}, 4, 4, 7, 0},
    };
    for (const auto& c : cases) {
        Fixture f(c.block, c.tileCount);
        numberTiles(f.tiles());
        f.editing().CurrentTile = 4;
        f.editing().SelectionStart = c.selectionStart;
        f.editing().SelectionEnd = c.selectionEnd;
        f.workspace.Map.Cell(0, 0).Tile = 4;
        f.workspace.Map.Cell(0, 1).Tile = 15;
        f.run(DeleteTiles(f.tiles(), f.editing(), f.workspace.Map.Grid));
        EXPECT_EQ(f.tiles().TileCount, c.tileCount - c.removed);
        EXPECT_EQ(f.workspace.Map.Cell(0, 0).Tile, 4);
        EXPECT_EQ(f.workspace.Map.Cell(0, 1).Tile, std::max(15 - c.removed, 4));
        if (c.removed > 0 && 4 + c.removed < c.tileCount) {
            EXPECT_EQ(numberOf(f.tiles(), 4), 4 + c.removed);
        }
        EXPECT_EQ(f.editing().SelectionStart, 4);
        EXPECT_EQ(f.editing().SelectionEnd, 4 + c.block.TilesPerBlock() - 1);
        EXPECT_EQ(f.tiles().TileInfo[4][0], 4);
    }
}

} // namespace
} // namespace tessivar
