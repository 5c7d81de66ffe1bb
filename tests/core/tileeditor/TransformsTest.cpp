#include "TileEditorTestSupport.h"
#include "core/tileeditor/BlockTransforms.h"
#include "core/tileeditor/CanvasTypes.h"
#include "core/tileeditor/TransformCommands.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

using tileeditor_test::Fixture;

// Each transform as "new pixel (x, y) is old pixel at ...", written from the definitions.
struct Rule {
    BlockTransform transform;
    BlockPoint (*source)(int x, int y, int w, int h);
};
const Rule kRules[] = {
    {BlockTransform::ShiftLeft,
     [](int x, int y, int w, int) {
         return BlockPoint{(x + 1) % w, y};
     }},
    {BlockTransform::ShiftRight,
     [](int x, int y, int w, int) {
         return BlockPoint{(x + w - 1) % w, y};
     }},
    {BlockTransform::ShiftUp,
     [](int x, int y, int, int h) {
         return BlockPoint{x, (y + 1) % h};
     }},
    {BlockTransform::ShiftDown,
     [](int x, int y, int, int h) {
         return BlockPoint{x, (y + h - 1) % h};
     }},
    {BlockTransform::FlipHorizontal,
     [](int x, int y, int w, int) {
         return BlockPoint{w - 1 - x, y};
     }},
    {BlockTransform::FlipVertical,
     [](int x, int y, int, int h) {
         return BlockPoint{x, h - 1 - y};
     }},
    {BlockTransform::RotateRight,
     [](int x, int y, int w, int) {
         return BlockPoint{y, w - 1 - x};
     }},
};

// Every command on Blocks of several shapes, placed between scrambled neighbours: the
// pixels move as the rule says, palettes stay with their Tiles, nothing outside the
// Block changes, and one undo brings the Block back.
TEST(TransformCommands, MovePixelsByTheirRuleAndTouchNothingElse) {
    const BlockSize shapes[] = {{8, 8}, {16, 16}, {8, 16}, {12, 20}, {1, 5}, {5, 1}, {24, 24}};
    for (const BlockSize shape : shapes)
        for (const Rule& rule : kRules) {
            SCOPED_TRACE(::testing::Message() << static_cast<int>(rule.transform) << " on "
                                              << shape.Width << "x" << shape.Height);
            if (rule.transform == BlockTransform::RotateRight && shape.Width != shape.Height)
                continue;
            Fixture f(shape);
            f.scramble();
            f.editing().CurrentTile = shape.TilesPerBlock();
            const auto before = f.blockPixels();
            const auto outside = f.outsideBlock();
            const auto palettes = f.tiles().TilePalette;
            const auto sets = f.tiles().TilePaletteSet;
            ASSERT_TRUE(f.run(ApplyBlockTransform(f.tiles(), f.editing(), f.workspace.History,
                                                  f.prompts, rule.transform)));
            const auto after = f.blockPixels();
            for (int y = 0; y < shape.Height; ++y)
                for (int x = 0; x < shape.Width; ++x) {
                    const BlockPoint from = rule.source(x, y, shape.Width, shape.Height);
                    ASSERT_EQ(after[y * shape.Width + x], before[from.Y * shape.Width + from.X])
                        << x << "," << y;
                }
            EXPECT_EQ(f.outsideBlock(), outside);
            EXPECT_EQ(f.tiles().TilePalette, palettes);
            EXPECT_EQ(f.tiles().TilePaletteSet, sets);
            EXPECT_TRUE(f.editing().Modified);
            EXPECT_EQ(f.notifications.back(), HistoryChanged | TilesChanged | MapChanged);
            f.workspace.Undo();
            EXPECT_EQ(f.blockPixels(), before);
        }
}

TEST(TransformCommands, RotateHoldsTheLargestSquare) {
    Fixture f({128, 128}, 768);
    f.paintPattern();
    const auto before = f.blockPixels();
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(RotateBlockRight(f.tiles(), 0));
    EXPECT_EQ(f.blockPixels(), before);
    EXPECT_EQ(f.tiles().Tiles[256], Tile{});
}

TEST(TransformCommands, ClearZeroesTheTilesButResetsOnlyTheFirstPalette) {
    Fixture f({12, 12});
    f.scramble();
    f.editing().CurrentTile = 4;
    TileSet expected = f.tiles();
    for (int t = 4; t < 8; ++t)
        expected.Tiles[t].fill(0); // also the bytes outside 12 x 12
    expected.TilePalette[4] = expected.TilePaletteSet[4] = 0;
    f.run(ApplyBlockTransform(f.tiles(), f.editing(), f.workspace.History, f.prompts,
                              BlockTransform::Clear));
    EXPECT_EQ(f.tiles().Tiles, expected.Tiles);
    EXPECT_EQ(f.tiles().TilePalette, expected.TilePalette);
    EXPECT_EQ(f.tiles().TilePaletteSet, expected.TilePaletteSet);
}

TEST(TransformCommands, RotationOfANonSquareBlockIsRefusedAfterTheUndoRecord) {
    Fixture f({8, 16});
    f.paintPattern();
    const auto before = f.blockPixels();
    f.run(ApplyBlockTransform(f.tiles(), f.editing(), f.workspace.History, f.prompts,
                              BlockTransform::RotateRight));
    EXPECT_EQ(f.notifications, std::vector<unsigned>{HistoryChanged});
    EXPECT_EQ(f.prompts.messages, (std::vector<testing::ShownText>{
                                      {"Rotation only works for square tiles.", "Error"}}));
    EXPECT_EQ(f.blockPixels(), before);
    EXPECT_TRUE(f.editing().Modified);
    EXPECT_TRUE(f.workspace.History.CanUndo());
}

TEST(TransformCommands, ABlockReachingPastTheSlotsIsMovedBackFirst) {
    Fixture f({240, 128}, 768);
    f.editing().CurrentTile = 480;
    f.run(ApplyBlockTransform(f.tiles(), f.editing(), f.workspace.History, f.prompts,
                              BlockTransform::Clear));
    EXPECT_EQ(f.editing().CurrentTile, 288);
}

} // namespace
} // namespace tessivar
