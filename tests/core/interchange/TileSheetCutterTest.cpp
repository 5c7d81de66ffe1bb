// Cutting a tile sheet back into Tiles: the cutting order of Blocks of several shapes,
// colours numbered by brightness, and what is refused.

#include "core/interchange/TileSheetCutter.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

TEST(TileSheetCutter, BlocksAreCutLeftToRightAndTheirTilesInEditorOrder) {
    struct Case {
        BlockSize block;
        std::vector<int> regions; // region (ty * 4 + tx) of the 32 x 16 sheet each Tile is
    } cases[] = {
        {{8, 8}, {0, 1, 2, 3, 4, 5, 6, 7}},
        {{16, 16}, {0, 1, 4, 5, 2, 3, 6, 7}},
        {{8, 16}, {0, 4, 1, 5, 2, 6, 3, 7}},
        {{32, 9}, {0, 1, 2, 3, 4, 5, 6, 7}},
    };
    for (const Case& c : cases) {
        auto cutter = TileSheetCutter::Start(32, 16, c.block, 8);
        ASSERT_TRUE(cutter.ok()) << cutter.error();
        for (int y = 0; y < 16; ++y) {
            std::vector<std::uint8_t> row(32, 0);
            for (int x = 0; x < 32 && y % 8 == 0; x += 8) { // region number in the first row
                const int region = y / 8 * 4 + x / 8;
                row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(region & 3);
                row[static_cast<std::size_t>(x) + 1] = static_cast<std::uint8_t>(region >> 2);
            }
            ASSERT_TRUE(cutter->AddIndexRow(row).ok());
        }
        const ConvertedPicture tiles = std::move(*cutter).Finish();
        const int across = tiles.Width / 8;
        for (int t = 0; t < 8; ++t) {
            const int x = t % across * 8, y = t / across * 8;
            EXPECT_EQ(tiles.At(x, y) + 4 * tiles.At(x + 1, y),
                      c.regions[static_cast<std::size_t>(t)])
                << c.block.Width << "x" << c.block.Height << " Tile " << t;
        }
    }
}

TEST(TileSheetCutter, ColoursAreNumberedByBrightnessAndAFifthIsRefused) {
    auto cutter = TileSheetCutter::Start(8, 8, {8, 8}, 1);
    ASSERT_TRUE(cutter.ok());
    // Blue, green, red: white, blue, red, black, red, blue, black, red.
    const std::vector<std::uint8_t> row = {255, 255, 255, 255, 0, 0, 0, 0, 255, 0, 0, 0,
                                           0,   0,   255, 255, 0, 0, 0, 0, 0,   0, 0, 255};
    for (int y = 0; y < 7; ++y)
        ASSERT_TRUE(cutter->AddColorRow(row).ok());
    std::vector<std::uint8_t> fifth = row;
    fifth[22] = 0x80; // pixel 7 gets some red

    const Status refused = cutter->AddColorRow(fifth);
    EXPECT_EQ(refused.error(),
              "The sheet has more than four colours: the pixel at (7, 7) is #FF8000");
    const ConvertedPicture tiles = std::move(*cutter).Finish();
    const ColorIndex expected[] = {0, 2, 1, 3, 1, 2, 3, 1}; // red is brighter than blue
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(tiles.At(x, 0), expected[x]) << x;
}

TEST(TileSheetCutter, RefusesSidesAndSizesThatDoNotFit) {
    EXPECT_FALSE(TileSheetCutter::Start(20, 16, {8, 8}, 100).ok());
    EXPECT_FALSE(TileSheetCutter::Start(24, 16, {16, 16}, 100).ok());
    EXPECT_FALSE(TileSheetCutter::Start(0, 8, {8, 8}, 100).ok());
    EXPECT_FALSE(TileSheetCutter::Start(64, 64, {8, 8}, 63).ok());
    EXPECT_TRUE(TileSheetCutter::Start(64, 64, {8, 8}, 64).ok());
    auto cutter = TileSheetCutter::Start(8, 8, {8, 8}, 1);
    ASSERT_TRUE(cutter.ok());
    EXPECT_EQ(cutter->AddIndexRow(std::vector<std::uint8_t>{0, 1, 2, 3, 4, 0, 0, 0}).error(),
              "The pixel at (4, 0) has palette index 4; a tile sheet uses indexes 0 to 3");
    EXPECT_FALSE(cutter->AddIndexRow(std::vector<std::uint8_t>(7, 0)).ok());
}

} // namespace
} // namespace tessivar
