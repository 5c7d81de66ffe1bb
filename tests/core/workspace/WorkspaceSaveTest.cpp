// Saving, Save as, the save questions and what happens when a save fails.

#include "WorkspaceFixture.h"

#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"

namespace tessivar {
namespace {

using testing::kMapQuestion;
using testing::kTileSetQuestion;
using testing::ReadBytes;
using testing::SampleGrid;
using testing::SampleTileSet;
using testing::ShownText;
using testing::WriteBytes;
using Saving = testing::WorkspaceTest;

TEST_F(Saving, SaveAsPresetsTheNameAndWritesTheCurrentVersion) {
    workspace.CurrentTileSet = SampleTileSet(16, 1);
    workspace.MarkModified();
    const std::string path = dir.file("level2.vxt");
    prompts.choosePath(path);

    EXPECT_EQ(SaveOutcome::Saved, workspace.SaveTileSet()); // untitled: Save as
    const auto& request = prompts.dialogs.at(0).request;
    EXPECT_EQ("untitled.vxt", request.InitialPath);
    EXPECT_EQ("VX Tiles (*.vxt)|*.vxt", request.Filter);
    EXPECT_EQ("vxt", request.DefaultExtension);
    EXPECT_TRUE(request.ConfirmOverwrite);
    EXPECT_FALSE(workspace.Editing.Modified);
    EXPECT_EQ("Tessivar - Tile Editor - level2", TileEditorTitle(workspace.Editing));
    EXPECT_EQ(SerializeTileSet(workspace.CurrentTileSet, "").value(), ReadBytes(path));

    prompts.choosePath(path);
    EXPECT_EQ(SaveOutcome::Saved, workspace.SaveTileSetAs());
    EXPECT_EQ(path, prompts.dialogs.at(1).request.InitialPath);
}

TEST_F(Saving, CancelledSaveAsWritesNothing) {
    workspace.MarkModified();
    workspace.Map.MarkMapModified();
    prompts.cancelDialog().cancelDialog();
    EXPECT_EQ(SaveOutcome::Cancelled, workspace.SaveTileSetAs());
    EXPECT_EQ(SaveOutcome::Cancelled, workspace.SaveMap());
    EXPECT_TRUE(workspace.Editing.Modified);
    EXPECT_TRUE(workspace.Map.MapModified);
    EXPECT_EQ("Tessivar - Tile Editor - untitled", TileEditorTitle(workspace.Editing));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(Saving, FailedSaveAsKeepsTheOldNameAndTitle) {
    ASSERT_TRUE(workspace.LoadTileSetFile(writeTileSet("level1.vxt", SampleTileSet(4))));
    ASSERT_TRUE(workspace.LoadMapFile(writeMap("level1.vxm", SampleGrid(2, 2)), false));
    const TileEditorState editing = workspace.Editing;
    const MapDocument map = workspace.Map;
    workspace.MarkModified();
    workspace.Map.MarkMapModified();
    prompts.choosePath(dir.file("missing/a.vxt")).choosePath(dir.file("missing/a.vxm"));

    EXPECT_EQ(SaveOutcome::Failed, workspace.SaveTileSetAs());
    EXPECT_EQ(SaveOutcome::Failed, workspace.SaveMapAs());
    EXPECT_EQ(2u, prompts.messages.size());
    EXPECT_EQ(editing.CurrentFileName, workspace.Editing.CurrentFileName);
    EXPECT_EQ(map.MapFileName, workspace.Map.MapFileName);
    EXPECT_TRUE(workspace.Editing.Modified);
    EXPECT_TRUE(workspace.Map.MapModified);
}

TEST_F(Saving, OldVersionIsSavedAsTheCurrentOneWithTheCurrentMapPath) {
    for (const char* magic : {"VX01", "VX02"}) {
        SCOPED_TRACE(magic);
        const std::string setPath =
            writeTileSet(std::string(magic) + ".vxt", SampleTileSet(6, 0), "", magic);
        ASSERT_TRUE(workspace.LoadTileSetFile(setPath));
        ASSERT_TRUE(workspace.LoadMapFile(writeMap("m.vxm", SampleGrid(2, 2)), false));
        workspace.CurrentTileSet.Categories[2].SetName("Renamed");

        EXPECT_EQ(SaveOutcome::Saved, workspace.SaveTileSet());
        const auto reread = ParseTileSetFile(ReadBytes(setPath));
        ASSERT_TRUE(reread.ok());
        EXPECT_EQ("VX03", reread->Version);
        EXPECT_EQ(dir.file("m.vxm"), reread->AssociatedMap);
        EXPECT_EQ("Renamed", reread->Categories.at(2).NameText());
        TileSet loaded;
        ApplyTileSetFile(*reread, loaded);
        EXPECT_TRUE(workspace.CurrentTileSet == loaded);
    }
}

TEST_F(Saving, MapRecordsTheCurrentTileSetPath) {
    const std::string setPath = writeTileSet("t.vxt", SampleTileSet(4));
    ASSERT_TRUE(workspace.LoadTileSetFile(setPath));
    workspace.Map.Grid = SampleGrid(9, 4);
    workspace.Map.MarkMapModified();
    prompts.choosePath(dir.file("level.vxm"));
    EXPECT_EQ(SaveOutcome::Saved, workspace.SaveMap());
    const auto& request = prompts.dialogs.at(0).request;
    EXPECT_EQ("untitled.vxm", request.InitialPath);
    EXPECT_EQ("Tessivar Map (*.vxm)|*.vxm", request.Filter);
    EXPECT_FALSE(workspace.Map.MapModified);
    EXPECT_EQ("Tessivar - Map Editor - level", MapEditorTitle(workspace.Map));
    const auto reread = ParseMapFile(ReadBytes(dir.file("level.vxm")));
    ASSERT_TRUE(reread.ok());
    EXPECT_EQ("VX02", reread->Version);
    EXPECT_EQ(setPath, reread->TileSetPath);
    EXPECT_EQ(SampleGrid(9, 4), reread->Grid);
}

// The title, Save and Save as agree: a map whose name was forgotten is untitled in all
// three.
TEST_F(Saving, ForgottenMapNameAsksForANewOne) {
    ASSERT_TRUE(workspace.LoadMapFile(writeMap("level1.vxm", SampleGrid(2, 2)), false));
    workspace.Map.ForgetMapFileName();
    prompts.cancelDialog();
    EXPECT_EQ(SaveOutcome::Cancelled, workspace.SaveMap());
    EXPECT_EQ("untitled.vxm", prompts.dialogs.at(0).request.InitialPath);
    EXPECT_EQ("Tessivar - Map Editor - untitled", MapEditorTitle(workspace.Map));
}

// ---- The save questions of New ----

TEST_F(Saving, SaveQuestionAnswersOfNew) {
    struct Case {
        const char* what;
        bool named;
        Answer answer;
        bool saveAsCancelled;
        bool newHappens;
        bool fileWritten;
    };
    const Case cases[] = {
        {"Yes on a named set", true, Answer::Yes, false, true, true},
        {"No", true, Answer::No, false, true, false},
        {"Cancel", true, Answer::Cancel, false, false, false},
        {"Yes on untitled, Save as cancelled", false, Answer::Yes, true, true, false},
        {"Yes on untitled, Save as chosen", false, Answer::Yes, false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TempDir folder;
        testing::ScriptedPrompts script;
        Workspace ws(script);
        const std::string path = folder.file("set.vxt");
        if (c.named)
            ws.Editing.CurrentFileName = path;
        ws.CurrentTileSet.Tiles[0][0] = 2;
        ws.MarkModified();
        script.answer(c.answer);
        if (!c.named)
            c.saveAsCancelled ? script.cancelDialog() : script.choosePath(path);

        ws.NewTileSet();
        EXPECT_EQ((std::vector<ShownText>{{kTileSetQuestion, "Tessivar"}}), script.questions);
        EXPECT_EQ(c.newHappens ? 0 : 2, ws.CurrentTileSet.Tiles[0][0]);
        EXPECT_EQ(!c.newHappens, ws.Editing.Modified);
        EXPECT_EQ(c.fileWritten, std::filesystem::exists(path));
        if (c.fileWritten) {
            EXPECT_EQ(2, ParseTileSetFile(ReadBytes(path)).value().Tiles.at(0)[0]);
        }
        EXPECT_TRUE(script.allAnswersUsed());
    }
}

TEST_F(Saving, NewAsksTheMapQuestionSecondAndItsCancelChangesNothing) {
    workspace.MarkModified();
    workspace.Map.MarkMapModified();
    workspace.CurrentTileSet.Tiles[0][0] = 1;
    prompts.answer(Answer::No).answer(Answer::Cancel);
    workspace.NewTileSet();
    EXPECT_EQ((std::vector<ShownText>{{kTileSetQuestion, "Tessivar"}, {kMapQuestion, "Tessivar"}}),
              prompts.questions);
    EXPECT_EQ(1, workspace.CurrentTileSet.Tiles[0][0]);
    EXPECT_TRUE(workspace.Editing.Modified);

    prompts.answer(Answer::No).answer(Answer::No);
    EXPECT_TRUE(workspace.QueryCloseProgram());
}

// ---- Failing saves ----

TEST_F(Saving, FailedSaveKeepsTheFlagAndNamesTheFile) {
    WriteBytes(dir.file("plain"), {1});
    for (const std::string& target : {dir.file("missing/set.vxt"), dir.file("plain/set.vxt")}) {
        SCOPED_TRACE(target);
        prompts.forget();
        workspace.Editing.CurrentFileName = target;
        workspace.Map.MapFileName = target + ".vxm";
        workspace.MarkModified();
        workspace.Map.MarkMapModified();

        EXPECT_EQ(SaveOutcome::Failed, workspace.SaveTileSet());
        EXPECT_EQ(SaveOutcome::Failed, workspace.SaveMap());
        EXPECT_TRUE(workspace.Editing.Modified);
        EXPECT_TRUE(workspace.Map.MapModified);
        ASSERT_EQ(2u, prompts.messages.size());
        EXPECT_EQ("File Error", prompts.messages[0].caption);
        EXPECT_NE(std::string::npos, prompts.messages[0].text.find(target));
        EXPECT_NE(std::string::npos, prompts.messages[1].text.find(target + ".vxm"));
    }
}

TEST_F(Saving, FailedSaveDuringTheQuestionCancelsTheCommand) {
    workspace.Editing.CurrentFileName = dir.file("missing/set.vxt");
    workspace.CurrentTileSet.Tiles[3][3] = 3;
    workspace.MarkModified();
    prompts.answer(Answer::Yes).answer(Answer::Yes);

    workspace.NewTileSet();
    EXPECT_EQ(3, workspace.CurrentTileSet.Tiles[3][3]);
    EXPECT_FALSE(workspace.LoadTileSetFile(writeTileSet("a.vxt", SampleTileSet(2))));
    EXPECT_EQ(3, workspace.CurrentTileSet.Tiles[3][3]);
    EXPECT_EQ(2u, prompts.messages.size());
}

TEST_F(Saving, PathsThatDoNotFitTheirFieldAreRefusedAndTheOldFileStays) {
    const std::string setPath = dir.file("set.vxt");
    const std::string mapPath = dir.file("map.vxm");
    WriteBytes(setPath, {1, 2, 3});
    WriteBytes(mapPath, {4, 5, 6});
    const std::string tooLong = "/" + std::string(255, 'p'); // 256 characters, no room for NUL

    workspace.Editing.CurrentFileName = setPath;
    workspace.Map.MapFileName = tooLong;
    workspace.MarkModified();
    EXPECT_EQ(SaveOutcome::Failed, workspace.SaveTileSet());
    EXPECT_TRUE(workspace.Editing.Modified);
    EXPECT_EQ((std::vector<std::uint8_t>{1, 2, 3}), ReadBytes(setPath));

    workspace.Map.MapFileName = mapPath;
    workspace.Editing.CurrentFileName = tooLong;
    workspace.Map.MarkMapModified();
    EXPECT_EQ(SaveOutcome::Failed, workspace.SaveMap());
    EXPECT_TRUE(workspace.Map.MapModified);
    EXPECT_EQ((std::vector<std::uint8_t>{4, 5, 6}), ReadBytes(mapPath));

    ASSERT_EQ(2u, prompts.messages.size());
    for (const auto& message : prompts.messages) {
        EXPECT_EQ("File Error", message.caption);
        EXPECT_NE(std::string::npos, message.text.find("at most 255")) << message.text;
    }
}

} // namespace
} // namespace tessivar
