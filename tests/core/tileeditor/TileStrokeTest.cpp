#include "core/tileeditor/TileStroke.h"
#include "TileEditorTestSupport.h"

#include <gtest/gtest.h>

#include <utility>

namespace tessivar {
namespace {

using tileeditor_test::Fixture;

constexpr int kZoom = 10;

// Screen position of the centre of Block pixel (x, y).
int at(int pixel) {
    return pixel * kZoom + kZoom / 2;
}

struct StrokeFixture : Fixture {
    TileStroke stroke{workspace.CurrentTileSet, workspace.Editing, workspace.History};
    explicit StrokeFixture(BlockSize block = {16, 16})
        : Fixture(block) {
        editing().LeftColor = 3;
        editing().RightColor = 1;
    }
    TileStrokeResponse run(const TileStrokeResponse& response) {
        Fixture::run(response.Change);
        return response;
    }
    void drag(MouseButton button, BlockPoint from, BlockPoint to) {
        run(stroke.MouseDown(button, at(from.X), at(from.Y), kZoom));
        run(stroke.MouseMove(at(to.X), at(to.Y), kZoom));
        run(stroke.MouseUp());
    }
};

TEST(TileStroke, EveryMouseDownMarksModifiedAndRecordsOneUndoState) {
    const DrawingTool tools[] = {DrawingTool::Pen, DrawingTool::Fill, DrawingTool::Rectangle,
                                 DrawingTool::Line};
    for (DrawingTool tool : tools)
        for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Other})
            for (int screenX : {at(2), -1, 16 * kZoom}) { // inside, left of, right of
                StrokeFixture f;
                f.stroke.SetTool(tool);
                f.run(f.stroke.MouseDown(button, screenX, at(2), kZoom));
                f.run(f.stroke.MouseUp());
                EXPECT_TRUE(f.editing().Modified);
                EXPECT_EQ(f.workspace.History.UndoPosition(), 1);
            }
}

TEST(TileStroke, PenDrawsWithTheHeldButtonAndRepaintsItsTileArea) {
    StrokeFixture f({12, 12});
    const TileStrokeResponse down =
        f.run(f.stroke.MouseDown(MouseButton::Right, at(9), at(10), kZoom));
    EXPECT_EQ(f.pixel(9, 10), 1);
    EXPECT_EQ(down.Repaint, (PixelRect{8, 8, 4, 4})); // clipped to the 12 x 12 Block
    const TileStrokeResponse move = f.run(f.stroke.MouseMove(at(2), at(3), kZoom));
    EXPECT_EQ(f.pixel(2, 3), 1);
    EXPECT_EQ(move.Status, "X=2 Y=3 Color=0"); // read before the pen draws
    f.run(f.stroke.MouseUp());
    f.run(f.stroke.MouseMove(at(4), at(4), kZoom)); // no button held: nothing drawn
    EXPECT_EQ(f.pixel(4, 4), 0);
}

TEST(TileStroke, MiddleButtonPenDrawsNothingButFillUsesRightColor) {
    StrokeFixture f;
    f.run(f.stroke.MouseDown(MouseButton::Other, at(1), at(1), kZoom));
    f.run(f.stroke.MouseUp());
    EXPECT_EQ(f.pixel(1, 1), 0);

    f.stroke.SetTool(DrawingTool::Fill);
    f.editing().CurrentPalette = 4;
    f.run(f.stroke.MouseDown(MouseButton::Other, at(1), at(1), kZoom));
    f.run(f.stroke.MouseUp());
    EXPECT_EQ(f.pixel(15, 15), 1);
    EXPECT_EQ(f.tiles().TilePalette[3], 4);
}

TEST(TileStroke, DraggingWithFillPaintsSinglePixels) {
    StrokeFixture f;
    f.stroke.SetTool(DrawingTool::Fill);
    f.run(f.stroke.MouseDown(MouseButton::Left, at(0), at(0), kZoom));
    f.run(f.stroke.MouseMove(at(5), at(5), kZoom));
    EXPECT_EQ(f.pixel(5, 5), 3);
    f.editing().LeftColor = 2; // the colour is read per event
    f.run(f.stroke.MouseMove(at(6), at(6), kZoom));
    EXPECT_EQ(f.pixel(6, 6), 2);
    EXPECT_EQ(f.pixel(7, 7), 3);
}

TEST(TileStroke, LinePreviewMatchesTheCommittedLine) {
    StrokeFixture f;
    f.stroke.SetTool(DrawingTool::Line);
    f.run(f.stroke.MouseDown(MouseButton::Left, at(1), at(1), kZoom));
    f.run(f.stroke.MouseMove(at(13), at(6), kZoom));
    ASSERT_TRUE(f.stroke.Dragging());
    std::vector<bool> previewed;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            previewed.push_back(f.stroke.PreviewColorAt(x, y) == ColorIndex{3});
    EXPECT_EQ(f.pixel(1, 1), 0); // nothing committed while dragging
    f.run(f.stroke.MouseUp());
    EXPECT_FALSE(f.stroke.PreviewColorAt(1, 1));
    std::vector<bool> drawn;
    for (ColorIndex c : f.blockPixels())
        drawn.push_back(c == 3);
    EXPECT_EQ(previewed, drawn);
}

TEST(TileStroke, RectangleCommitsTheLastInsideEndPointWithEitherCornerOrder) {
    for (RectangleMode mode : {RectangleMode::Filled, RectangleMode::Hollow}) {
        StrokeFixture f;
        f.stroke.SetTool(DrawingTool::Rectangle);
        f.stroke.SetRectangleMode(mode);
        f.run(f.stroke.MouseDown(MouseButton::Right, at(6), at(6), kZoom));
        f.run(f.stroke.MouseMove(at(2), at(3), kZoom));
        f.run(f.stroke.MouseMove(-5, 400, kZoom)); // outside: ignored
        f.run(f.stroke.MouseUp());
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const bool inside = x >= 2 && x <= 6 && y >= 3 && y <= 6;
                const bool border = x == 2 || x == 6 || y == 3 || y == 6;
                const bool expected = inside && (mode == RectangleMode::Filled || border);
                ASSERT_EQ(f.pixel(x, y), expected ? 1 : 0) << x << "," << y;
            }
    }
}

TEST(TileStroke, MouseUpNotifiesOnlyAfterAStrokeInsideTheBlock) {
    StrokeFixture f;
    f.run(f.stroke.MouseDown(MouseButton::Left, -3, -3, kZoom));
    f.notifications.clear();
    EXPECT_TRUE(f.run(f.stroke.MouseUp()).Repaint.empty());
    EXPECT_TRUE(f.notifications.empty());
    f.run(f.stroke.MouseDown(MouseButton::Left, at(0), at(0), kZoom));
    f.notifications.clear();
    EXPECT_EQ(f.run(f.stroke.MouseUp()).Repaint, (PixelRect{0, 0, 16, 16}));
    ASSERT_EQ(f.notifications.size(), 1u);
    EXPECT_EQ(f.notifications[0], TilesChanged | MapChanged);
}

TEST(TileStroke, StatusTextAlwaysNamesTheToolInUse) {
    StrokeFixture f;
    EXPECT_EQ(f.stroke.ToolStatusText(), "Pen");
    f.stroke.SetTool(DrawingTool::Line);
    EXPECT_EQ(f.stroke.ToolStatusText(), "Line");
    f.stroke.SetTool(DrawingTool::Rectangle); // pop-up dismissed: the current mode
    EXPECT_EQ(f.stroke.ToolStatusText(), "Filled Rect");
    f.stroke.SetRectangleMode(RectangleMode::Hollow);
    EXPECT_EQ(f.stroke.ToolStatusText(), "Hollow Rect");
    f.stroke.SetTool(DrawingTool::Fill);
    EXPECT_EQ(f.stroke.ToolStatusText(), "Fill");
    f.stroke.SetTool(DrawingTool::Rectangle);
    EXPECT_EQ(f.stroke.ToolStatusText(), "Hollow Rect");
    f.stroke.SetTool(DrawingTool::Pen);
    f.stroke.SetRectangleMode(RectangleMode::Filled); // a pop-up choice picks the tool too
    EXPECT_EQ(f.stroke.Tool(), DrawingTool::Rectangle);
    EXPECT_EQ(f.stroke.ToolStatusText(), "Filled Rect");
    EXPECT_FALSE(f.run(f.stroke.MouseMove(16 * kZoom, 0, kZoom)).Status);
}

// Strokes of every tool from and to the Block's edges, with the next Block and the
// hidden bytes of partial Tiles scrambled: nothing outside the Block changes.
TEST(TileStroke, NoToolWritesOutsideTheBlock) {
    const int w = 12 * kZoom, h = 20 * kZoom; // the last screen pixel inside is w - 1
    const std::pair<int, int> presses[] = {{0, h - 1}, {w - 1, 0}, {w - 1, h - 1}, {w, 5},
                                           {5, h},     {w, h},     {-1, 5}};
    for (DrawingTool tool :
         {DrawingTool::Pen, DrawingTool::Fill, DrawingTool::Rectangle, DrawingTool::Line})
        for (const auto& [x, y] : presses) {
            SCOPED_TRACE(::testing::Message() << static_cast<int>(tool) << " at " << x << "," << y);
            StrokeFixture f({12, 20});
            f.scramble();
            f.editing().CurrentTile = 6;
            f.stroke.SetTool(tool);
            const auto outside = f.outsideBlock();
            const bool inside = x >= 0 && y >= 0 && x < w && y < h;
            const auto blockBefore = f.blockPixels();
            f.run(f.stroke.MouseDown(MouseButton::Left, x, y, kZoom));
            f.run(f.stroke.MouseMove(w - 1 - x % w, h - 1 - y % h, kZoom));
            f.run(f.stroke.MouseMove(x, y, kZoom));
            f.run(f.stroke.MouseUp());
            EXPECT_EQ(f.outsideBlock(), outside);
            if (!inside) { // a press outside starts no stroke
                EXPECT_EQ(f.blockPixels(), blockBefore);
            }
        }
}

TEST(TileStroke, ALineLeavesNoPreviewForTheNextStroke) {
    StrokeFixture f;
    f.stroke.SetTool(DrawingTool::Line);
    f.drag(MouseButton::Left, {1, 1}, {9, 4});
    f.stroke.SetTool(DrawingTool::Pen);
    f.run(f.stroke.MouseDown(MouseButton::Right, at(12), at(12), kZoom));
    f.run(f.stroke.MouseMove(at(13), at(12), kZoom));
    EXPECT_FALSE(f.stroke.Dragging());
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_FALSE(f.stroke.PreviewColorAt(x, y)) << x << "," << y;
}

TEST(TileStroke, StrokeOnAnOversizedBlockStartStaysInsideTheSlots) {
    StrokeFixture f({240, 128});
    f.editing().CurrentTile = 480; // would run to Tile 959
    f.run(f.stroke.MouseDown(MouseButton::Left, 0, 0, 1));
    f.run(f.stroke.MouseUp());
    EXPECT_EQ(f.editing().CurrentTile, 768 - 480);
    EXPECT_EQ(f.pixel(0, 0), 3);
}

} // namespace
} // namespace tessivar
