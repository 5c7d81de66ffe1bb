// Window placement: inside the available area, beside the owner when there is room,
// else offset so that a part of the owner stays in view.

#include "core/workspace/WindowPlacement.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

constexpr WindowRect kScreen{0, 0, 1280, 870};

TEST(WindowPlacement, KeepInsideMovesThenShrinks) {
    const WindowRect secondScreen{1280, 30, 1024, 738};
    const std::tuple<WindowRect, WindowRect, WindowRect> cases[] = {
        {{100, 850, 696, 497}, kScreen, {100, 373, 696, 497}}, // off the bottom
        {{-50, -20, 300, 200}, kScreen, {0, 0, 300, 200}},
        {{1200, 700, 300, 200}, kScreen, {980, 670, 300, 200}},
        {{20, 30, 300, 200}, kScreen, {20, 30, 300, 200}}, // already inside
        {{10, 10, 1500, 1000}, kScreen, kScreen},
        {{0, 0, 300, 200}, secondScreen, {1280, 30, 300, 200}},
        {{2200, 700, 300, 200}, secondScreen, {2004, 568, 300, 200}},
    };
    for (const auto& [window, available, expected] : cases)
        EXPECT_EQ(KeepInside(window, available), expected) << window.X << "," << window.Y;
}

TEST(WindowPlacement, BesideTheOwnerWhenThereIsRoomElseOffset) {
    struct Case {
        WindowRect owner;
        int width, height;
        WindowRect available, expected;
    } cases[] = {
        {{0, 0, 709, 455}, 500, 400, kScreen, {709, 0, 500, 400}},       // right
        {{700, 100, 500, 300}, 600, 300, kScreen, {100, 100, 600, 300}}, // left
        {{0, 0, 709, 455}, 696, 497, kScreen, {584, 0, 696, 497}},       // neither: slid in
        {{20, 0, 1260, 870}, 696, 497, kScreen, {584, 0, 696, 497}},
        {{600, 0, 680, 870}, 696, 497, kScreen, {584, 40, 696, 497}}, // offset down
        {{584, 0, 696, 870}, 696, 497, kScreen, {584, 40, 696, 497}},
        {{0, 0, 1280, 870}, 696, 497, kScreen, {584, 0, 696, 497}},
        {{584, 373, 696, 497}, 1000, 600, kScreen, {280, 270, 1000, 600}}, // up and left
        {{0, 0, 709, 455}, 2000, 1000, kScreen, kScreen},                  // larger than the screen
        {{1000, 500, 200, 200}, 300, 400, {0, 30, 1280, 840}, {700, 470, 300, 400}},
        {{1000, 0, 200, 870}, 80, 900, kScreen, {1200, 0, 80, 870}},
    };
    for (const Case& c : cases) {
        const WindowRect placed = PlaceBeside(c.owner, c.width, c.height, c.available);
        EXPECT_EQ(placed, c.expected) << c.owner.X << "," << c.owner.Y << " " << c.width;
        // Never outside the area, never over the whole owner unless it fills the area.
        EXPECT_EQ(KeepInside(placed, c.available), placed);
    }
}

} // namespace
} // namespace tessivar
