#include "core/imageimport/ImageImport.h"

#include "../workspace/WorkspaceFixture.h"
#include "ImportTestSupport.h"

#include <gtest/gtest.h>

namespace tessivar::testing {
namespace {

class ImageImportTest : public WorkspaceTest {
protected:
    Result<ImportSummary> import(const std::vector<Tile>& tiles, int columns,
                                 ImportOptions options) {
        const TileEditorState& editing = workspace.Editing;
        auto summary = ImportConvertedImage(
            {workspace.CurrentTileSet, workspace.Map, editing.CurrentTile, editing.CurrentPalette,
             editing.CurrentPaletteSet, [this] { return workspace.QuerySaveMap(); }},
            PictureOfTiles(tiles, columns), options);
        if (summary)
            workspace.Apply(summary->Change);
        return summary;
    }
    std::mt19937 random{5};
    Tile a = RandomTile(random);
    Tile b = RandomTile(random);
};

TEST_F(ImageImportTest, SixteenByEightPicturesInEachMode) {
    const struct {
        std::vector<Tile> halves;
        DuplicateMode mode;
        int kept;
        MapCell right;
    } cases[] = {
        {{a, a}, DuplicateMode::Duplicates, 1, {5, 0, 0, 0}},
        {{a, a}, DuplicateMode::None, 2, {6, 0, 0, 0}},
        {{a, Mirrored(a)}, DuplicateMode::Duplicates, 2, {6, 0, 0, 0}},
        {{a, Mirrored(a)}, DuplicateMode::Full, 1, {5, 0, 1, 0}},
        {{a, UpsideDown(a)}, DuplicateMode::Full, 1, {5, 0, 0, 1}},
        {{a, Mirrored(UpsideDown(a))}, DuplicateMode::Full, 1, {5, 0, 1, 1}},
        {{a, b}, DuplicateMode::Full, 2, {6, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        workspace.CurrentTileSet.ResetForNew();
        workspace.Map.MapModified = false;
        workspace.Editing.CurrentTile = 5;
        const auto summary = import(c.halves, 2, {c.mode, true, true});
        ASSERT_TRUE(summary.ok()) << summary.error();
        EXPECT_EQ(summary->TilesKept, static_cast<std::size_t>(c.kept));
        EXPECT_EQ(workspace.CurrentTileSet.Tiles[5], a);
        ASSERT_EQ(workspace.Map.Width(), 2);
        ASSERT_EQ(workspace.Map.Height(), 1);
        EXPECT_EQ(workspace.Map.Cell(0, 0), (MapCell{5, 0, 0, 0}));
        EXPECT_EQ(workspace.Map.Cell(0, 1), c.right);
        EXPECT_EQ(workspace.CurrentTileSet.TileCount, 16);
    }
}

TEST_F(ImageImportTest, MapCellsPointAtMergedTilesWithTheirFlips) {
    // P, Q (P mirrored), R (= P): one Tile; Q's cell mirrored.
    workspace.Editing.CurrentPalette = 2;
    workspace.Editing.CurrentPaletteSet = 1;
    ASSERT_TRUE(import({a, Mirrored(a), a, b}, 2, {DuplicateMode::Full, true, true}).ok());
    EXPECT_EQ(workspace.Map.Grid.Cells,
              (std::vector<MapCell>{{0, 2, 0, 0}, {0, 2, 1, 0}, {0, 2, 0, 0}, {1, 2, 0, 0}}));
    EXPECT_EQ(workspace.CurrentTileSet.TilePalette[1], 2);
    EXPECT_EQ(workspace.CurrentTileSet.TilePaletteSet[1], 1);
    const Palette grey = {{{31, 31, 31}, {16, 16, 16}, {8, 8, 8}, {0, 0, 0}}};
    EXPECT_EQ(workspace.CurrentTileSet.Palettes[1][2], grey);
    EXPECT_TRUE(workspace.Editing.Modified);
    EXPECT_TRUE(workspace.Map.MapModified);
    EXPECT_TRUE(workspace.Map.MapFileName.empty());
}

TEST_F(ImageImportTest, PlacementAndTileCount) {
    const struct {
        bool overwrite;
        int count, at, tiles, expectedCount;
    } cases[] = {{true, 16, 10, 4, 16},
                 {true, 16, 10, 8, 18},
                 {false, 16, 10, 4, 20},
                 {false, 500, 0, 360, 768},
                 {true, 768, 767, 1, 768}};
    for (const auto& c : cases) {
        workspace.CurrentTileSet.TileCount = c.count;
        for (int t = 0; t < kMaxTiles; ++t)
            workspace.CurrentTileSet.Tiles[t].fill(static_cast<ColorIndex>(t % 200 + 4));
        workspace.Editing.CurrentTile = c.at;
        std::vector<Tile> tiles(c.tiles);
        for (int k = 0; k < c.tiles; ++k)
            tiles[k].fill(static_cast<ColorIndex>(k % 4));
        ASSERT_TRUE(import(tiles, 1, {DuplicateMode::None, false, c.overwrite}).ok());
        EXPECT_EQ(workspace.CurrentTileSet.TileCount, c.expectedCount);
        EXPECT_EQ(workspace.CurrentTileSet.Tiles[c.at], tiles[0]);
        EXPECT_EQ(workspace.CurrentTileSet.Tiles[c.at + c.tiles - 1], tiles.back());
        if (!c.overwrite && c.at + c.tiles < kMaxTiles) { // the old Tile moved up
            EXPECT_EQ(workspace.CurrentTileSet.Tiles[c.at + c.tiles][0], c.at % 200 + 4);
        }
    }
}

TEST_F(ImageImportTest, InsertingWithoutANewMapRenumbersTheOldOne) {
    workspace.Map.ReplaceMapGrid(3, 1);
    workspace.Map.Grid.Cells = {{12, 1, 1, 0}, {9, 0, 0, 0}, {10, 0, 0, 1}};
    workspace.Editing.CurrentTile = 10;
    ASSERT_TRUE(import({a, b, Mirrored(a)}, 3, {DuplicateMode::None, false, false}).ok());
    EXPECT_EQ(workspace.Map.Grid.Cells,
              (std::vector<MapCell>{{15, 1, 1, 0}, {9, 0, 0, 0}, {13, 0, 0, 1}}));
    EXPECT_TRUE(workspace.Map.MapModified);
    // Overwriting leaves the map alone.
    workspace.Map.MapModified = false;
    ASSERT_TRUE(import({a}, 1, {DuplicateMode::None, false, true}).ok());
    EXPECT_EQ(workspace.Map.Grid.Cells[0].Tile, 15);
    EXPECT_FALSE(workspace.Map.MapModified);
}

TEST_F(ImageImportTest, RefusedOrCancelledImportsChangeNothing) {
    workspace.Editing.CurrentTile = 760;
    workspace.CurrentTileSet.TileCount = 768;
    const TileSet before = workspace.CurrentTileSet;
    std::vector<Tile> distinct(16);
    for (int k = 0; k < 16; ++k) { // no two alike, even flipped
        distinct[k].fill(static_cast<ColorIndex>(k % 4));
        distinct[k][0] = static_cast<ColorIndex>(k / 4);
    }
    for (bool overwrite : {true, false}) {
        const auto refused = import(distinct, 4, {DuplicateMode::Full, true, overwrite});
        EXPECT_EQ(refused.error(),
                  "This picture needs more than 8 tiles, but only 8 tile slots remain "
                  "from tile 760 on (the set holds at most 768 tiles).");
    }
    // After duplicate removal the same picture fits.
    EXPECT_TRUE(import(std::vector<Tile>(16, a), 4, {DuplicateMode::Duplicates, false, true}).ok());
    workspace.CurrentTileSet = before;
    workspace.Editing.Modified = false;

    workspace.Map.MapModified = true;
    prompts.answer(Answer::Cancel);
    const auto cancelled = import({a}, 1, {DuplicateMode::Full, true, true});
    ASSERT_TRUE(cancelled.ok());
    EXPECT_TRUE(cancelled->Cancelled);
    EXPECT_EQ(workspace.CurrentTileSet.Tiles, before.Tiles);
    EXPECT_FALSE(workspace.Editing.Modified);
    EXPECT_EQ(workspace.Map.Width(), kDefaultMapSide);
}

TEST_F(ImageImportTest, PictureOfMoreTilesThanACellCanNumber) {
    // 257 x 256 Tiles, all alike but three: more than 65536 entries reduce to four Tiles.
    const int columns = 257, rows = 256;
    std::vector<Tile> tiles(static_cast<std::size_t>(columns) * rows, a);
    tiles[65536] = b;
    tiles[65537] = Mirrored(b);
    tiles.back() = UpsideDown(a);
    tiles[3] = Mirrored(UpsideDown(b));
    workspace.Editing.CurrentTile = 100;
    const auto summary = import(tiles, columns, {DuplicateMode::Full, true, true});
    ASSERT_TRUE(summary.ok()) << summary.error();
    EXPECT_EQ(summary->TilesCut, tiles.size());
    EXPECT_EQ(summary->TilesKept, 2u);
    const auto& cells = workspace.Map.Grid.Cells;
    EXPECT_EQ(cells[0], (MapCell{100, 0, 0, 0}));
    EXPECT_EQ(cells[3], (MapCell{101, 0, 0, 0}));
    EXPECT_EQ(cells[65536], (MapCell{101, 0, 1, 1}));
    EXPECT_EQ(cells[65537], (MapCell{101, 0, 0, 1}));
    EXPECT_EQ(cells.back(), (MapCell{100, 0, 0, 1}));
    EXPECT_EQ(workspace.Map.Width(), columns);
}

} // namespace
} // namespace tessivar::testing
