#include "TileEditorTestSupport.h"
#include "core/drawing/LinePixels.h"
#include "core/drawing/RectangleShape.h"
#include "core/tileeditor/TileStroke.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>

namespace tessivar {
namespace {

using tileeditor_test::Fixture;
using Points = std::vector<BlockPoint>;

struct LineCase {
    BlockPoint from, to;
    Points expected;
};

TEST(LinePixels, FollowsTheStepRuleInEveryDirection) {
    const LineCase cases[] = {
        {{0, 0}, {3, 1}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},         // shallow
        {{3, 3}, {1, 0}, {{1, 0}, {2, 1}, {2, 2}, {3, 3}}},         // both negative: swapped
        {{5, 5}, {5, 5}, {{5, 5}}},                                 // a click: one pixel
        {{0, 3}, {3, 0}, {{0, 3}, {1, 2}, {2, 1}, {3, 0}}},         // diagonal up, not swapped
        {{4, 0}, {0, 2}, {{4, 0}, {3, 1}, {2, 1}, {1, 2}, {0, 2}}}, // dx < 0 only
        {{2, 0}, {2, 3}, {{2, 0}, {2, 1}, {2, 2}, {2, 3}}},         // vertical
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.from.X << "," << c.from.Y << " -> " << c.to.X << "," << c.to.Y);
        const Points got = LinePixels(c.from, c.to);
        ASSERT_EQ(got.size(), c.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(got[i], c.expected[i]) << "point " << i;
    }
}

TEST(LinePixels, AlwaysIncludesBothEndsAndIsConnected) {
    for (int x2 = -9; x2 <= 9; ++x2)
        for (int y2 = -9; y2 <= 9; ++y2) {
            const Points got = LinePixels({0, 0}, {x2, y2});
            std::set<std::pair<int, int>> plotted;
            for (auto p : got)
                plotted.insert({p.X, p.Y});
            EXPECT_TRUE(plotted.count({0, 0}) && plotted.count({x2, y2})) << x2 << "," << y2;
            for (std::size_t i = 1; i < got.size(); ++i)
                EXPECT_LE(
                    std::max(std::abs(got[i].X - got[i - 1].X), std::abs(got[i].Y - got[i - 1].Y)),
                    1);
        }
}

TEST(RectangleShape, CoversFilledOrBorderWithCornersInAnyOrder) {
    const RectangleShape hollow({3, 3}, {1, 1}, RectangleMode::Hollow);
    const RectangleShape filled({3, 1}, {1, 3}, RectangleMode::Filled);
    EXPECT_FALSE(hollow.Covers(2, 2)); // centre of a hollow 3 x 3 stays
    EXPECT_TRUE(filled.Covers(2, 2));
    for (auto [x, y] : {std::pair{1, 1}, {3, 3}, {2, 1}, {1, 2}, {3, 2}})
        EXPECT_TRUE(hollow.Covers(x, y) && filled.Covers(x, y)) << x << "," << y;
    for (auto [x, y] : {std::pair{0, 2}, {4, 2}, {2, 0}, {2, 4}})
        EXPECT_FALSE(hollow.Covers(x, y) || filled.Covers(x, y)) << x << "," << y;
    EXPECT_EQ((std::array{hollow.Left(), hollow.Top(), hollow.Right(), hollow.Bottom()}),
              (std::array{1, 1, 3, 3}));
}

TEST(RectangleShape, HollowSingleRowDrawsTheWholeRow) {
    Fixture f;
    RectangleShape({6, 2}, {1, 2}, RectangleMode::Hollow).ForEachCell([&](int x, int y) {
        f.tiles().SetBlockPixel(0, x, y, 2);
    });
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(f.pixel(x, 2), (x >= 1 && x <= 6) ? 2 : 0) << x;
    EXPECT_EQ(f.pixel(3, 1), 0);
}

TEST(FloodFill, CrossesTileBoundariesButNotTheBlockOrDiagonals) {
    Fixture f({16, 16});
    // A wall of colour 1 cuts the bottom-right corner off diagonally.
    for (int i = 0; i < 16; ++i)
        f.tiles().SetBlockPixel(0, 15 - i, i, 1);
    f.tiles().SetBlockPixel(4, 0, 0, 0); // the next Block stays untouched
    ASSERT_TRUE(FloodFillBlock(f.tiles(), 0, {0, 0}, 2, 5));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int expected = x + y < 15 ? 2 : (x + y == 15 ? 1 : 0);
            ASSERT_EQ(f.pixel(x, y), expected) << x << "," << y;
        }
    // Tile 3 (x, y >= 8) lies wholly below the wall, so it keeps its palette.
    EXPECT_EQ(f.tiles().TilePalette[0], 5);
    EXPECT_EQ(f.tiles().TilePalette[1], 5);
    EXPECT_EQ(f.tiles().TilePalette[2], 5);
    EXPECT_EQ(f.tiles().TilePalette[3], 0);
    EXPECT_EQ(f.tiles().Tiles[4][0], 0);
}

TEST(FloodFill, SameColourChangesNothingNotEvenThePalette) {
    Fixture f;
    f.tiles().TilePalette[0] = 3;
    EXPECT_FALSE(FloodFillBlock(f.tiles(), 0, {2, 2}, 0, 6));
    EXPECT_EQ(f.tiles().TilePalette[0], 3);
}

TEST(FloodFill, FillsTheLargestBlockWithoutRecursion) {
    Fixture f({240, 128}, 480);
    ASSERT_TRUE(FloodFillBlock(f.tiles(), 0, {239, 127}, 3, 1));
    for (int t = 0; t < 480; ++t) {
        ASSERT_EQ(f.tiles().Tiles[t][63], 3) << t;
        ASSERT_EQ(f.tiles().TilePalette[t], 1) << t;
    }
    EXPECT_EQ(f.tiles().Tiles[480][0], 0);
}

} // namespace
} // namespace tessivar
