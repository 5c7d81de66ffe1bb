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
    workspace.Editing.CurrentPaletteSet = 5;
    workspace.Editing.CurrentTile = 9;
    workspace.MarkModified();
    prompts.answer(Answer::No);

    EXPECT_TRUE(workspace.LoadTileSetFile(path));
    EXPECT_TRUE(file == workspace.CurrentTileSet);
    EXPECT_EQ("Tessivar - Tile Editor - level1", TileEditorTitle(workspace.Editing));
    EXPECT_EQ(path, workspace.Editing.CurrentFileName);
    EXPECT_FALSE(workspace.Editing.Modified);
    EXPECT_EQ(0, workspace.Editing.CurrentTile);
    EXPECT_EQ(file.TilePalette[0], workspace.Editing.CurrentPalette);
    EXPECT_EQ(5, workspace.Editing.CurrentPaletteSet);
    EXPECT_EQ((std::vector<ShownText>{{kTileSetQuestion, "Tessivar"}}), prompts.questions);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(LoadChain, OpenTileSetUsesTheTileSetDialog) {
    const std::string path = writeTileSet("a.vxt", SampleTileSet(4));
    prompts.cancelDialog().choosePath(dir.file("missing.vxt")).choosePath(path);

    workspace.OpenTileSet(); // cancelled
    EXPECT_EQ("", workspace.Editing.CurrentFileName);
    workspace.OpenTileSet();                                        // missing file
    EXPECT_TRUE(workspace.LoadTileSetFile(dir.file("absent.vxt"))); // reported, not refused
    EXPECT_EQ((std::vector<ShownText>(2, {"Tile set could not be located.", "Tessivar"})),
              prompts.messages);
    workspace.OpenTileSet();
    EXPECT_EQ(path, workspace.Editing.CurrentFileName);

    ASSERT_EQ(3u, prompts.dialogs.size());
    EXPECT_EQ(testing::DialogKind::Open, prompts.dialogs[0].kind);
    EXPECT_EQ("VX Tiles (*.vxt)|*.vxt", prompts.dialogs[0].request.Filter);
    EXPECT_EQ("vxt", prompts.dialogs[0].request.DefaultExtension);
}

TEST_F(LoadChain, CancelledSaveQuestionStopsLoading) {
    const TileSet before = workspace.CurrentTileSet;
    workspace.MarkModified();
    prompts.answer(Answer::Cancel).answer(Answer::Cancel);
    EXPECT_FALSE(workspace.LoadTileSetFile(writeTileSet("a.vxt", SampleTileSet(4))));
    workspace.OpenTileSet(); // no dialog is shown after Cancel
    EXPECT_TRUE(prompts.dialogs.empty());
    EXPECT_TRUE(before == workspace.CurrentTileSet);
    EXPECT_TRUE(workspace.Editing.Modified);
}

TEST_F(LoadChain, TileSetNamingItsMapReplacesTheMapWithoutAsking) {
    const MapGrid grid = SampleGrid(5, 4);
    const std::string mapPath = writeMap("level1.vxm", grid, "elsewhere.vxt");
    const std::string setPath = writeTileSet("level1.vxt", SampleTileSet(8), mapPath);
    workspace.Map.MarkMapModified();

    EXPECT_TRUE(workspace.LoadTileSetFile(setPath));
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(grid, workspace.Map.Grid);
    EXPECT_EQ(mapPath, workspace.Map.MapFileName);
    EXPECT_FALSE(workspace.Map.MapModified);
    EXPECT_EQ("Tessivar - Map Editor - level1", MapEditorTitle(workspace.Map));
    // The map's own tile set path is not followed from here.
    EXPECT_EQ(setPath, workspace.Editing.CurrentFileName);
}

TEST_F(LoadChain, MissingOrDamagedAssociatedMapIsReportedAndTheTileSetStillLoads) {
    auto damaged = testing::BuildMapImage("VX02", SampleGrid(4, 4));
    damaged.resize(damaged.size() - 1);
    testing::WriteBytes(dir.file("damaged.vxm"), damaged);
    testing::WriteBytes(dir.file("magic.vxm"), {'V', 'X', '0', '9'});
    const TileSet file = SampleTileSet(8);
    const MapGrid mapBefore = workspace.Map.Grid;
    for (const char* map : {"gone.vxm", "damaged.vxm", "magic.vxm"}) {
        SCOPED_TRACE(map);
        prompts.forget();
        EXPECT_TRUE(workspace.LoadTileSetFile(writeTileSet("a.vxt", file, dir.file(map))));
        EXPECT_EQ(std::vector<ShownText>{kMapNotFound}, prompts.messages);
        EXPECT_TRUE(file == workspace.CurrentTileSet);
        EXPECT_EQ(mapBefore, workspace.Map.Grid);
        EXPECT_EQ("", workspace.Map.MapFileName);
    }
}

TEST_F(LoadChain, MapNamingTheCurrentTileSetLoadsNoTileSet) {
    const std::string setPath = writeTileSet("t.vxt", SampleTileSet(8));
    ASSERT_TRUE(workspace.LoadTileSetFile(setPath));
    workspace.CurrentTileSet.Tiles[0][0] = 3; // unsaved edit that a reload would lose
    workspace.MarkModified();
    const MapGrid grid = SampleGrid(3, 3);
    ASSERT_TRUE(workspace.LoadMapFile(writeMap("m.vxm", grid, setPath), true));
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(3, workspace.CurrentTileSet.Tiles[0][0]);
    EXPECT_EQ(grid, workspace.Map.Grid);
}

TEST_F(LoadChain, MapNamingAnotherTileSetAsksItsQuestionFirst) {
    const TileSet other = SampleTileSet(12, 0, 4);
    const std::string otherPath = writeTileSet("other.vxt", other);
    const std::string mapPath = writeMap("m.vxm", SampleGrid(6, 2), otherPath);
    workspace.MarkModified();
    const TileSet before = workspace.CurrentTileSet;
    const MapGrid mapBefore = workspace.Map.Grid;

    prompts.answer(Answer::Cancel);
    EXPECT_FALSE(workspace.LoadMapFile(mapPath, true));
    EXPECT_EQ(mapBefore, workspace.Map.Grid);
    EXPECT_EQ("", workspace.Map.MapFileName);
    EXPECT_TRUE(before == workspace.CurrentTileSet);

    prompts.answer(Answer::No);
    EXPECT_TRUE(workspace.LoadMapFile(mapPath, true));
    EXPECT_TRUE(other == workspace.CurrentTileSet);
    EXPECT_EQ(SampleGrid(6, 2), workspace.Map.Grid);
    EXPECT_EQ(2u, prompts.questions.size());
}

TEST_F(LoadChain, MapAndTheTileSetNamingItBackAreAppliedAndAnnouncedOnce) {
    const std::string mapPath = dir.file("m.vxm");
    const std::string setPath = writeTileSet("t.vxt", SampleTileSet(4), mapPath);
    writeMap("m.vxm", SampleGrid(3, 2), setPath);
    std::vector<unsigned> announced;
    workspace.AddListener([&](unsigned changes) { announced.push_back(changes); });

    ASSERT_TRUE(workspace.LoadMapFile(mapPath, true));
    ASSERT_EQ(1u, announced.size());
    EXPECT_EQ(TileSetTitleChanged | MapTitleChanged | MapResized,
              announced[0] & (TileSetTitleChanged | MapTitleChanged | MapResized));
    EXPECT_EQ(setPath, workspace.Editing.CurrentFileName);
    EXPECT_EQ(SampleGrid(3, 2), workspace.Map.Grid);
}

TEST_F(LoadChain, NamesRelativeToTheNamingFileAreFoundFromAnyFolder) {
    std::filesystem::create_directories(dir.path() / "level");
    const std::string setPath = writeTileSet("level/t.vxt", SampleTileSet(4), "m.vxm");
    const std::string mapPath = writeMap("level/m.vxm", SampleGrid(3, 2), "t.vxt");

    ASSERT_TRUE(workspace.LoadTileSetFile(setPath));
    EXPECT_EQ(mapPath, workspace.Map.MapFileName);
    EXPECT_EQ(SampleGrid(3, 2), workspace.Map.Grid);
    workspace.NewTileSet();
    ASSERT_TRUE(workspace.LoadMapFile(mapPath, true));
    EXPECT_EQ(setPath, workspace.Editing.CurrentFileName);
    EXPECT_TRUE(SampleTileSet(4) == workspace.CurrentTileSet);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(LoadChain, LoadMapFileWithoutItsTileSetIgnoresTheStoredPath) {
    const std::string mapPath = writeMap("m.vxm", SampleGrid(2, 2), dir.file("other.vxt"));
    EXPECT_TRUE(workspace.LoadMapFile(mapPath, false));
    EXPECT_EQ("", workspace.Editing.CurrentFileName);
    EXPECT_FALSE(workspace.LoadMapFile(dir.file("absent.vxm"), true));
    EXPECT_TRUE(prompts.messages.empty()); // a missing map is the caller's to report
}

TEST_F(LoadChain, OpenedMapWinsOverTheMapItsTileSetNames) {
    const std::string firstMap = writeMap("first.vxm", SampleGrid(7, 7), "");
    const std::string setPath = writeTileSet("t.vxt", SampleTileSet(4), firstMap);
    const std::string secondMap = writeMap("second.vxm", SampleGrid(2, 3), setPath);
    prompts.choosePath(secondMap);

    workspace.OpenMap();
    EXPECT_EQ(setPath, workspace.Editing.CurrentFileName);
    EXPECT_EQ(SampleGrid(2, 3), workspace.Map.Grid);
    EXPECT_EQ(secondMap, workspace.Map.MapFileName);
    EXPECT_EQ("Tessivar Map (*.vxm)|*.vxm", prompts.dialogs.at(0).request.Filter);
    EXPECT_EQ("vxm", prompts.dialogs.at(0).request.DefaultExtension);
}

TEST_F(LoadChain, OpenMapAsksTheMapQuestionAndMissingFilesDoNothing) {
    workspace.Map.MarkMapModified();
    prompts.answer(Answer::Cancel);
    workspace.OpenMap();
    EXPECT_TRUE(prompts.dialogs.empty());

    prompts.answer(Answer::No).choosePath(dir.file("absent.vxm"));
    workspace.OpenMap();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(workspace.Map.MapModified);
    EXPECT_EQ((std::vector<ShownText>(2, ShownText{kMapQuestion, "Tessivar"})), prompts.questions);
}

// ---- New ----

TEST_F(LoadChain, NewTileSetResetsEverythingButTheCategories) {
    ASSERT_TRUE(workspace.LoadTileSetFile(writeTileSet("level1.vxt", SampleTileSet(30, 2))));
    const auto categories = workspace.CurrentTileSet.Categories;
    workspace.CurrentTileSet.Block = BlockSize{16, 16};
    workspace.Editing.CurrentPaletteSet = 3;
    workspace.CurrentTileSet.TilePaletteSet[29] = 6;

    workspace.NewTileSet();
    const TileSet& set = workspace.CurrentTileSet;
    EXPECT_EQ(16, set.TileCount);
    EXPECT_EQ(10, set.TileInfo[10][1]);
    EXPECT_EQ(0, set.TileInfo[10][0]);
    EXPECT_EQ(0, set.TileInfo[10][3]);
    EXPECT_EQ(5, set.CategoryCount);
    for (int c = 0; c < kMaxCategories; ++c)
        EXPECT_EQ(categories[c].Name, set.Categories[c].Name);
    EXPECT_EQ(BlockSize{}, set.Block);
    EXPECT_EQ(GreyRampPalette(), set.Palettes[7][7]);
    EXPECT_EQ(Tile{}, set.Tiles[767]);
    for (int t = 0; t < kMaxTiles; ++t)
        ASSERT_EQ(0, set.TilePaletteSet[t]) << t;
    EXPECT_EQ(0, workspace.Editing.LeftColor);
    EXPECT_EQ(3, workspace.Editing.RightColor);
    EXPECT_EQ(0, workspace.Editing.CurrentPaletteSet);
    EXPECT_EQ("", workspace.Editing.CurrentFileName);
    EXPECT_EQ("Tessivar - Tile Editor - untitled", TileEditorTitle(workspace.Editing));
}

TEST_F(LoadChain, NewMapKeepsTheFileNameAndModifiedFlag) {
    const std::string mapPath = writeMap("level1.vxm", SampleGrid(3, 3));
    ASSERT_TRUE(workspace.LoadMapFile(mapPath, false));
    workspace.CurrentTileSet.TilePalette[0] = 6;

    workspace.NewMap();
    EXPECT_EQ(MapGrid(32, 32, MapCell{0, 6, 0, 0}), workspace.Map.Grid);
    EXPECT_EQ(mapPath, workspace.Map.MapFileName);
    EXPECT_FALSE(workspace.Map.MapModified);

    workspace.Map.MarkMapModified();
    prompts.answer(Answer::No);
    workspace.NewMap();
    EXPECT_TRUE(workspace.Map.MapModified);

    // Save goes to the old file without a dialog.
    EXPECT_EQ(SaveOutcome::Saved, workspace.SaveMap());
    EXPECT_EQ(MapGrid(32, 32, MapCell{0, 6, 0, 0}),
              ParseMapFile(testing::ReadBytes(mapPath)).value().Grid);
}

} // namespace
} // namespace tessivar
