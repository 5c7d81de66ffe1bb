#include "TileEditorTestSupport.h"
#include "core/tileeditor/PaletteBox.h"
#include "core/tileeditor/PaletteColors.h"
#include "core/tileeditor/TileList.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tessivar {
namespace {

using tileeditor_test::Fixture;

TEST(TileList, PlainClickPicksTheBlockAndItsPalettes) {
    Fixture f({16, 16});
    f.tiles().TilePaletteSet[8] = 2;
    f.tiles().TilePalette[8] = 5;
    f.run(ClickTileList(f.editing(), f.tiles(), 3, 120, false)); // cell width 50
    EXPECT_EQ(f.editing().CurrentTile, 8);
    EXPECT_EQ(f.editing().SelectionStart, 8);
    EXPECT_EQ(f.editing().SelectionEnd, 11);
    EXPECT_EQ(f.editing().CurrentPaletteSet, 2);
    EXPECT_EQ(f.editing().CurrentPalette, 5);
}

TEST(TileList, ShiftClickExtendsFromCurrentTileInEitherDirection) {
    struct Case {
        int x, start, end;
    };
    for (const Case c : {Case{10, 3, 8}, Case{160, 8, 15}}) {
        Fixture f({16, 16});
        f.editing().CurrentTile = 8;
        f.run(ClickTileList(f.editing(), f.tiles(), 3, c.x, true));
        EXPECT_EQ(f.editing().SelectionStart, c.start) << c.x;
        EXPECT_EQ(f.editing().SelectionEnd, c.end) << c.x;
        EXPECT_EQ(f.editing().CurrentTile, 8);
    }
}

TEST(TileList, ClicksAndMapEditsNeverPutABlockPastTheLastSlot) {
    Fixture f({240, 128}, 768);
    f.run(ClickTileList(f.editing(), f.tiles(), 1, 242 + 5,
                        false)); // Block 1 would be Tiles 480..959
    EXPECT_EQ(f.editing().CurrentTile, 0);
    EXPECT_EQ(f.editing().SelectionEnd, 479);
    for (auto [block, tile, Opened] :
         {std::tuple{BlockSize{240, 128}, 600, 288}, std::tuple{BlockSize{8, 8}, 0, 0},
          std::tuple{BlockSize{8, 8}, 767, 767}, std::tuple{BlockSize{16, 16}, 8, 8}}) {
        f.tiles().Block = block;
        f.run(EditBlockFromMap(f.editing(), f.tiles(), tile));
        EXPECT_EQ(f.editing().CurrentTile, Opened) << tile;
        EXPECT_EQ(f.editing().SelectionStart, Opened) << tile;
    }
}

TEST(TileList, VisibleBlocksFollowScrollAndStopAtCountAndSlots) {
    struct Case {
        BlockSize block;
        int tileCount, listZoom, scrollX, visibleWidth;
        BlockStartRange expected;
    };
    const Case cases[] = {
        {{8, 8}, 64, 4, 0, 100, {0, 3}}, // cell 34: blocks 0..3
        {{8, 8}, 64, 4, 340, 100, {10, 13}},
        {{16, 16}, 16, 3, 0, 1000, {0, 15}},   // lowered to tile count - 1
        {{240, 128}, 768, 1, 0, 1000, {0, 0}}, // Block 1 would leave the slots
    };
    for (const auto& c : cases) {
        Fixture f(c.block, c.tileCount);
        EXPECT_EQ(VisibleTileListBlocks(f.tiles(), c.listZoom, c.scrollX, c.visibleWidth),
                  c.expected)
            << c.block.Width << " " << c.scrollX;
    }
}

TEST(PaletteBox, ButtonsPickColoursAndOtherButtonsRepeatARightChoice) {
    Fixture f;
    PaletteBox box;
    f.editing().CurrentPalette = 6;
    f.tiles().TilePalette[0] = 6;
    ASSERT_TRUE(f.run(box.MouseUp(f.tiles(), f.editing(), MouseButton::Right, 40)));
    EXPECT_EQ(f.editing().RightColor, 2);
    EXPECT_EQ(f.editing().LeftColor, 3);
    EXPECT_EQ(f.editing().CurrentPalette, 0);
    EXPECT_EQ(f.tiles().TilePalette[0], 0);
    EXPECT_TRUE(f.editing().Modified);

    f.run(box.MouseUp(f.tiles(), f.editing(), MouseButton::Other, 0)); // last was right
    EXPECT_EQ(f.editing().RightColor, 0);
    f.run(box.MouseUp(f.tiles(), f.editing(), MouseButton::Left, 20));
    EXPECT_EQ(f.editing().LeftColor, 1);
    f.run(box.MouseUp(f.tiles(), f.editing(), MouseButton::Other, 60)); // last was left: no change
    EXPECT_EQ(f.editing().LeftColor, 1);
    EXPECT_EQ(f.editing().RightColor, 0);
}

TEST(PaletteBox, ClicksBesideTheSwatchesAreIgnoredEntirely) {
    for (int x : {-1, 64, 70}) {
        Fixture f({16, 16});
        PaletteBox box;
        f.editing().CurrentPalette = 6;
        EXPECT_FALSE(f.run(box.MouseUp(f.tiles(), f.editing(), MouseButton::Left, x)));
        EXPECT_FALSE(f.editing().Modified);
        EXPECT_EQ(f.editing().CurrentPalette, 6);
    }
    Fixture larger({16, 16});
    larger.tiles().TilePalette[0] = 4;
    larger.run(PaletteBox().MouseUp(larger.tiles(), larger.editing(), MouseButton::Left, 0));
    EXPECT_EQ(larger.tiles().TilePalette[0], 4); // only an 8x8 Block resets it
}

// The colour dialog opens on the entry's screen colour and stores the choice, five bits
// per channel in file order, in the current palette of the current set only.
TEST(PaletteColors, TheDialogEditsOneEntryOfTheCurrentPalette) {
    Fixture f;
    f.editing().CurrentPaletteSet = 2;
    f.editing().CurrentPalette = 3;
    const PaletteTable before = f.tiles().Palettes;
    f.tiles().Palettes[2][3][1] = {4, 12, 20};
    PaletteTable expected = f.tiles().Palettes;
    expected[2][3][1] = {0, 16, 31};
    f.prompts.colors = {std::nullopt, Rgb{255, 130, 7}};
    EXPECT_FALSE(f.run(EditPaletteColor(f.tiles(), f.editing(), f.prompts, 1)));
    EXPECT_FALSE(f.editing().Modified);
    EXPECT_TRUE(f.run(EditPaletteColor(f.tiles(), f.editing(), f.prompts, 1)));
    EXPECT_EQ(f.prompts.colorRequests, (std::vector<Rgb>{{160, 96, 32}, {160, 96, 32}}));
    EXPECT_EQ(f.tiles().Palettes, expected);
    EXPECT_TRUE(f.editing().Modified);
    EXPECT_EQ(f.notifications, std::vector<unsigned>{TilesChanged});
    EXPECT_FALSE(f.run(EditPaletteColor(f.tiles(), f.editing(), f.prompts, 4)));

    f.run(ApplyPalette(f.tiles(), f.editing(), GreyRampPalette()));
    EXPECT_EQ(f.tiles().Palettes, before);
    EXPECT_EQ(CurrentPalette(f.tiles(), f.editing()), GreyRampPalette());
}

TEST(PaletteColors, PresetsRunFromLightestToDarkest) {
    for (const PalettePreset& preset : BuiltInPalettePresets())
        for (int c = 1; c < kColorsPerPalette; ++c) {
            const PaletteColor &lighter = preset.Colors[c - 1], &darker = preset.Colors[c];
            EXPECT_GT(lighter[0] + lighter[1] + lighter[2], darker[0] + darker[1] + darker[2])
                << preset.Name << " " << c;
        }
}

} // namespace
} // namespace tessivar
