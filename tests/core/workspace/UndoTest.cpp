// Undo and redo of Block edits, driven the way the tile canvas drives them: record a
// state, then change pixels.

#include "WorkspaceFixture.h"

namespace tessivar {
namespace {

using Undo = testing::WorkspaceTest;

// One canvas click: a recorded state, then one pixel of the current Block.
struct Editor {
    Workspace& ws;
    void draw(int x, int y, ColorIndex value) {
        ws.RecordUndoState();
        ws.CurrentTileSet.SetBlockPixel(ws.Editing.CurrentTile, x, y, value);
    }
};

TEST_F(Undo, OnlyTheLastTwentyEditsCanBeUndone) {
    Editor editor{workspace};
    for (int i = 0; i < 21; ++i)
        editor.draw(i % 8, i / 8, static_cast<ColorIndex>(1 + i % 3));
    int undone = 0;
    while (workspace.History.CanUndo()) {
        workspace.Undo();
        ++undone;
    }
    EXPECT_EQ(20, undone);
    EXPECT_EQ(20, workspace.History.RedoCount());
    // Only the first click survives: it fell out of the history.
    EXPECT_EQ(1, workspace.CurrentTileSet.GetBlockPixel(0, 0, 0));
    for (int i = 1; i < 21; ++i)
        EXPECT_EQ(0, workspace.CurrentTileSet.GetBlockPixel(0, i % 8, i / 8)) << i;
}

TEST_F(Undo, NewEditDropsTheRedoStates) {
    Editor editor{workspace};
    editor.draw(0, 0, 3);
    workspace.Undo();
    editor.draw(1, 1, 2);
    EXPECT_FALSE(workspace.History.CanRedo());
    workspace.Redo();
    EXPECT_EQ(0, workspace.CurrentTileSet.GetBlockPixel(0, 0, 0));
    EXPECT_EQ(2, workspace.CurrentTileSet.GetBlockPixel(0, 1, 1));
}

TEST_F(Undo, UndoActsOnTheRecordedBlockNotTheCurrentOne) {
    Editor editor{workspace};
    editor.draw(2, 2, 3);
    workspace.Editing.CurrentTile = 3;
    workspace.Undo();
    EXPECT_EQ(0, workspace.CurrentTileSet.Tiles[0][BlockSize::ByteOf(2, 2)]);
    EXPECT_EQ(3, workspace.Editing.CurrentTile);
    workspace.Redo();
    EXPECT_EQ(3, workspace.CurrentTileSet.Tiles[0][BlockSize::ByteOf(2, 2)]);
    EXPECT_EQ(Tile{}, workspace.CurrentTileSet.Tiles[3]);
}

TEST_F(Undo, RegionKeepsTheBlockSizeItWasRecordedWith) {
    workspace.Editing.CurrentTile = 4;
    Editor editor{workspace};
    editor.draw(7, 7, 1); // 8x8 Block at Tile 4
    workspace.CurrentTileSet.Block = BlockSize{16, 16};
    for (int t = 4; t < 8; ++t)
        workspace.CurrentTileSet.Tiles[t].fill(2); // the whole 16x16 Block changes afterwards
    const TileSet before = workspace.CurrentTileSet;

    workspace.Undo();
    EXPECT_EQ(Tile{}, workspace.CurrentTileSet.Tiles[4]); // the recorded 8x8 region
    for (int t = 5; t < 8; ++t)
        EXPECT_EQ(before.Tiles[t], workspace.CurrentTileSet.Tiles[t]) << t;
    EXPECT_EQ((BlockSize{16, 16}), workspace.CurrentTileSet.Block);
}

TEST_F(Undo, UndoUndoRedoRedoReturnsToTheStateAfterBothEdits) {
    workspace.CurrentTileSet.Block = BlockSize{16, 8};
    Editor editor{workspace};
    editor.draw(9, 0, 3);
    workspace.CurrentTileSet.TilePalette[1] = 5;
    editor.draw(0, 7, 2);
    const TileSet afterBoth = workspace.CurrentTileSet;

    std::vector<unsigned> heard;
    workspace.AddListener([&](unsigned changes) { heard.push_back(changes); });
    workspace.Undo();
    workspace.Undo();
    EXPECT_EQ(0, workspace.CurrentTileSet.GetBlockPixel(0, 9, 0));
    EXPECT_EQ(0, workspace.CurrentTileSet.TilePalette[1]);
    workspace.Redo();
    workspace.Redo();
    // Each step is announced, so the canvas and the Undo menu follow it.
    ASSERT_EQ(4u, heard.size());
    for (const unsigned changes : heard)
        EXPECT_EQ(TilesChanged | HistoryChanged | MapChanged, changes);
    EXPECT_TRUE(afterBoth == workspace.CurrentTileSet);
    EXPECT_EQ(2, workspace.History.UndoPosition());
    EXPECT_EQ(0, workspace.History.RedoCount());
    workspace.Redo(); // nothing left: no change
    EXPECT_TRUE(afterBoth == workspace.CurrentTileSet);
}

TEST_F(Undo, ColoursOfTheRecordedPaletteAreRestored) {
    workspace.Editing.CurrentPaletteSet = 2;
    workspace.Editing.CurrentPalette = 5;
    workspace.RecordUndoState();
    workspace.CurrentTileSet.Palettes[2][5][1] = PaletteColor{1, 2, 3};
    workspace.Editing.CurrentPalette = 0; // the palette box moved on
    workspace.Undo();
    EXPECT_EQ(GreyRampPalette(), workspace.CurrentTileSet.Palettes[2][5]);
    workspace.Redo();
    EXPECT_EQ((PaletteColor{1, 2, 3}), workspace.CurrentTileSet.Palettes[2][5][1]);
    EXPECT_EQ(0, workspace.Editing.CurrentPalette);
}

TEST_F(Undo, RecordingAStateTellsTheListeners) {
    unsigned seen = 0;
    workspace.AddListener([&](unsigned changes) { seen |= changes; });
    workspace.RecordUndoState();
    EXPECT_TRUE(seen & HistoryChanged);
    EXPECT_TRUE(workspace.History.CanUndo());
}

TEST_F(Undo, UndoAndRedoLeaveTheEditingStateAlone) {
    workspace.MarkModified();
    Editor editor{workspace};
    editor.draw(0, 0, 1);
    workspace.Editing.Modified = false;
    unsigned seen = 0;
    workspace.AddListener([&](unsigned changes) { seen |= changes; });
    workspace.Undo();
    EXPECT_FALSE(workspace.Editing.Modified);
    EXPECT_TRUE(seen & TilesChanged);
    EXPECT_TRUE(seen & HistoryChanged);
}

} // namespace
} // namespace tessivar
