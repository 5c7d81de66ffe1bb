// Loading tile sets and maps through the file commands, including the files that name
// each other.

#include "WorkspaceFixture.h"

#include "core/files/MapFile.h"

#include <filesystem>

namespace tessivar {
namespace {

using testing::kMapQuestion;
using testing::kTileSetQuestion;
using testing::SampleGrid;
using testing::SampleTileSet;
using testing::ShownText;
using LoadChain = testing::WorkspaceTest;

const ShownText kMapNotFound{"The associated map could not be found.", "File Error"};

TEST_F(LoadChain, LoadTileSetFileReplacesContentsAndTitle) {
    const TileSet file = SampleTileSet(20, 2);
    const std::string path = writeTileSet("level1.vxt", file);
    workspace.editing.CurrentPaletteSet = 5;
    workspace.editing.CurrentTile = 9;
    workspace.MarkModified();
    prompts.answer(Answer::No);

    EXPECT_TRUE(workspace.LoadTileSetFile(path));
    EXPECT_TRUE(file == workspace.tileSet);
    EXPECT_EQ("Tessivar - Tile Editor - level1", TileEditorTitle(workspace.editing));
    EXPECT_EQ(path, workspace.editing.CurrentFileName);
    EXPECT_FALSE(workspace.editing.Modified);
    EXPECT_EQ(0, workspace.editing.CurrentTile);
    EXPECT_EQ(file.tilePalette[0], workspace.editing.CurrentPalette);
    EXPECT_EQ(5, workspace.editing.CurrentPaletteSet);
    EXPECT_EQ((std::vector<ShownText>{{kTileSetQuestion, "Tessivar"}}), prompts.questions);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(LoadChain, OpenTileSetUsesTheTileSetDialog) {
    const std::string path = writeTileSet("a.vxt", SampleTileSet(4));
    prompts.cancelDialog().choosePath(dir.file("missing.vxt")).choosePath(path);

    workspace.OpenTileSet(); // cancelled
    EXPECT_EQ("", workspace.editing.CurrentFileName);
    workspace.OpenTileSet();                                        // missing file
    EXPECT_TRUE(workspace.LoadTileSetFile(dir.file("absent.vxt"))); // reported, not refused
    EXPECT_EQ((std::vector<ShownText>(2, {"Tile set could not be located.", "Tessivar"})),
              prompts.messages);
    workspace.OpenTileSet();
    EXPECT_EQ(path, workspace.editing.CurrentFileName);

    ASSERT_EQ(3u, prompts.dialogs.size());
    EXPECT_EQ(testing::DialogKind::Open, prompts.dialogs[0].kind);
    EXPECT_EQ("VX Tiles (*.vxt)|*.vxt", prompts.dialogs[0].request.filter);
    EXPECT_EQ("vxt", prompts.dialogs[0].request.defaultExtension);
}

TEST_F(LoadChain, CancelledSaveQuestionStopsLoading) {
    const TileSet before = workspace.tileSet;
    workspace.MarkModified();
    prompts.answer(Answer::Cancel).answer(Answer::Cancel);
    EXPECT_FALSE(workspace.LoadTileSetFile(writeTileSet("a.vxt", SampleTileSet(4))));
    workspace.OpenTileSet(); // no dialog is shown after Cancel
    EXPECT_TRUE(prompts.dialogs.empty());
    EXPECT_TRUE(before == workspace.tileSet);
    EXPECT_TRUE(workspace.editing.Modified);
}

TEST_F(LoadChain, TileSetNamingItsMapReplacesTheMapWithoutAsking) {
    const MapGrid grid = SampleGrid(5, 4);
    const std::string mapPath = writeMap("level1.vxm", grid, "elsewhere.vxt");
    const std::string setPath = writeTileSet("level1.vxt", SampleTileSet(8), mapPath);
    workspace.map.MarkMapModified();

    EXPECT_TRUE(workspace.LoadTileSetFile(setPath));
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(grid, workspace.map.grid);
    EXPECT_EQ(mapPath, workspace.map.MapFileName);
    EXPECT_FALSE(workspace.map.MapModified);
    EXPECT_EQ("Tessivar - Map Editor - level1", MapEditorTitle(workspace.map));
    // The map's own tile set path is not followed from here.
    EXPECT_EQ(setPath, workspace.editing.CurrentFileName);
}

TEST_F(LoadChain, MissingOrDamagedAssociatedMapIsReportedAndTheTileSetStillLoads) {
    auto damaged = testing::BuildMapImage("VX02", SampleGrid(4, 4));
    damaged.resize(damaged.size() - 1);
    testing::WriteBytes(dir.file("damaged.vxm"), damaged);
    testing::WriteBytes(dir.file("magic.vxm"), {'V', 'X', '0', '9'});
    const TileSet file = SampleTileSet(8);
    const MapGrid mapBefore = workspace.map.grid;
    for (const char* map : {"gone.vxm", "damaged.vxm", "magic.vxm"}) {
        SCOPED_TRACE(map);
        prompts.forget();
        EXPECT_TRUE(workspace.LoadTileSetFile(writeTileSet("a.vxt", file, dir.file(map))));
        EXPECT_EQ(std::vector<ShownText>{kMapNotFound}, prompts.messages);
        EXPECT_TRUE(file == workspace.tileSet);
        EXPECT_EQ(mapBefore, workspace.map.grid);
        EXPECT_EQ("", workspace.map.MapFileName);
    }
}

TEST_F(LoadChain, MapNamingTheCurrentTileSetLoadsNoTileSet) {
    const std::string setPath = writeTileSet("t.vxt", SampleTileSet(8));
    ASSERT_TRUE(workspace.LoadTileSetFile(setPath));
    workspace.tileSet.tiles[0][0] = 3; // unsaved edit that a reload would lose
    workspace.MarkModified();
    const MapGrid grid = SampleGrid(3, 3);
    ASSERT_TRUE(workspace.LoadMapFile(writeMap("m.vxm", grid, setPath), true));
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(3, workspace.tileSet.tiles[0][0]);
    EXPECT_EQ(grid, workspace.map.grid);
}

TEST_F(LoadChain, MapNamingAnotherTileSetAsksItsQuestionFirst) {
    const TileSet other = SampleTileSet(12, 0, 4);
    const std::string otherPath = writeTileSet("other.vxt", other);
    const std::string mapPath = writeMap("m.vxm", SampleGrid(6, 2), otherPath);
    workspace.MarkModified();
    const TileSet before = workspace.tileSet;
    const MapGrid mapBefore = workspace.map.grid;

    prompts.answer(Answer::Cancel);
    EXPECT_FALSE(workspace.LoadMapFile(mapPath, true));
    EXPECT_EQ(mapBefore, workspace.map.grid);
    EXPECT_EQ("", workspace.map.MapFileName);
    EXPECT_TRUE(before == workspace.tileSet);

    prompts.answer(Answer::No);
    EXPECT_TRUE(workspace.LoadMapFile(mapPath, true));
    EXPECT_TRUE(other == workspace.tileSet);
    EXPECT_EQ(SampleGrid(6, 2), workspace.map.grid);
    EXPECT_EQ(2u, prompts.questions.size());
}

TEST_F(LoadChain, MapAndTheTileSetNamingItBackAreAppliedAndAnnouncedOnce) {
    const std::string mapPath = dir.file("m.vxm");
    const std::string setPath = writeTileSet("t.vxt", SampleTileSet(4), mapPath);
    writeMap("m.vxm", SampleGrid(3, 2), setPath);
    std::vector<unsigned> announced;
    workspace.addListener([&](unsigned changes) { announced.push_back(changes); });

    ASSERT_TRUE(workspace.LoadMapFile(mapPath, true));
    ASSERT_EQ(1u, announced.size());
    EXPECT_EQ(TileSetTitleChanged | MapTitleChanged | MapResized,
              announced[0] & (TileSetTitleChanged | MapTitleChanged | MapResized));
    EXPECT_EQ(setPath, workspace.editing.CurrentFileName);
    EXPECT_EQ(SampleGrid(3, 2), workspace.map.grid);
}

TEST_F(LoadChain, NamesRelativeToTheNamingFileAreFoundFromAnyFolder) {
    std::filesystem::create_directories(dir.path() / "level");
    const std::string setPath = writeTileSet("level/t.vxt", SampleTileSet(4), "m.vxm");
    const std::string mapPath = writeMap("level/m.vxm", SampleGrid(3, 2), "t.vxt");

    ASSERT_TRUE(workspace.LoadTileSetFile(setPath));
    EXPECT_EQ(mapPath, workspace.map.MapFileName);
    EXPECT_EQ(SampleGrid(3, 2), workspace.map.grid);
    workspace.NewTileSet();
    ASSERT_TRUE(workspace.LoadMapFile(mapPath, true));
    EXPECT_EQ(setPath, workspace.editing.CurrentFileName);
    EXPECT_TRUE(SampleTileSet(4) == workspace.tileSet);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(LoadChain, LoadMapFileWithoutItsTileSetIgnoresTheStoredPath) {
    const std::string mapPath = writeMap("m.vxm", SampleGrid(2, 2), dir.file("other.vxt"));
    EXPECT_TRUE(workspace.LoadMapFile(mapPath, false));
    EXPECT_EQ("", workspace.editing.CurrentFileName);
    EXPECT_FALSE(workspace.LoadMapFile(dir.file("absent.vxm"), true));
    EXPECT_TRUE(prompts.messages.empty()); // a missing map is the caller's to report
}

TEST_F(LoadChain, OpenedMapWinsOverTheMapItsTileSetNames) {
    const std::string firstMap = writeMap("first.vxm", SampleGrid(7, 7), "");
    const std::string setPath = writeTileSet("t.vxt", SampleTileSet(4), firstMap);
    const std::string secondMap = writeMap("second.vxm", SampleGrid(2, 3), setPath);
    prompts.choosePath(secondMap);

    workspace.OpenMap();
    EXPECT_EQ(setPath, workspace.editing.CurrentFileName);
    EXPECT_EQ(SampleGrid(2, 3), workspace.map.grid);
    EXPECT_EQ(secondMap, workspace.map.MapFileName);
    EXPECT_EQ("Tessivar Map (*.vxm)|*.vxm", prompts.dialogs.at(0).request.filter);
    EXPECT_EQ("vxm", prompts.dialogs.at(0).request.defaultExtension);
}

TEST_F(LoadChain, OpenMapAsksTheMapQuestionAndMissingFilesDoNothing) {
    workspace.map.MarkMapModified();
    prompts.answer(Answer::Cancel);
    workspace.OpenMap();
    EXPECT_TRUE(prompts.dialogs.empty());

    prompts.answer(Answer::No).choosePath(dir.file("absent.vxm"));
    workspace.OpenMap();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(workspace.map.MapModified);
    EXPECT_EQ((std::vector<ShownText>(2, ShownText{kMapQuestion, "Tessivar"})), prompts.questions);
}

// ---- New ----

TEST_F(LoadChain, NewTileSetResetsEverythingButTheCategories) {
    ASSERT_TRUE(workspace.LoadTileSetFile(writeTileSet("level1.vxt", SampleTileSet(30, 2))));
    const auto categories = workspace.tileSet.categories;
    workspace.tileSet.block = BlockSize{16, 16};
    workspace.editing.CurrentPaletteSet = 3;
    workspace.tileSet.tilePaletteSet[29] = 6;

    workspace.NewTileSet();
    const TileSet& set = workspace.tileSet;
    EXPECT_EQ(16, set.tileCount);
    EXPECT_EQ(10, set.tileInfo[10][1]);
    EXPECT_EQ(0, set.tileInfo[10][0]);
    EXPECT_EQ(0, set.tileInfo[10][3]);
    EXPECT_EQ(5, set.categoryCount);
    for (int c = 0; c < kMaxCategories; ++c)
        EXPECT_EQ(categories[c].name, set.categories[c].name);
    EXPECT_EQ(BlockSize{}, set.block);
    EXPECT_EQ(greyRampPalette(), set.paletteTable[7][7]);
    EXPECT_EQ(Tile{}, set.tiles[767]);
    for (int t = 0; t < kMaxTiles; ++t)
        ASSERT_EQ(0, set.tilePaletteSet[t]) << t;
    EXPECT_EQ(0, workspace.editing.LeftColor);
    EXPECT_EQ(3, workspace.editing.RightColor);
    EXPECT_EQ(0, workspace.editing.CurrentPaletteSet);
    EXPECT_EQ("", workspace.editing.CurrentFileName);
    EXPECT_EQ("Tessivar - Tile Editor - untitled", TileEditorTitle(workspace.editing));
}

TEST_F(LoadChain, NewMapKeepsTheFileNameAndModifiedFlag) {
    const std::string mapPath = writeMap("level1.vxm", SampleGrid(3, 3));
    ASSERT_TRUE(workspace.LoadMapFile(mapPath, false));
    workspace.tileSet.tilePalette[0] = 6;

    workspace.NewMap();
    EXPECT_EQ(MapGrid(32, 32, MapCell{0, 6, 0, 0}), workspace.map.grid);
    EXPECT_EQ(mapPath, workspace.map.MapFileName);
    EXPECT_FALSE(workspace.map.MapModified);

    workspace.map.MarkMapModified();
    prompts.answer(Answer::No);
    workspace.NewMap();
    EXPECT_TRUE(workspace.map.MapModified);

    // Save goes to the old file without a dialog.
    EXPECT_EQ(SaveOutcome::Saved, workspace.SaveMap());
    EXPECT_EQ(MapGrid(32, 32, MapCell{0, 6, 0, 0}),
              ParseMapFile(testing::ReadBytes(mapPath)).value().grid);
}

} // namespace
} // namespace tessivar
