#include "core/tileinfo/TileAnimation.h"
#include "../tileeditor/TileEditorTestSupport.h"
#include "core/tileinfo/AnimationChain.h"
#include "core/tileinfo/AnimationPreview.h"
#include "core/tileinfo/TileInfoTypes.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace tessivar {
namespace {

using tileeditor_test::Fixture;

std::vector<std::int32_t> column(const TileSet& set, int category, int first, int last) {
    std::vector<std::int32_t> values;
    for (int t = first; t <= last; ++t)
        values.push_back(set.TileInfo[t][category]);
    return values;
}

TEST(ApplyAnimation, WritesALoopOverTheRun) {
    Fixture f;
    f.tiles().TileInfo[3][4] = 7;
    ASSERT_TRUE(f.run(ApplyAnimation(f.tiles(), 2, 5, 250)));
    EXPECT_EQ(column(f.tiles(), kAnimatedCategory, 1, 6),
              (std::vector<std::int32_t>{0, 1, 1, 1, 1, 0}));
    EXPECT_EQ(column(f.tiles(), kAnimNextCategory, 1, 6),
              (std::vector<std::int32_t>{1, 3, 4, 5, 2, 6}));
    EXPECT_EQ(column(f.tiles(), kAnimDelayCategory, 2, 5),
              (std::vector<std::int32_t>{250, 250, 250, 250}));
    EXPECT_EQ(f.tiles().TileInfo[3][4], 7);
    EXPECT_TRUE(f.editing().Modified);
    EXPECT_EQ(f.notifications.back(), TileInfoChanged);
}

TEST(ApplyAnimation, RunsAtTheEndsOfTheSlots) {
    struct Case {
        int start, end;
        bool accepted;
        bool writes;
    };
    for (const Case c :
         {Case{0, 0, true, true}, Case{760, 767, true, true}, Case{767, 768, false, false},
          Case{-1, 3, false, false}, Case{5, 2000000000, false, false},
          Case{INT_MIN, INT_MAX, false, false}, Case{5, 2, true, false}}) {
        Fixture f;
        const Status status = f.run(ApplyAnimation(f.tiles(), c.start, c.end, 100));
        EXPECT_EQ(status.ok(), c.accepted) << c.start << ".." << c.end;
        EXPECT_EQ(status.error().empty(), c.accepted);
        if (!c.accepted) {
            EXPECT_NE(status.error().find("0 to 767"), std::string::npos) << status.error();
        }
        EXPECT_EQ(f.editing().Modified, c.writes) << c.start << ".." << c.end;
        if (c.writes) {
            EXPECT_EQ(f.tiles().TileInfo[c.end][kAnimNextCategory], c.start);
        }
    }
}

// The frames shown at each step of a fake clock that moves `stepMs` at a time.
std::vector<int> frames(AnimationPreview& preview, int tilesPerBlock, int ticks, int stepMs) {
    std::vector<int> shown{preview.Frame()};
    for (int i = 0; i < ticks; ++i) {
        preview.Advance(stepMs, tilesPerBlock);
        shown.push_back(preview.Frame());
    }
    return shown;
}

TEST(AnimationPreview, StepsThroughTheRunAtTheDelay) {
    struct Case {
        int start, end, delay, tilesPerBlock, stepMs;
        std::vector<int> shown;
    };
    const Case cases[] = {
        {2, 5, 100, 1, 100, {2, 3, 4, 5, 2, 3}},
        {2, 5, 100, 1, 50, {2, 2, 3, 3, 4, 4}},
        {0, 12, 100, 4, 100, {0, 4, 8, 12, 0}},
        {5, 2, 100, 1, 100, {5, 5, 5}},
        {2, 5, 0, 1, 100, {2, 2, 2}},
        {2, 5, -100, 1, 100, {2, 2, 2}},
        {INT_MAX - 1, INT_MAX, 10, 4, 10, {INT_MAX - 1, INT_MAX - 1}},
    };
    for (const Case& c : cases) {
        AnimationPreview preview;
        preview.Play(c.start, c.end, c.delay);
        EXPECT_EQ(preview.Period(), std::max(c.delay, 0));
        EXPECT_EQ(frames(preview, c.tilesPerBlock, static_cast<int>(c.shown.size()) - 1, c.stepMs),
                  c.shown)
            << c.start << ".." << c.end << " every " << c.delay;
    }
}

TEST(AnimationPreview, StopHoldsTheFrameAndAStallCatchesUpInOneGo) {
    AnimationPreview preview;
    preview.Open(4, 4);
    EXPECT_EQ(preview.Frame(), 4);
    preview.Play(0, 9, 10);
    EXPECT_EQ(preview.Advance(35, 1), 3);
    EXPECT_EQ(preview.Advance(5, 1), 1); // the 5 ms left over count
    preview.Stop();
    EXPECT_EQ(preview.Advance(1000, 1), 0);
    EXPECT_EQ(preview.Frame(), 4);
    preview.Play(0, 9, 1);
    EXPECT_EQ(preview.Advance(INT64_MAX / 2, 1), AnimationPreview::kMaxCatchUpSteps);
}

TEST(AnimationChain, FollowsAnimNextWithEachFramesDelay) {
    Fixture f({8, 8}, 16);
    ASSERT_TRUE(f.run(ApplyAnimation(f.tiles(), 0, 3, 100)));
    f.tiles().TileInfo[1][kAnimatedCategory] = 0; // only Tile 0's own flag counts
    AnimationChain chain;
    std::vector<AnimationChain::Step> steps;
    std::vector<int> shownFor0;
    for (int tick = 0; tick < 11; ++tick) {
        chain.Tick(f.tiles(), steps);
        shownFor0.push_back(chain.Frame(0));
    }
    // Delay 100 keeps a frame for three ticks of 50 ms.
    EXPECT_EQ(shownFor0, (std::vector<int>{1, 1, 1, 2, 2, 2, 3, 3, 3, 0, 0}));
}

TEST(AnimationChain, StraysStopTheChainAndExtremeDelaysDoNotOverflow) {
    Fixture f({8, 8}, 16);
    auto& info = f.tiles().TileInfo;
    info[1] = {1, 9999, 0}; // next frame outside the Tiles in use
    info[2] = {1, 16, 0};   // just past the last Tile
    info[3] = {1, 4, 0};    // 4 waits (almost) forever
    info[4] = {0, 3, INT_MAX};
    info[5] = {1, 6, 0}; // 6 counts as a single tick
    info[6] = {0, 5, INT_MIN};
    info[16] = {1, 3, 0}; // past the Tiles in use: never played
    AnimationChain chain;
    std::vector<AnimationChain::Step> steps;
    chain.Tick(f.tiles(), steps);
    EXPECT_EQ(steps, (std::vector<AnimationChain::Step>{{3, 4}, {5, 6}}));
    chain.Tick(f.tiles(), steps);
    EXPECT_EQ(steps, (std::vector<AnimationChain::Step>{{5, 5}}));
    chain.Tick(f.tiles(), steps);
    EXPECT_EQ(steps, (std::vector<AnimationChain::Step>{{5, 6}}));
    EXPECT_EQ(chain.Frame(1), 1);
    EXPECT_EQ(chain.Frame(3), 4);
}

TEST(AnimationChain, AFrameLeftPastTheTilesInUseStopsTheChain) {
    Fixture f({8, 8}, 16);
    auto& info = f.tiles().TileInfo;
    info[0] = {1, 10, 0};
    info[10] = {0, 0, 0};
    AnimationChain chain;
    std::vector<AnimationChain::Step> steps;
    chain.Tick(f.tiles(), steps);
    ASSERT_EQ(steps, (std::vector<AnimationChain::Step>{{0, 10}}));
    f.tiles().TileCount = 8; // Tile 0 now shows a frame beyond the set
    chain.Tick(f.tiles(), steps);
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(chain.Frame(0), 10);
}

} // namespace
} // namespace tessivar
