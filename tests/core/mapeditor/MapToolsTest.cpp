// The map tools at the canvas geometry: single tile with both buttons, fill across flips
// and palettes, rectangles filled and hollow with their preview, the status texts, the
// tile list's clicks and the Block numbers kept in range.

#include "../tileeditor/TileEditorTestSupport.h"
#include "core/mapeditor/MapCanvasPainter.h"
#include "core/mapeditor/MapSize.h"
#include "core/mapeditor/MapStroke.h"
#include "core/mapeditor/MapTileList.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace tessivar {
namespace {

using tileeditor_test::Fixture;

struct MapFixture : Fixture {
    MapEditorState state;
    MapHistory history{workspace.Map, [this](const DocumentChange& c) { workspace.Apply(c); }};
    MapStroke stroke{workspace.CurrentTileSet, workspace.Map, state, history};

    explicit MapFixture(BlockSize block = {8, 8}, int tileCount = 64)
        : Fixture(block, tileCount) {
        workspace.AddListener([this](unsigned changes) { history.Heard(changes); });
        workspace.Map.ReplaceMapGrid(6, 5);
        state.LeftBlock = 7;
        state.RightBlock = 9;
    }
    MapStrokeResponse run(const MapStrokeResponse& response) {
        Fixture::run(response.Change);
        return response;
    }
    // Centre of cell (column, row) on the canvas.
    int px(int column) const { return column * (2 * workspace.CurrentTileSet.Block.Width + 1) + 3; }
    int py(int row) const { return row * (2 * workspace.CurrentTileSet.Block.Height + 1) + 3; }
    MapCell& cell(int column, int row) { return workspace.Map.Cell(row, column); }
    // Tiles of the grid (or of the stroke's preview), row by row, as one string of digits.
    std::string tiles(bool preview = false) {
        std::string out;
        for (int r = 0; r < workspace.Map.Height(); ++r) {
            for (int c = 0; c < workspace.Map.Width(); ++c)
                out +=
                    static_cast<char>('0' + (preview ? stroke.ShownCell(c, r) : cell(c, r)).Tile);
            out += r + 1 < workspace.Map.Height() ? "|" : "";
        }
        return out;
    }
};

TEST(MapStroke, SingleTileDrawsWithEitherButtonAlongTheDrag) {
    struct Case {
        MouseButton button;
        int expectedTile;
    } cases[] = {{MouseButton::Left, 7}, {MouseButton::Right, 9}, {MouseButton::Other, 9}};
    for (const Case& c : cases) {
        MapFixture f;
        f.state.MapPalette = 3;
        f.state.HFlip = true;
        const MapStrokeResponse down = f.run(f.stroke.MouseDown(c.button, f.px(1), f.py(2)));
        EXPECT_EQ(down.Repaint, (CellRange{1, 1, 2, 2}));
        f.run(f.stroke.MouseMove(f.px(3), f.py(2)));
        f.run(f.stroke.MouseMove(f.px(9), f.py(2))); // off the grid: ignored
        f.run(f.stroke.MouseUp());
        f.run(f.stroke.MouseMove(f.px(4), f.py(2))); // no button: no drawing
        const char t = static_cast<char>('0' + c.expectedTile);
        EXPECT_EQ(f.tiles(), std::string("000000|000000|0") + t + "0" + t + "00|000000|000000");
        EXPECT_EQ(f.cell(1, 2), (MapCell{static_cast<std::uint16_t>(c.expectedTile), 3, 1, 0}));
        EXPECT_TRUE(f.workspace.Map.MapModified);
        EXPECT_EQ(f.notifications, std::vector<unsigned>{MapChanged});
        f.run(f.stroke.MouseDown(c.button, -5, 0)); // a later press that writes nothing
        f.run(f.stroke.MouseUp());
        EXPECT_EQ(f.notifications.size(), 1u);
    }
}

TEST(MapStroke, PressOffTheGridOnlyMarksTheMapModified) {
    MapFixture f;
    for (auto [x, y] : {std::pair{-1, 3}, {3, -1}, {6 * 17, 3}, {3, 5 * 17}}) {
        f.workspace.Map.MapModified = false;
        const MapStrokeResponse r = f.run(f.stroke.MouseDown(MouseButton::Left, x, y));
        f.run(f.stroke.MouseUp());
        EXPECT_TRUE(f.workspace.Map.MapModified);
        EXPECT_TRUE(r.Repaint.empty() && !r.RepaintAll);
    }
    EXPECT_EQ(f.tiles(), "000000|000000|000000|000000|000000");
    EXPECT_TRUE(f.notifications.empty());
}

TEST(MapStroke, FillIgnoresPalettesAndFlipsButNotDiagonals) {
    MapFixture f;
    f.stroke.SetTool(MapTool::Fill);
    f.cell(1, 0) = {0, 5, 1, 1}; // same Tile, other palette and flips: part of the region
    for (int i = 0; i < 5; ++i)
        f.cell(4 - i, i).Tile = 2; // a diagonal wall that 4-connection cannot cross
    f.state.MapPalette = 6;
    f.run(f.stroke.MouseDown(MouseButton::Left, f.px(0), f.py(0)));
    f.run(f.stroke.MouseUp());
    EXPECT_EQ(f.tiles(), "777720|777200|772000|720000|200000");
    EXPECT_EQ(f.cell(1, 0), (MapCell{7, 6, 0, 0}));
    EXPECT_EQ(f.cell(5, 4).Tile, 0);
    EXPECT_EQ(f.notifications, std::vector<unsigned>{MapChanged});
    // Filling with the cell's own Tile changes nothing, not even the palette or flips.
    f.state.MapPalette = 4;
    f.state.VFlip = true;
    f.run(f.stroke.MouseDown(MouseButton::Left, f.px(1), f.py(0)));
    f.run(f.stroke.MouseUp());
    EXPECT_EQ(f.cell(1, 0), (MapCell{7, 6, 0, 0}));
    EXPECT_EQ(f.notifications.size(), 1u);
}

TEST(MapStroke, RectanglesKeepPalettesAndDrawTheirPreview) {
    struct Case {
        RectangleMode mode;
        int fromC, fromR, toC, toR;
        const char* expected;
    } cases[] = {
        {RectangleMode::Filled, 4, 3, 1, 1, "000000|099990|099990|099990|000000"},
        {RectangleMode::Filled, 1, 1, 4, 3, "000000|099990|099990|099990|000000"},
        {RectangleMode::Hollow, 1, 1, 4, 3, "000000|099990|090090|099990|000000"},
        {RectangleMode::Hollow, 5, 2, 0, 2, "000000|000000|999999|000000|000000"},
        {RectangleMode::Hollow, 2, 4, 2, 0, "009000|009000|009000|009000|009000"},
    };
    for (const Case& c : cases) {
        MapFixture f;
        f.stroke.SetTool(MapTool::Rectangle);
        f.stroke.SetRectangleMode(c.mode);
        f.cell(2, 2).Palette = 1;
        f.cell(3, 1).Palette = 5;
        f.state.HFlip = true;
        f.run(f.stroke.MouseDown(MouseButton::Right, f.px(c.fromC), f.py(c.fromR)));
        const MapStrokeResponse move = f.run(f.stroke.MouseMove(f.px(c.toC), f.py(c.toR)));
        EXPECT_TRUE(move.RepaintAll);
        // Before the release only the preview shows the rectangle.
        EXPECT_EQ(f.tiles(true), c.expected);
        EXPECT_EQ(f.tiles(), "000000|000000|000000|000000|000000");
        f.run(f.stroke.MouseUp());
        EXPECT_EQ(f.tiles(), c.expected);
        EXPECT_EQ(f.stroke.ShownCell(2, 2), f.cell(2, 2));
        EXPECT_EQ(f.cell(3, 1).Palette, 5);
        EXPECT_EQ(f.cell(2, 2).Palette, 1);
        const std::string all = c.expected;
        EXPECT_EQ(f.cell(2, 1).HFlip, all[9] == '9' ? 1 : 0); // placed cells get the flip
    }
}

TEST(MapStroke, GridReplacedDuringADragOnlyWritesCellsThatExist) {
    MapFixture f;
    f.stroke.SetTool(MapTool::Rectangle);
    f.run(f.stroke.MouseDown(MouseButton::Left, f.px(1), f.py(1)));
    f.run(f.stroke.MouseMove(f.px(5), f.py(4)));
    f.workspace.Map.ReplaceMapGrid(3, 2);
    f.run(f.stroke.MouseUp());
    EXPECT_EQ(f.tiles(), "000|077");

    f.stroke.SetTool(MapTool::SingleTile);
    f.workspace.Map.ReplaceMapGrid(6, 5);
    f.run(f.stroke.MouseDown(MouseButton::Left, f.px(5), f.py(4)));
    f.workspace.Map.ReplaceMapGrid(2, 2);
    f.run(f.stroke.MouseMove(f.px(5), f.py(4)));
    f.run(f.stroke.MouseMove(f.px(1), f.py(1)));
    f.run(f.stroke.MouseUp());
    EXPECT_EQ(f.tiles(), "00|07");
}

TEST(MapStroke, StatusTextsNameTheCellAndTheTool) {
    MapFixture f({16, 16});
    f.cell(3, 4) = {12, 2, 1, 0};
    EXPECT_EQ(f.run(f.stroke.MouseMove(f.px(3), f.py(4))).Status,
              "X=3  Y=4  Tile#=3  Palette=2  HFlip=Yes  VFlip=No");
    EXPECT_FALSE(f.run(f.stroke.MouseMove(f.px(6), f.py(0))).Status);
    EXPECT_EQ(MapCellStatusText(0, 0, {8, 0, 0, 1}, 4),
              "X=0  Y=0  Tile#=2  Palette=0  HFlip=No  VFlip=Yes");

    const std::pair<MapTool, const char*> tools[] = {
        {MapTool::Fill, "Fill"}, {MapTool::Rectangle, "Filled Rect"}, {MapTool::SingleTile, "Pen"}};
    for (const auto& [tool, text] : tools) {
        f.stroke.SetTool(tool);
        EXPECT_EQ(f.stroke.ToolStatusText(), text);
    }
    f.stroke.SetRectangleMode(RectangleMode::Hollow);
    EXPECT_EQ(f.stroke.ToolStatusText(), "Hollow Rect");
    f.stroke.SetRectangleMode(RectangleMode::Filled);
    EXPECT_EQ(f.stroke.ToolStatusText(), "Filled Rect");
}

TEST(MapCanvasPainter, PaintsTheCellsAtTheOriginWithTheirGridLines) {
    MapFixture f;
    f.workspace.CurrentTileSet.Palettes[1] = {}; // the map shows palette set 0 only
    constexpr std::uint32_t kFill = 0xFF123456u, kLine = 0xFFFF0000u;
    RgbImage out(34, 34, kFill);
    PaintMapCanvas(f.workspace.CurrentTileSet, f.stroke, CellGeometry(17, 17, 6, 5, 1),
                   {2, 3, 1, 2}, kLine, out, 34, 17);
    for (int i = 0; i < 34; ++i) {
        EXPECT_EQ(out.At(16, i), kLine) << i; // right of column 2
        EXPECT_EQ(out.At(i, 33), kLine) << i; // below row 2
    }
    EXPECT_EQ(out.At(0, 0), out.At(32, 32)); // Tile 0 in both corners
    for (const std::uint32_t other : {kFill, kLine, 0xFF000000u})
        EXPECT_NE(out.At(0, 0), other);
}

TEST(MapCanvasPainter, AnimationFrameShowsTheFramesTileInTheCell) {
    MapFixture f;
    f.scramble();
    f.cell(1, 1).Tile = 5;
    f.cell(1, 1).Palette = 2;
    f.cell(1, 1).HFlip = f.cell(1, 1).VFlip = 0;
    const CellGeometry grid(17, 17, 6, 5, 1);
    RgbImage canvas(17, 17, 0), frame(17, 17, 0);
    PaintMapCanvas(f.workspace.CurrentTileSet, f.stroke, grid, {1, 1, 1, 1}, 0, canvas, 17, 17);
    PaintMapFrame(f.workspace.CurrentTileSet, grid, 1, 1, 5, 2, frame, 17, 17);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(canvas.At(x, y), frame.At(x, y)) << x << "," << y;
}

TEST(MapTileList, GeometryFollowsTheBlockSize) {
    struct Case {
        BlockSize block;
        int tileCount, zoom, pitch, blocks, height;
    } cases[] = {
        {{8, 8}, 16, 4, 34, 16, 73},       {{16, 16}, 10, 3, 50, 3, 89},
        {{32, 8}, 64, 2, 66, 16, 57},      {{40, 48}, 768, 1, 42, 26, 89},
        {{240, 128}, 480, 1, 242, 1, 169},
    };
    for (const Case& c : cases) {
        MapFixture f(c.block, c.tileCount);
        const auto g = MapTileListGeometry::For(f.workspace.CurrentTileSet);
        EXPECT_EQ((std::array{g.Zoom, g.Pitch, g.BlockCount, g.StripHeight}),
                  (std::array{c.zoom, c.pitch, c.blocks, c.height}))
            << c.block.Width << "x" << c.block.Height;
        EXPECT_EQ(g.StripWidth, c.blocks * c.pitch);
    }
    MapFixture f({8, 8}, 16);
    const auto g = MapTileListGeometry::For(f.workspace.CurrentTileSet);
    EXPECT_EQ(g.VisibleBlocks(0, 100).First, 0);
    EXPECT_EQ(g.VisibleBlocks(0, 100).Last, 3);
    EXPECT_EQ(g.VisibleBlocks(34 * 14 + 5, 200).First, 14);
    EXPECT_EQ(g.VisibleBlocks(34 * 14 + 5, 200).Last, 15);
}

TEST(MapTileList, ClicksPickBlocksAndIgnoreTheEmptyEnd) {
    MapFixture f({16, 16}, 10); // Blocks start at 0, 4 and 8; the last is partial
    f.workspace.CurrentTileSet.TilePalette[8] = 5;
    EXPECT_TRUE(
        ClickMapTileList(f.state, f.workspace.CurrentTileSet, MouseButton::Left, 2 * 50 + 3));
    EXPECT_EQ(f.state.LeftBlock, 8);
    EXPECT_EQ(f.state.MapPalette, 5);
    EXPECT_TRUE(ClickMapTileList(f.state, f.workspace.CurrentTileSet, MouseButton::Right, 50));
    EXPECT_EQ(f.state.RightBlock, 4);
    EXPECT_TRUE(ClickMapTileList(f.state, f.workspace.CurrentTileSet, MouseButton::Right, 0));
    EXPECT_EQ(f.state.RightBlock, 0);
    EXPECT_TRUE(ClickMapTileList(f.state, f.workspace.CurrentTileSet, MouseButton::Right, 50));
    EXPECT_EQ(f.state.MapPalette, 5);
    for (auto [button, x] : {std::pair{MouseButton::Left, 150},
                             {MouseButton::Right, 5000},
                             {MouseButton::Other, 0},
                             {MouseButton::Left, -1}})
        EXPECT_FALSE(ClickMapTileList(f.state, f.workspace.CurrentTileSet, button, x));
    EXPECT_EQ(f.state.LeftBlock, 8);
    EXPECT_EQ(f.state.RightBlock, 4);
}

TEST(MapEditorState, BlocksReturnToABlockStartInsideTheSlots) {
    MapFixture f({16, 16});
    f.state.LeftBlock = 7;
    f.state.RightBlock = 766;
    EXPECT_TRUE(KeepMapBlocksInRange(f.state, f.workspace.CurrentTileSet));
    EXPECT_EQ(f.state.LeftBlock, 4);
    EXPECT_EQ(f.state.RightBlock, 764);
    EXPECT_FALSE(KeepMapBlocksInRange(f.state, f.workspace.CurrentTileSet));
    f.state.RightBlock = 9; // one of the two is enough to report a change
    EXPECT_TRUE(KeepMapBlocksInRange(f.state, f.workspace.CurrentTileSet));
    EXPECT_EQ(f.state.RightBlock, 8);
    f.state.RightBlock = 764;
    f.workspace.CurrentTileSet.Block = {240, 128}; // 480 Tiles a Block
    f.state.LeftBlock = 1000;                      // past every slot
    EXPECT_TRUE(KeepMapBlocksInRange(f.state, f.workspace.CurrentTileSet));
    EXPECT_EQ(f.state.LeftBlock, 0);
    EXPECT_EQ(f.state.RightBlock, 480);
}

// Each stroke, fill, rectangle and resize is one step; undoing them in turn gives back
// every earlier grid exactly, palettes and flips included, and redoing gives them again.
TEST(MapHistory, UndoAndRedoWalkBackAndForthThroughEveryKindOfStep) {
    MapFixture f;
    for (int i = 0; i < 30; ++i)
        f.workspace.Map.Grid.Cells[i] = {
            static_cast<std::uint16_t>(i % 3), static_cast<std::uint8_t>(i % 8),
            static_cast<std::uint8_t>(i % 2), static_cast<std::uint8_t>(i % 5 == 0)};
    std::vector<MapGrid> grids{f.workspace.Map.Grid};
    f.state.MapPalette = 2;
    f.run(f.stroke.MouseDown(MouseButton::Left, f.px(0), f.py(0)));
    f.run(f.stroke.MouseMove(f.px(1), f.py(0)));
    f.run(f.stroke.MouseMove(f.px(0), f.py(0))); // a cell passed twice is held once
    f.run(f.stroke.MouseMove(f.px(1), f.py(1)));
    f.run(f.stroke.MouseUp());
    grids.push_back(f.workspace.Map.Grid);
    f.stroke.SetTool(MapTool::Fill);
    f.run(f.stroke.MouseDown(MouseButton::Right, f.px(5), f.py(4)));
    f.run(f.stroke.MouseUp());
    grids.push_back(f.workspace.Map.Grid);
    f.stroke.SetTool(MapTool::Rectangle);
    f.run(f.stroke.MouseDown(MouseButton::Left, f.px(1), f.py(1)));
    f.run(f.stroke.MouseMove(f.px(4), f.py(3)));
    f.run(f.stroke.MouseUp());
    grids.push_back(f.workspace.Map.Grid);
    ASSERT_TRUE(ApplyMapSize(f.workspace.Map, f.prompts, f.history, "3", "8"));
    grids.push_back(f.workspace.Map.Grid);
    for (std::size_t i = 1; i < grids.size(); ++i)
        ASSERT_NE(grids[i - 1], grids[i]) << i;

    for (std::size_t i = grids.size() - 1; i > 0; --i) {
        f.workspace.Map.MapModified = false;
        ASSERT_TRUE(f.history.Undo());
        EXPECT_EQ(grids[i - 1], f.workspace.Map.Grid) << "undo to " << i - 1;
        EXPECT_TRUE(f.workspace.Map.MapModified);
    }
    EXPECT_FALSE(f.history.CanUndo());
    EXPECT_FALSE(f.history.Undo());
    f.notifications.clear();
    for (std::size_t i = 1; i < grids.size(); ++i) {
        ASSERT_TRUE(f.history.Redo());
        EXPECT_EQ(grids[i], f.workspace.Map.Grid) << "redo to " << i;
    }
    EXPECT_EQ(f.notifications.back(), MapChanged | MapResized);
    EXPECT_FALSE(f.history.Redo());
    // A new step after an undo drops what could have been redone.
    f.history.Undo();
    f.stroke.SetTool(MapTool::SingleTile);
    f.run(f.stroke.MouseDown(MouseButton::Left, f.px(5), f.py(4)));
    f.run(f.stroke.MouseUp());
    EXPECT_FALSE(f.history.CanRedo());
    EXPECT_EQ(f.history.StepCount(), grids.size() - 1);
}

TEST(MapHistory, KeepsTheNewestHundredStepsAndNoEmptyOnes) {
    MapFixture f;
    f.workspace.Map.ReplaceMapGrid(20, 20);
    std::vector<MapGrid> grids{f.workspace.Map.Grid};
    for (int i = 0; i < 110; ++i) {
        f.state.LeftBlock = 1 + i % 7;
        f.run(f.stroke.MouseDown(MouseButton::Left, f.px(i % 20), f.py(i / 20)));
        f.run(f.stroke.MouseUp());
        grids.push_back(f.workspace.Map.Grid);
        // Painting the same cell again, or pressing off the grid, is no step.
        f.run(f.stroke.MouseDown(MouseButton::Left, f.px(i % 20), f.py(i / 20)));
        f.run(f.stroke.MouseUp());
        f.run(f.stroke.MouseDown(MouseButton::Left, -3, -3));
        f.run(f.stroke.MouseUp());
    }
    int undone = 0;
    while (f.history.Undo())
        ++undone;
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(grids[10], f.workspace.Map.Grid);
}

TEST(MapHistory, HoldsWhatAStepChangedAndAtMostTheMapOnce) {
    MapFixture f;
    f.workspace.Map.ReplaceMapGrid(1000, 1000);
    const std::size_t mapBytes = 1000 * 1000 * sizeof(MapCell);
    f.run(f.stroke.MouseDown(MouseButton::Left, f.px(10), f.py(10)));
    for (int c = 11; c < 20; ++c)
        f.run(f.stroke.MouseMove(f.px(c), f.py(10)));
    f.run(f.stroke.MouseUp());
    EXPECT_GT(f.history.BytesHeld(), 0u);
    EXPECT_LE(f.history.BytesHeld(), 10 * 16u);
    f.stroke.SetTool(MapTool::Fill);
    f.run(f.stroke.MouseDown(MouseButton::Left, f.px(0), f.py(0)));
    f.run(f.stroke.MouseUp());
    EXPECT_LE(f.history.BytesHeld(), mapBytes + 10 * 16u);
    EXPECT_GE(f.history.BytesHeld(), mapBytes);
    f.history.Undo();
    EXPECT_EQ(f.workspace.Map.Cell(999, 999).Tile, 0);
    EXPECT_EQ(f.workspace.Map.Cell(10, 15).Tile, 7);
}

TEST(MapHistory, ForgetsItsStepsWhenTheMapIsReplaced) {
    MapFixture f;
    f.run(f.stroke.MouseDown(MouseButton::Left, f.px(1), f.py(1)));
    f.run(f.stroke.MouseUp());
    ASSERT_TRUE(f.history.CanUndo());
    f.prompts.answer(Answer::No);
    f.workspace.NewMap();
    EXPECT_FALSE(f.history.CanUndo());
    // A grid swapped without a notice is never written through stale cell numbers.
    f.run(f.stroke.MouseDown(MouseButton::Left, f.px(1), f.py(1)));
    f.run(f.stroke.MouseUp());
    f.workspace.Map.ReplaceMapGrid(2, 2);
    EXPECT_FALSE(f.history.Undo());
    EXPECT_EQ(f.tiles(), "00|00");
    // Nor is a step kept whose grid was swapped during the drag, one side alike.
    f.workspace.Map.Cell(1, 1).Tile = 5;
    f.run(f.stroke.MouseDown(MouseButton::Left, f.px(1), f.py(1)));
    f.workspace.Map.ReplaceMapGrid(2, 3);
    f.run(f.stroke.MouseUp());
    EXPECT_FALSE(f.history.CanUndo());
}

} // namespace
} // namespace tessivar
