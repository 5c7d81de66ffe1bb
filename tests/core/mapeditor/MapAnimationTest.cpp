// Animation on the map: the frames and the moments cells change, driven tick by tick
// (each tick stands for 50 ms of the timer).

#include "core/mapeditor/MapAnimation.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace tessivar {
namespace {

constexpr int kAnimated = 0, kNext = 1, kDelay = 2; // the built-in categories' slots

struct Drawn {
    int column, row, frame, palette;
    friend bool operator==(const Drawn&, const Drawn&) = default;
};

struct AnimationFixture {
    std::unique_ptr<TileSet> tiles = std::make_unique<TileSet>();
    MapGrid grid{4, 3};
    MapAnimation animation;
    CellRange everything{0, 3, 0, 2};

    AnimationFixture() { tiles->TileCount = 64; }
    void animate(int tile, int next, int delay) {
        tiles->TileInfo[tile][kAnimated] = 1;
        tiles->TileInfo[tile][kNext] = next;
        tiles->TileInfo[tile][kDelay] = delay;
    }
    std::vector<Drawn> tick(CellRange window) {
        std::vector<Drawn> drawn;
        animation.Tick(*tiles, grid, window, [&](int c, int r, int frame, int palette) {
            drawn.push_back({c, r, frame, palette});
        });
        // What was drawn is what the cells show until they are drawn with their own Tiles.
        for (const Drawn& d : drawn) {
            const auto* shown = animation.ShownAt(d.column, d.row);
            EXPECT_TRUE(shown && shown->Frame == d.frame && shown->Palette == d.palette);
        }
        return drawn;
    }
    std::vector<Drawn> tick() { return tick(everything); }
};

TEST(MapAnimation, LoopOfFourTilesStepsEveryThreeTicksPerTile) {
    AnimationFixture f;
    for (int t = 2; t <= 5; ++t)
        f.animate(t, t == 5 ? 2 : t + 1, 100);
    f.grid.At(0, 1) = {2, 1, 1, 0}; // mirrored: frames are drawn without the flip
    f.grid.At(2, 3) = {3, 4, 0, 0};
    f.animation.Restart();
    // Frame shown by the cell of Tile 2 and of Tile 3 after each tick, "" when not drawn.
    const std::vector<std::pair<std::vector<Drawn>, std::string>> expected = {
        {{{1, 0, 3, 1}, {3, 2, 4, 4}}, "first tick: both step at once"},
        {{}, "50 ms"},
        {{}, "100 ms"},
        {{{1, 0, 4, 1}, {3, 2, 5, 4}}, "150 ms later"},
        {{}, ""},
        {{}, ""},
        {{{1, 0, 5, 1}, {3, 2, 2, 4}}, "the chain of 3 wraps to 2"},
    };
    for (const auto& [drawn, when] : expected)
        EXPECT_EQ(f.tick(), drawn) << when;
    EXPECT_EQ(f.animation.FrameOf(2), 5);
    EXPECT_EQ(f.animation.FrameOf(3), 2);

    f.animation.Restart(); // unchecking and checking again starts over
    EXPECT_EQ(f.animation.FrameOf(3), 3);
    EXPECT_EQ(f.tick(), (std::vector<Drawn>{{1, 0, 3, 1}, {3, 2, 4, 4}}));
}

TEST(MapAnimation, DelaysCountInWholeTicksUpToThe32BitLimits) {
    struct Case {
        int delay;
        int ticksPerFrame; // 0: no second step within the ticks tried
    } cases[] = {{0, 1}, {-7, 1}, {INT_MIN, 1}, {49, 1}, {50, 2}, {99, 2}, {100, 3}, {INT_MAX, 0}};
    for (const Case& c : cases) {
        AnimationFixture f;
        f.animate(7, 7, c.delay); // AnimNext of itself: redrawn with its own picture
        f.grid.At(1, 1).Tile = 7;
        ASSERT_EQ(f.tick().size(), 1u) << c.delay;
        int ticks = 1;
        while (ticks <= 2000 && f.tick().empty())
            ++ticks;
        EXPECT_EQ(ticks > 2000 ? 0 : ticks, c.ticksPerFrame) << "delay " << c.delay;
    }
}

TEST(MapAnimation, OnlyAnimatedTilesInTheWindowAreDrawn) {
    AnimationFixture f;
    f.animate(1, 9, 0);
    f.tiles->TileInfo[9][kNext] = 12; // the frame's own values lead the chain on ...
    f.tiles->TileInfo[9][kAnimated] = 0;
    f.grid.At(0, 0).Tile = 1;
    f.grid.At(2, 3).Tile = 1;
    f.grid.At(1, 1).Tile = 9; // ... but Tile 9 itself is not animated
    EXPECT_EQ(f.tick({0, 1, 0, 1}), (std::vector<Drawn>{{0, 0, 9, 0}}));
    EXPECT_EQ(f.tick({2, 3, 1, 2}), (std::vector<Drawn>{{3, 2, 12, 0}}));
    // A window wider than the grid (the grid shrank since it was measured) stays inside.
    f.grid = MapGrid(1, 1);
    f.grid.At(0, 0).Tile = 1;
    EXPECT_EQ(f.tick({0, 40, 0, 40}).size(), 1u);
}

TEST(MapAnimation, CellsKeepTheirFrameUntilRedrawnWithTheirOwnTile) {
    AnimationFixture f;
    f.animate(1, 2, 0);
    for (const auto& [row, column] : {std::pair{0, 0}, {0, 3}, {2, 0}, {2, 3}})
        f.grid.At(row, column).Tile = 1;
    ASSERT_EQ(f.tick().size(), 4u);
    f.animation.ForgetShown(CellRange{0, 1, 0, 2}); // a stroke redrew the left columns
    EXPECT_EQ(f.animation.ShownAt(0, 0), nullptr);
    EXPECT_EQ(f.animation.ShownAt(0, 2), nullptr);
    EXPECT_NE(f.animation.ShownAt(3, 0), nullptr);
    EXPECT_EQ(f.animation.ShownAt(1, 0), nullptr); // never drawn
    EXPECT_TRUE(f.animation.ShowsFrames());
    f.animation.ForgetShown();
    EXPECT_FALSE(f.animation.ShowsFrames());
    EXPECT_EQ(f.animation.ShownAt(3, 2), nullptr);
}

TEST(MapAnimation, ChainsLeavingTheSlotsStopAndMissingCategoriesDisableIt) {
    AnimationFixture f;
    f.animate(3, kMaxTiles, 0);
    f.animate(4, -1, 0);
    f.grid.At(0, 0).Tile = 3;
    f.grid.At(0, 1).Tile = 4;
    f.grid.At(0, 2).Tile = 900; // beyond the slots: never animated, never read
    EXPECT_TRUE(f.tick().empty());
    EXPECT_EQ(f.animation.FrameOf(3), 3);

    f.animate(3, 5, 0);
    f.tiles->Categories[kDelay].SetName("Pause");
    EXPECT_TRUE(f.tick().empty());
    // The values are found by the category's name, wherever it sits in the table.
    f.tiles->CategoryCount = 8;
    f.tiles->Categories[7].SetName("AnimDelay");
    EXPECT_EQ(f.tick(), (std::vector<Drawn>{{0, 0, 5, 0}}));
}

TEST(MapAnimation, VisibleCellsHaveAMarginAndStayOnTheGrid) {
    const CellRange w = VisibleMapCells(17 * 10 + 5, 0, 17 * 4, 100, 17, 17, 2048, 3);
    EXPECT_EQ((std::vector{w.FirstColumn, w.LastColumn, w.FirstRow, w.LastRow}),
              (std::vector{9, 15, 0, 2}));
    const CellRange none = VisibleMapCells(0, 0, 100, 100, 17, 17, 0, 0);
    EXPECT_LT(none.LastColumn, none.FirstColumn);
}

} // namespace
} // namespace tessivar
