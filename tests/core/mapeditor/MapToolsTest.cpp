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
    MapHistory history{workspace.map, [this](const DocumentChange& c) { workspace.apply(c); }};
    MapStroke stroke{workspace.tileSet, workspace.map, state, history};

    explicit MapFixture(BlockSize block = {8, 8}, int tileCount = 64)
        : Fixture(block, tileCount) {
        workspace.addListener([this](unsigned changes) { history.heard(changes); });
        workspace.map.ReplaceMapGrid(6, 5);
        state.LeftBlock = 7;
        state.RightBlock = 9;
    }
    MapResponse run(const MapResponse& response) {
        Fixture::run(response.change);
        return response;
    }
    // Centre of cell (column, row) on the canvas.
    int px(int column) const { return column * (2 * workspace.tileSet.block.width + 1) + 3; }
    int py(int row) const { return row * (2 * workspace.tileSet.block.height + 1) + 3; }
    MapCell& cell(int column, int row) { return workspace.map.cell(row, column); }
    // Tiles of the grid (or of the stroke's preview), row by row, as one string of digits.
    std::string tiles(bool preview = false) {
        std::string out;
        for (int r = 0; r < workspace.map.Height(); ++r) {
            for (int c = 0; c < workspace.map.Width(); ++c)
                out +=
                    static_cast<char>('0' + (preview ? stroke.shownCell(c, r) : cell(c, r)).Tile);
            out += r + 1 < workspace.map.Height() ? "|" : "";
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
        const MapResponse down = f.run(f.stroke.mouseDown(c.button, f.px(1), f.py(2)));
        EXPECT_EQ(down.repaint, (MapCellRange{1, 1, 2, 2}));
        f.run(f.stroke.mouseMove(f.px(3), f.py(2)));
        f.run(f.stroke.mouseMove(f.px(9), f.py(2))); // off the grid: ignored
        f.run(f.stroke.mouseUp());
        f.run(f.stroke.mouseMove(f.px(4), f.py(2))); // no button: no drawing
        const char t = static_cast<char>('0' + c.expectedTile);
        EXPECT_EQ(f.tiles(), std::string("000000|000000|0") + t + "0" + t + "00|000000|000000");
        EXPECT_EQ(f.cell(1, 2), (MapCell{static_cast<std::uint16_t>(c.expectedTile), 3, 1, 0}));
        EXPECT_TRUE(f.workspace.map.MapModified);
        EXPECT_EQ(f.notifications, std::vector<unsigned>{MapChanged});
        f.run(f.stroke.mouseDown(c.button, -5, 0)); // a later press that writes nothing
        f.run(f.stroke.mouseUp());
        EXPECT_EQ(f.notifications.size(), 1u);
    }
}

TEST(MapStroke, PressOffTheGridOnlyMarksTheMapModified) {
    MapFixture f;
    for (auto [x, y] : {std::pair{-1, 3}, {3, -1}, {6 * 17, 3}, {3, 5 * 17}}) {
        f.workspace.map.MapModified = false;
        const MapResponse r = f.run(f.stroke.mouseDown(MouseButton::Left, x, y));
        f.run(f.stroke.mouseUp());
        EXPECT_TRUE(f.workspace.map.MapModified);
        EXPECT_TRUE(r.repaint.empty() && !r.repaintAll);
    }
    EXPECT_EQ(f.tiles(), "000000|000000|000000|000000|000000");
    EXPECT_TRUE(f.notifications.empty());
}

TEST(MapStroke, FillIgnoresPalettesAndFlipsButNotDiagonals) {
    MapFixture f;
    f.stroke.setTool(MapTool::Fill);
    f.cell(1, 0) = {0, 5, 1, 1}; // same Tile, other palette and flips: part of the region
    for (int i = 0; i < 5; ++i)
        f.cell(4 - i, i).Tile = 2; // a diagonal wall that 4-connection cannot cross
    f.state.MapPalette = 6;
    f.run(f.stroke.mouseDown(MouseButton::Left, f.px(0), f.py(0)));
    f.run(f.stroke.mouseUp());
    EXPECT_EQ(f.tiles(), "777720|777200|772000|720000|200000");
    EXPECT_EQ(f.cell(1, 0), (MapCell{7, 6, 0, 0}));
    EXPECT_EQ(f.cell(5, 4).Tile, 0);
    EXPECT_EQ(f.notifications, std::vector<unsigned>{MapChanged});
    // Filling with the cell's own Tile changes nothing, not even the palette or flips.
    f.state.MapPalette = 4;
    f.state.VFlip = true;
    f.run(f.stroke.mouseDown(MouseButton::Left, f.px(1), f.py(0)));
    f.run(f.stroke.mouseUp());
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
        f.stroke.setTool(MapTool::Rectangle);
        f.stroke.setRectangleMode(c.mode);
        f.cell(2, 2).Palette = 1;
        f.cell(3, 1).Palette = 5;
        f.state.HFlip = true;
        f.run(f.stroke.mouseDown(MouseButton::Right, f.px(c.fromC), f.py(c.fromR)));
        const MapResponse move = f.run(f.stroke.mouseMove(f.px(c.toC), f.py(c.toR)));
        EXPECT_TRUE(move.repaintAll);
        // Before the release only the preview shows the rectangle.
        EXPECT_EQ(f.tiles(true), c.expected);
        EXPECT_EQ(f.tiles(), "000000|000000|000000|000000|000000");
        f.run(f.stroke.mouseUp());
        EXPECT_EQ(f.tiles(), c.expected);
        EXPECT_EQ(f.stroke.shownCell(2, 2), f.cell(2, 2));
        EXPECT_EQ(f.cell(3, 1).Palette, 5);
        EXPECT_EQ(f.cell(2, 2).Palette, 1);
        const std::string all = c.expected;
        EXPECT_EQ(f.cell(2, 1).HFlip, all[9] == '9' ? 1 : 0); // placed cells get the flip
    }
}

TEST(MapStroke, GridReplacedDuringADragOnlyWritesCellsThatExist) {
    MapFixture f;
    f.stroke.setTool(MapTool::Rectangle);
    f.run(f.stroke.mouseDown(MouseButton::Left, f.px(1), f.py(1)));
    f.run(f.stroke.mouseMove(f.px(5), f.py(4)));
    f.workspace.map.ReplaceMapGrid(3, 2);
    f.run(f.stroke.mouseUp());
    EXPECT_EQ(f.tiles(), "000|077");

    f.stroke.setTool(MapTool::SingleTile);
    f.workspace.map.ReplaceMapGrid(6, 5);
    f.run(f.stroke.mouseDown(MouseButton::Left, f.px(5), f.py(4)));
    f.workspace.map.ReplaceMapGrid(2, 2);
    f.run(f.stroke.mouseMove(f.px(5), f.py(4)));
    f.run(f.stroke.mouseMove(f.px(1), f.py(1)));
    f.run(f.stroke.mouseUp());
    EXPECT_EQ(f.tiles(), "00|07");
}

TEST(MapStroke, StatusTextsNameTheCellAndTheTool) {
    MapFixture f({16, 16});
    f.cell(3, 4) = {12, 2, 1, 0};
    EXPECT_EQ(f.run(f.stroke.mouseMove(f.px(3), f.py(4))).status,
              "X=3  Y=4  Tile#=3  Palette=2  HFlip=Yes  VFlip=No");
    EXPECT_FALSE(f.run(f.stroke.mouseMove(f.px(6), f.py(0))).status);
    EXPECT_EQ(MapCellStatusText(0, 0, {8, 0, 0, 1}, 4),
              "X=0  Y=0  Tile#=2  Palette=0  HFlip=No  VFlip=Yes");

    const std::pair<MapTool, const char*> tools[] = {
        {MapTool::Fill, "Fill"}, {MapTool::Rectangle, "Filled Rect"}, {MapTool::SingleTile, "Pen"}};
    for (const auto& [tool, text] : tools) {
        f.stroke.setTool(tool);
        EXPECT_EQ(f.stroke.toolStatusText(), text);
    }
    f.stroke.setRectangleMode(RectangleMode::Hollow);
    EXPECT_EQ(f.stroke.toolStatusText(), "Hollow Rect");
    f.stroke.setRectangleMode(RectangleMode::Filled);
    EXPECT_EQ(f.stroke.toolStatusText(), "Filled Rect");
}

TEST(MapCanvasPainter, PaintsTheCellsAtTheOriginWithTheirGridLines) {
    MapFixture f;
    f.workspace.tileSet.paletteTable[1] = {}; // the map shows palette set 0 only
    constexpr std::uint32_t kFill = 0xFF123456u, kLine = 0xFFFF0000u;
    RgbImage out(34, 34, kFill);
    PaintMapCanvas(f.workspace.tileSet, f.stroke, CellGrid(17, 17, 6, 5, 1), {2, 3, 1, 2}, kLine,
                   out, 34, 17);
    for (int i = 0; i < 34; ++i) {
        EXPECT_EQ(out.at(16, i), kLine) << i; // right of column 2
        EXPECT_EQ(out.at(i, 33), kLine) << i; // below row 2
    }
    EXPECT_EQ(out.at(0, 0), out.at(32, 32)); // Tile 0 in both corners
    for (const std::uint32_t other : {kFill, kLine, 0xFF000000u})
        EXPECT_NE(out.at(0, 0), other);
}

TEST(MapCanvasPainter, AnimationFrameShowsTheFramesTileInTheCell) {
    MapFixture f;
    f.scramble();
    f.cell(1, 1).Tile = 5;
    f.cell(1, 1).Palette = 2;
    f.cell(1, 1).HFlip = f.cell(1, 1).VFlip = 0;
    const CellGrid grid(17, 17, 6, 5, 1);
    RgbImage canvas(17, 17, 0), frame(17, 17, 0);
    PaintMapCanvas(f.workspace.tileSet, f.stroke, grid, {1, 1, 1, 1}, 0, canvas, 17, 17);
    PaintMapFrame(f.workspace.tileSet, grid, 1, 1, 5, 2, frame, 17, 17);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(canvas.at(x, y), frame.at(x, y)) << x << "," << y;
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
        const auto g = MapTileListGeometry::For(f.workspace.tileSet);
        EXPECT_EQ((std::array{g.zoom, g.pitch, g.blockCount, g.stripHeight}),
                  (std::array{c.zoom, c.pitch, c.blocks, c.height}))
            << c.block.width << "x" << c.block.height;
        EXPECT_EQ(g.stripWidth, c.blocks * c.pitch);
    }
    MapFixture f({8, 8}, 16);
    const auto g = MapTileListGeometry::For(f.workspace.tileSet);
    EXPECT_EQ(g.visibleBlocks(0, 100).first, 0);
    EXPECT_EQ(g.visibleBlocks(0, 100).last, 3);
    EXPECT_EQ(g.visibleBlocks(34 * 14 + 5, 200).first, 14);
    EXPECT_EQ(g.visibleBlocks(34 * 14 + 5, 200).last, 15);
}

TEST(MapTileList, ClicksPickBlocksAndIgnoreTheEmptyEnd) {
    MapFixture f({16, 16}, 10); // Blocks start at 0, 4 and 8; the last is partial
    f.workspace.tileSet.tilePalette[8] = 5;
    EXPECT_TRUE(ClickMapTileList(f.state, f.workspace.tileSet, MouseButton::Left, 2 * 50 + 3));
    EXPECT_EQ(f.state.LeftBlock, 8);
    EXPECT_EQ(f.state.MapPalette, 5);
    EXPECT_TRUE(ClickMapTileList(f.state, f.workspace.tileSet, MouseButton::Right, 50));
    EXPECT_EQ(f.state.RightBlock, 4);
    EXPECT_TRUE(ClickMapTileList(f.state, f.workspace.tileSet, MouseButton::Right, 0));
    EXPECT_EQ(f.state.RightBlock, 0);
    EXPECT_TRUE(ClickMapTileList(f.state, f.workspace.tileSet, MouseButton::Right, 50));
    EXPECT_EQ(f.state.MapPalette, 5);
    for (auto [button, x] : {std::pair{MouseButton::Left, 150},
                             {MouseButton::Right, 5000},
                             {MouseButton::Other, 0},
                             {MouseButton::Left, -1}})
        EXPECT_FALSE(ClickMapTileList(f.state, f.workspace.tileSet, button, x));
    EXPECT_EQ(f.state.LeftBlock, 8);
    EXPECT_EQ(f.state.RightBlock, 4);
}

TEST(MapEditorState, BlocksReturnToABlockStartInsideTheSlots) {
    MapFixture f({16, 16});
    f.state.LeftBlock = 7;
    f.state.RightBlock = 766;
    EXPECT_TRUE(KeepMapBlocksInRange(f.state, f.workspace.tileSet));
    EXPECT_EQ(f.state.LeftBlock, 4);
    EXPECT_EQ(f.state.RightBlock, 764);
    EXPECT_FALSE(KeepMapBlocksInRange(f.state, f.workspace.tileSet));
    f.state.RightBlock = 9; // one of the two is enough to report a change
    EXPECT_TRUE(KeepMapBlocksInRange(f.state, f.workspace.tileSet));
    EXPECT_EQ(f.state.RightBlock, 8);
    f.state.RightBlock = 764;
    f.workspace.tileSet.block = {240, 128}; // 480 Tiles a Block
    f.state.LeftBlock = 1000;               // past every slot
    EXPECT_TRUE(KeepMapBlocksInRange(f.state, f.workspace.tileSet));
    EXPECT_EQ(f.state.LeftBlock, 0);
    EXPECT_EQ(f.state.RightBlock, 480);
}

// Each stroke, fill, rectangle and resize is one step; undoing them in turn gives back
// every earlier grid exactly, palettes and flips included, and redoing gives them again.
TEST(MapHistory, UndoAndRedoWalkBackAndForthThroughEveryKindOfStep) {
    MapFixture f;
    for (int i = 0; i < 30; ++i)
        f.workspace.map.grid.cells[i] = {
            static_cast<std::uint16_t>(i % 3), static_cast<std::uint8_t>(i % 8),
            static_cast<std::uint8_t>(i % 2), static_cast<std::uint8_t>(i % 5 == 0)};
    std::vector<MapGrid> grids{f.workspace.map.grid};
    f.state.MapPalette = 2;
    f.run(f.stroke.mouseDown(MouseButton::Left, f.px(0), f.py(0)));
    f.run(f.stroke.mouseMove(f.px(1), f.py(0)));
    f.run(f.stroke.mouseMove(f.px(0), f.py(0))); // a cell passed twice is held once
    f.run(f.stroke.mouseMove(f.px(1), f.py(1)));
    f.run(f.stroke.mouseUp());
    grids.push_back(f.workspace.map.grid);
    f.stroke.setTool(MapTool::Fill);
    f.run(f.stroke.mouseDown(MouseButton::Right, f.px(5), f.py(4)));
    f.run(f.stroke.mouseUp());
    grids.push_back(f.workspace.map.grid);
    f.stroke.setTool(MapTool::Rectangle);
    f.run(f.stroke.mouseDown(MouseButton::Left, f.px(1), f.py(1)));
    f.run(f.stroke.mouseMove(f.px(4), f.py(3)));
    f.run(f.stroke.mouseUp());
    grids.push_back(f.workspace.map.grid);
    ASSERT_TRUE(ApplyMapSize(f.workspace.map, f.prompts, f.history, "3", "8"));
    grids.push_back(f.workspace.map.grid);
    for (std::size_t i = 1; i < grids.size(); ++i)
        ASSERT_NE(grids[i - 1], grids[i]) << i;

    for (std::size_t i = grids.size() - 1; i > 0; --i) {
        f.workspace.map.MapModified = false;
        ASSERT_TRUE(f.history.Undo());
        EXPECT_EQ(grids[i - 1], f.workspace.map.grid) << "undo to " << i - 1;
        EXPECT_TRUE(f.workspace.map.MapModified);
    }
    EXPECT_FALSE(f.history.canUndo());
    EXPECT_FALSE(f.history.Undo());
    f.notifications.clear();
    for (std::size_t i = 1; i < grids.size(); ++i) {
        ASSERT_TRUE(f.history.Redo());
        EXPECT_EQ(grids[i], f.workspace.map.grid) << "redo to " << i;
    }
    EXPECT_EQ(f.notifications.back(), MapChanged | MapResized);
    EXPECT_FALSE(f.history.Redo());
    // A new step after an undo drops what could have been redone.
    f.history.Undo();
    f.stroke.setTool(MapTool::SingleTile);
    f.run(f.stroke.mouseDown(MouseButton::Left, f.px(5), f.py(4)));
    f.run(f.stroke.mouseUp());
    EXPECT_FALSE(f.history.canRedo());
    EXPECT_EQ(f.history.stepCount(), grids.size() - 1);
}

TEST(MapHistory, KeepsTheNewestHundredStepsAndNoEmptyOnes) {
    MapFixture f;
    f.workspace.map.ReplaceMapGrid(20, 20);
    std::vector<MapGrid> grids{f.workspace.map.grid};
    for (int i = 0; i < 110; ++i) {
        f.state.LeftBlock = 1 + i % 7;
        f.run(f.stroke.mouseDown(MouseButton::Left, f.px(i % 20), f.py(i / 20)));
        f.run(f.stroke.mouseUp());
        grids.push_back(f.workspace.map.grid);
        // Painting the same cell again, or pressing off the grid, is no step.
        f.run(f.stroke.mouseDown(MouseButton::Left, f.px(i % 20), f.py(i / 20)));
        f.run(f.stroke.mouseUp());
        f.run(f.stroke.mouseDown(MouseButton::Left, -3, -3));
        f.run(f.stroke.mouseUp());
    }
    int undone = 0;
    while (f.history.Undo())
        ++undone;
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(grids[10], f.workspace.map.grid);
}

TEST(MapHistory, HoldsWhatAStepChangedAndAtMostTheMapOnce) {
    MapFixture f;
    f.workspace.map.ReplaceMapGrid(1000, 1000);
    const std::size_t mapBytes = 1000 * 1000 * sizeof(MapCell);
    f.run(f.stroke.mouseDown(MouseButton::Left, f.px(10), f.py(10)));
    for (int c = 11; c < 20; ++c)
        f.run(f.stroke.mouseMove(f.px(c), f.py(10)));
    f.run(f.stroke.mouseUp());
    EXPECT_GT(f.history.bytesHeld(), 0u);
    EXPECT_LE(f.history.bytesHeld(), 10 * 16u);
    f.stroke.setTool(MapTool::Fill);
    f.run(f.stroke.mouseDown(MouseButton::Left, f.px(0), f.py(0)));
    f.run(f.stroke.mouseUp());
    EXPECT_LE(f.history.bytesHeld(), mapBytes + 10 * 16u);
    EXPECT_GE(f.history.bytesHeld(), mapBytes);
    f.history.Undo();
    EXPECT_EQ(f.workspace.map.cell(999, 999).Tile, 0);
    EXPECT_EQ(f.workspace.map.cell(10, 15).Tile, 7);
}

TEST(MapHistory, ForgetsItsStepsWhenTheMapIsReplaced) {
    MapFixture f;
    f.run(f.stroke.mouseDown(MouseButton::Left, f.px(1), f.py(1)));
    f.run(f.stroke.mouseUp());
    ASSERT_TRUE(f.history.canUndo());
    f.prompts.answer(Answer::No);
    f.workspace.NewMap();
    EXPECT_FALSE(f.history.canUndo());
    // A grid swapped without a notice is never written through stale cell numbers.
    f.run(f.stroke.mouseDown(MouseButton::Left, f.px(1), f.py(1)));
    f.run(f.stroke.mouseUp());
    f.workspace.map.ReplaceMapGrid(2, 2);
    EXPECT_FALSE(f.history.Undo());
    EXPECT_EQ(f.tiles(), "00|00");
}

} // namespace
} // namespace tessivar
