#include "TileEditorTestSupport.h"
#include "core/tileeditor/BlockBounds.h"
#include "core/tileeditor/BlockSizeCommands.h"
#include "core/tileeditor/EditorLayout.h"
#include "core/tileeditor/MapViewPaneWidth.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

using tileeditor_test::Fixture;

TEST(BlockBounds, BlockStartsAreAlignedAndFitIntoTheSlots) {
    struct Case {
        int tile, tilesPerBlock, expected;
    };
    const Case cases[] = {
        {5, 4, 4},     {767, 1, 767},  {767, 4, 764}, {766, 6, 762},   {480, 480, 0},
        {479, 480, 0}, {700, 16, 688}, {-3, 4, 0},    {765, 256, 512},
    };
    for (const auto& c : cases) {
        const int start = AlignBlockStart(c.tile, c.tilesPerBlock);
        EXPECT_EQ(start, c.expected) << c.tile << " / " << c.tilesPerBlock;
        EXPECT_LE(start + c.tilesPerBlock, kMaxTiles);
    }
}

TEST(BlockSizeCommands, FixedSizesSetTheSizeAndAlignTheSelection) {
    struct Case {
        BlockSize size;
        int start, end;               // selection before
        int alignedStart, alignedEnd; // and after
    };
    const Case cases[] = {
        {{16, 16}, 5, 5, 4, 7}, {{16, 16}, 4, 6, 4, 7}, // shorter than a Block: grown
        {{16, 16}, 4, 7, 4, 7}, {{16, 16}, 5, 8, 4, 8}, // a Block or more: kept
        {{8, 16}, 4, 8, 4, 8},  {{32, 32}, 17, 40, 16, 40},
    };
    for (const Case& c : cases) {
        Fixture f;
        EditorLayout layout;
        layout.LayoutDirty = false;
        f.editing().SelectionStart = c.start;
        f.editing().SelectionEnd = c.end;
        f.run(SetFixedBlockSize(f.tiles(), f.editing(), layout, c.size));
        EXPECT_EQ(f.tiles().Block, c.size);
        EXPECT_EQ(f.editing().SelectionStart, c.alignedStart) << c.start << ".." << c.end;
        EXPECT_EQ(f.editing().SelectionEnd, c.alignedEnd) << c.start << ".." << c.end;
        EXPECT_EQ(f.editing().CurrentTile, c.alignedStart);
        EXPECT_TRUE(layout.LayoutDirty);
    }
}

TEST(BlockSizeCommands, EightByEightKeepsSelectionAndCurrentTile) {
    Fixture f({16, 16});
    EditorLayout layout;
    layout.LayoutDirty = false;
    f.editing().CurrentTile = 4;
    f.editing().SelectionStart = 9;
    f.run(SetSingleTileBlockSize(f.tiles(), layout));
    EXPECT_EQ(f.tiles().Block, (BlockSize{8, 8}));
    EXPECT_EQ(f.editing().SelectionStart, 9);
    EXPECT_EQ(f.editing().CurrentTile, 4);
    EXPECT_TRUE(layout.LayoutDirty);
}

TEST(BlockSizeCommands, CustomSizeChecksComeInTheirOrder) {
    struct Case {
        const char* width;
        const char* height;
        const char* message; // empty: accepted
    };
    const Case cases[] = {
        {"241", "129", "The width entered is larger than 240"},
        {"0", "129", "The height entered is larger than 128"},
        {"abc", "0", "The width entered is invalid"},
        {"8", "-1", "The height entered is invalid"},
        {"240", "128", ""},
        {" 12x", "20", ""},
    };
    for (const auto& c : cases) {
        Fixture f;
        EditorLayout layout;
        const bool accepted = f.run(
            ApplyCustomBlockSize(f.tiles(), f.editing(), layout, f.prompts, c.width, c.height));
        EXPECT_EQ(accepted, *c.message == '\0') << c.width << " x " << c.height;
        if (!accepted) {
            EXPECT_EQ(f.prompts.messages,
                      (std::vector<testing::ShownText>{{c.message, "Size error"}}));
            EXPECT_EQ(f.tiles().Block, (BlockSize{8, 8}));
        }
    }
}

TEST(BlockSizeCommands, LargeCustomBlockGrowsTheCountAndKeepsTheSelectionInsideTheSlots) {
    Fixture f({8, 8}, 16);
    EditorLayout layout;
    f.editing().SelectionStart = f.editing().SelectionEnd = 500;
    ASSERT_TRUE(
        f.run(ApplyCustomBlockSize(f.tiles(), f.editing(), layout, f.prompts, "240", "128")));
    EXPECT_EQ(f.tiles().TileCount, 480);
    EXPECT_EQ(f.editing().SelectionStart, 0);
    EXPECT_EQ(f.editing().CurrentTile, 0);
    EXPECT_EQ(BlockCountText(f.tiles()), "1");
}

TEST(BlockSizeCommands, TileCountDialog) {
    struct Case {
        std::optional<std::string> entered;
        int expectedCount;
        bool accepted;
    };
    const Case cases[] = {
        {"192", 768, true},         {"193", 64, false},       {"0", 64, false},
        {"xyz", 64, false},         {std::nullopt, 64, true}, {"1", 4, true},
        {"99999999999", 64, false},
    };
    for (const auto& c : cases) {
        Fixture f({16, 16}, 64);
        EXPECT_EQ(TileCountFieldPreset(f.tiles()), "16");
        f.run(ApplyTileCount(f.tiles(), f.prompts, c.entered));
        EXPECT_EQ(f.tiles().TileCount, c.expectedCount) << c.entered.value_or("cancel");
        EXPECT_TRUE(f.editing().Modified);
        const testing::ShownText refusal{"The tile count you entered is out of range!", "BAD BAD"};
        EXPECT_EQ(f.prompts.messages, std::vector<testing::ShownText>(c.accepted ? 0 : 1, refusal));
    }
}

TEST(EditorLayout, AutomaticZoomsByTheLargerSide) {
    struct Case {
        BlockSize block;
        AutomaticZoom zoom;
    };
    const Case cases[] = {
        {{8, 8}, {4, 32}}, {{8, 16}, {3, 16}}, {{12, 20}, {2, 8}},
        {{33, 8}, {1, 6}}, {{64, 64}, {1, 6}}, {{240, 128}, {1, 3}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AutomaticZoomFor(c.block), c.zoom) << c.block.Width << "x" << c.block.Height;
}

TEST(EditorLayout, FirstUpdateLaysOutTheWholeWindow) {
    EditorLayout layout;
    const LayoutChange change = UpdateEditorLayout(layout, {8, 8}, 16, {false, 400});
    EXPECT_EQ(change.TileListWidth, 16 * 34);
    ASSERT_TRUE(change.Full);
    EXPECT_EQ(change.Full->TileListStripHeight, 32 + 41);
    EXPECT_EQ(change.Full->TileListHeight, 32 + 25);
    EXPECT_EQ(change.Full->Canvas, (CanvasExtent{256, 256}));
    EXPECT_EQ(change.Full->LeftPaneWidth, 409);
    EXPECT_EQ(change.Full->WindowWidthDelta, 9);
    EXPECT_EQ(change.Full->WindowHeight, 73 + 256 + 126);
    EXPECT_FALSE(layout.LayoutDirty);

    const LayoutChange again = UpdateEditorLayout(layout, {8, 8}, 16, {false, 409});
    EXPECT_FALSE(again.TileListWidth || again.Full || again.Canvas);
}

TEST(EditorLayout, SmallCanvasKeepsMinimumPaneAndMaximisedWindowKeepsItsSize) {
    EditorLayout layout;
    layout.LayoutDirty = false;
    layout.CanvasZoom = 4;
    // The Block size differs from the last one seen: the layout is redone, zooms kept.
    const LayoutChange change = UpdateEditorLayout(layout, {16, 16}, 16, {true, 409});
    EXPECT_EQ(layout.CanvasZoom, 4);
    ASSERT_TRUE(change.Full);
    EXPECT_EQ(change.Full->Canvas, (CanvasExtent{64, 64}));
    EXPECT_EQ(change.Full->LeftPaneWidth, 409);
    EXPECT_FALSE(change.Full->WindowHeight);
    EXPECT_FALSE(change.Full->WindowWidthDelta);
}

TEST(EditorLayout, ZoomCommandsResizeOnlyTheCanvas) {
    EditorLayout layout;
    UpdateEditorLayout(layout, {40, 40}, 16, {}); // automatic 6
    ASSERT_EQ(layout.CanvasZoom, 6);
    ZoomIn(layout);
    ZoomIn(layout);
    EXPECT_EQ(layout.CanvasZoom, 24);
    ZoomIn(layout);
    EXPECT_EQ(layout.CanvasZoom, 32);
    const LayoutChange change = UpdateEditorLayout(layout, {40, 40}, 16, {});
    EXPECT_FALSE(change.Full);
    EXPECT_EQ(change.Canvas, (CanvasExtent{1280, 1280}));
    EXPECT_FALSE(layout.ZoomChanged);

    layout.CanvasZoom = 3;
    ZoomOut(layout);
    EXPECT_EQ(layout.CanvasZoom, 2);
    ZoomOut(layout);
    EXPECT_EQ(layout.CanvasZoom, 2);

    RestoreDefaultZoom(layout); // the automatic zoom and a whole new layout
    const LayoutChange restored = UpdateEditorLayout(layout, {40, 40}, 16, {});
    EXPECT_EQ(layout.CanvasZoom, 6);
    ASSERT_TRUE(restored.Full);
    EXPECT_EQ(restored.Full->Canvas, (CanvasExtent{240, 240}));
}

TEST(EditorLayout, LeftPaneKeepsAtLeastThirtyPixelsBesideTheMapView) {
    const int cases[][3] = {{800, 300, 500}, {331, 300, 31}, {330, 300, 30}, {200, 300, 30}};
    for (const auto& [Client, remembered, left] : cases)
        EXPECT_EQ(LeftPaneWidthOnShow(Client, remembered), left) << Client;
}

TEST(EditorLayout, NewWhile32x32KeepsTheZoomButRedoesTheLayout) {
    Fixture f;
    EditorLayout layout;
    f.run(SetFixedBlockSize(f.tiles(), f.editing(), layout, {32, 32}));
    UpdateEditorLayout(layout, f.tiles().Block, f.tiles().TileCount, {});
    ASSERT_EQ(layout.CanvasZoom, 8);
    f.workspace.NewTileSet();
    const LayoutChange change = UpdateEditorLayout(layout, f.tiles().Block, 16, {});
    EXPECT_EQ(layout.CanvasZoom, 8);
    EXPECT_EQ(layout.ListZoom, 2);
    ASSERT_TRUE(change.Full);
    EXPECT_EQ(change.Full->Canvas, (CanvasExtent{64, 64}));
}

} // namespace
} // namespace tessivar
