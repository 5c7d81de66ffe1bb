#include "TileEditorTestSupport.h"
#include "core/tileeditor/BlockTransforms.h"
#include "core/tileeditor/TransformCommands.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

using tileeditor_test::Fixture;

const BlockSize kShapes[] = {{8, 8}, {16, 16}, {8, 16}, {12, 20}, {1, 5}, {5, 1}, {24, 24}};

TEST(BlockTransforms, InversesAndCyclesRestoreTheBlock) {
    struct Cycle {
        const char* name;
        void (*step)(TileSet&, int);
        int times; // 0: the Block's width, -1: its height
    };
    const Cycle cycles[] = {
        {"left then right", [](TileSet& t, int b) { ShiftBlockLeft(t, b), ShiftBlockRight(t, b); },
         1},
        {"up then down", [](TileSet& t, int b) { ShiftBlockUp(t, b), ShiftBlockDown(t, b); }, 1},
        {"W lefts", ShiftBlockLeft, 0},
        {"H downs", ShiftBlockDown, -1},
        {"two horizontal flips", FlipBlockHorizontal, 2},
        {"two vertical flips", FlipBlockVertical, 2},
    };
    for (const BlockSize shape : kShapes)
        for (const Cycle& c : cycles) {
            SCOPED_TRACE(testing::Message()
                         << c.name << " on " << shape.width << "x" << shape.height);
            Fixture f(shape);
            f.editing().CurrentTile = shape.tilesPerBlock();
            f.paintPattern();
            const auto before = f.blockPixels();
            const int times = c.times == 0 ? shape.width : c.times < 0 ? shape.height : c.times;
            for (int i = 0; i < times; ++i)
                c.step(f.tiles(), f.editing().CurrentTile);
            EXPECT_EQ(f.blockPixels(), before);
        }
}

TEST(BlockTransforms, ShiftLeftCarriesColumnsAcrossTilesButNotPalettes) {
    Fixture f({16, 16});
    f.tiles().tilePalette[1] = 6;
    for (int y = 0; y < 16; ++y) {
        f.tiles().SetBlockPixel(0, 8, y, 2);
        f.tiles().SetBlockPixel(0, 0, y, 1);
    }
    ShiftBlockLeft(f.tiles(), 0);
    EXPECT_EQ(f.pixel(7, 3), 2);
    EXPECT_EQ(f.pixel(15, 12), 1);
    EXPECT_EQ(f.tiles().tilePalette[1], 6);
}

TEST(BlockTransforms, FlipKeepsTheMiddleRowOfAnOddHeight) {
    Fixture f({8, 5});
    for (int y = 0; y < 5; ++y)
        f.tiles().SetBlockPixel(0, 0, y, static_cast<ColorIndex>(y % 4));
    FlipBlockVertical(f.tiles(), 0);
    const int expected[] = {0, 3, 2, 1, 0};
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(f.pixel(0, y), expected[y]) << y;
}

TEST(BlockTransforms, RotateRightTurnsClockwiseAndFourTurnsRestore) {
    for (const BlockSize shape : {BlockSize{8, 8}, BlockSize{24, 24}, BlockSize{128, 128}}) {
        Fixture f(shape, 768);
        f.paintPattern();
        const auto before = f.blockPixels();
        const int last = shape.width - 1;
        const ColorIndex topLeft = f.pixel(0, 0), bottomLeft = f.pixel(0, last);
        ASSERT_TRUE(RotateBlockRight(f.tiles(), 0));
        EXPECT_EQ(f.pixel(last, 0), topLeft);
        EXPECT_EQ(f.pixel(0, 0), bottomLeft);
        for (int i = 0; i < 3; ++i)
            RotateBlockRight(f.tiles(), 0);
        EXPECT_EQ(f.blockPixels(), before);
    }
}

TEST(BlockTransforms, ClearBlockZeroesAllTileBytesButOnlyTheFirstPalette) {
    Fixture f({12, 12});
    for (int t = 4; t < 8; ++t) {
        f.tiles().tiles[t].fill(3);
        f.tiles().tilePalette[t] = 2;
        f.tiles().tilePaletteSet[t] = 5;
    }
    ClearBlock(f.tiles(), 4);
    for (int t = 4; t < 8; ++t)
        EXPECT_EQ(f.tiles().tiles[t], Tile{}) << t; // also the bytes outside 12 x 12
    EXPECT_EQ(f.tiles().tilePalette[4], 0);
    EXPECT_EQ(f.tiles().tilePaletteSet[4], 0);
    EXPECT_EQ(f.tiles().tilePalette[5], 2);
    EXPECT_EQ(f.tiles().tilePaletteSet[7], 5);
}

TEST(TransformCommands, EveryCommandMarksModifiedRecordsUndoAndNotifies) {
    const BlockTransform all[] = {BlockTransform::ShiftLeft,      BlockTransform::ShiftRight,
                                  BlockTransform::ShiftUp,        BlockTransform::ShiftDown,
                                  BlockTransform::FlipHorizontal, BlockTransform::FlipVertical,
                                  BlockTransform::RotateRight,    BlockTransform::Clear};
    for (BlockTransform transform : all) {
        Fixture f({16, 16});
        f.paintPattern();
        const auto before = f.blockPixels();
        EXPECT_TRUE(ApplyBlockTransform(f.workspace, f.prompts, transform));
        EXPECT_TRUE(f.editing().Modified);
        EXPECT_TRUE(f.workspace.history.canUndo());
        EXPECT_EQ(f.notifications.back(), TilesChanged | MapChanged);
        f.workspace.Undo();
        EXPECT_EQ(f.blockPixels(), before) << static_cast<int>(transform);
    }
}

TEST(TransformCommands, RotationOfANonSquareBlockIsRefusedAfterTheUndoRecord) {
    Fixture f({8, 16});
    f.paintPattern();
    const auto before = f.blockPixels();
    EXPECT_FALSE(ApplyBlockTransform(f.workspace, f.prompts, BlockTransform::RotateRight));
    ASSERT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(f.prompts.messages[0].first, "Rotation only works for square tiles.");
    EXPECT_EQ(f.prompts.messages[0].second, "Error");
    EXPECT_EQ(f.blockPixels(), before);
    EXPECT_TRUE(f.editing().Modified);
    EXPECT_TRUE(f.workspace.history.canUndo());
}

TEST(TransformCommands, ABlockReachingPastTheSlotsIsMovedBackFirst) {
    Fixture f({240, 128}, 768);
    f.editing().CurrentTile = 480;
    ApplyBlockTransform(f.workspace, f.prompts, BlockTransform::Clear);
    EXPECT_EQ(f.editing().CurrentTile, 288);
}

} // namespace
} // namespace tessivar
