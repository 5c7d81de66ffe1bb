#include "../tileeditor/TileEditorTestSupport.h"
#include "core/render/BlockPainter.h"
#include "core/render/CanvasPainter.h"
#include "core/render/CellGeometry.h"

#include <gtest/gtest.h>

#include <array>

#include <random>

namespace tessivar {
namespace {

using tileeditor_test::Fixture;

// Random pixels and palettes, and a palette table whose every entry is its own colour.
void fillDistinct(TileSet& tileSet) {
    std::mt19937 rng(5);
    for (auto& tile : tileSet.Tiles)
        for (auto& pixel : tile)
            pixel = static_cast<ColorIndex>(rng() % 4);
    for (int t = 0; t < kMaxTiles; ++t) {
        tileSet.TilePalette[t] = static_cast<int>(rng() % 8);
        tileSet.TilePaletteSet[t] = static_cast<int>(rng() % 8);
    }
    for (int s = 0; s < kPaletteSets; ++s)
        for (int p = 0; p < kPalettesPerSet; ++p)
            for (int c = 0; c < kColorsPerPalette; ++c)
                tileSet.Palettes[s][p][c] = {s, p, c};
}

std::uint32_t colorOf(const TileSet& tileSet, int set, int palette, int color) {
    return PackRgb(DisplayColor(tileSet.Palettes[set][palette][color]));
}

// Screen pixel (x, y) of a Block picture, straight from the Tile slots.
std::uint32_t referencePixel(const TileSet& tileSet, const BlockLook& look, int x, int y) {
    int bx = x / look.Zoom;
    int by = y / look.Zoom;
    if (look.HFlip)
        bx = look.Block.Width - 1 - bx;
    if (look.VFlip)
        by = look.Block.Height - 1 - by;
    const int tile = look.FirstTile + by / 8 * ((look.Block.Width + 7) / 8) + bx / 8;
    const int set = look.PaletteSet < 0 ? tileSet.TilePaletteSet[look.FirstTile] : look.PaletteSet;
    const int palette = look.Palette < 0 ? tileSet.TilePalette[tile] : look.Palette % 8;
    return colorOf(tileSet, set, palette, tileSet.Tiles[tile][by % 8 * 8 + bx % 8]);
}

TEST(BlockPainter, MatchesTheTileSlotsUnderEveryFlipZoomAndPalette) {
    Fixture f({16, 16});
    fillDistinct(f.tiles());
    const BlockLook looks[] = {
        {{16, 16}, 4, 2, 5, 2, false, false},
        {{16, 16}, 4, 2, 5, 2, true, false},
        {{16, 16}, 4, 2, 5, 2, false, true},
        {{16, 16}, 8, 6, 3, 3, true, true},
        {{16, 16}, 12, kFirstTilesPaletteSet, kEachTilesPalette, 4, false, false},
        {{16, 16}, 764, 0, 13, 1, true, false}, // palette 13 shows as 5; last Block that fits
        {{24, 8}, 9, 1, 200, 2, false, true},   // another Block size than the set's
        {{8, 8}, 4, 0, 1, 1, false, false},     // the first Tile of a Block only
    };
    for (const BlockLook& look : looks) {
        const int width = look.Block.Width * look.Zoom;
        const int height = look.Block.Height * look.Zoom;
        RgbImage image(width, height, 0u);
        PaintBlock(f.tiles(), look, image, 0, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(image.At(x, y), referencePixel(f.tiles(), look, x, y))
                    << look.FirstTile << " at " << x << "," << y;
    }
}

TEST(BlockPainter, ClipsToTheImageAndLeavesTheRestAlone) {
    Fixture f({16, 8});
    fillDistinct(f.tiles());
    const BlockLook look{{16, 8}, 2, 3, 1, 2, true, false};
    // A strip of rows, the Block placed partly above and left of it.
    for (const auto& [x, y] : {std::pair{-5, -3}, std::pair{20, 4}, std::pair{0, -15}}) {
        RgbImage strip(32, 6, 7u);
        PaintBlock(f.tiles(), look, strip, x, y);
        for (int sy = 0; sy < strip.Height; ++sy)
            for (int sx = 0; sx < strip.Width; ++sx) {
                const bool inside = sx >= x && sx < x + 32 && sy >= y && sy < y + 16;
                ASSERT_EQ(strip.At(sx, sy),
                          inside ? referencePixel(f.tiles(), look, sx - x, sy - y) : 7u)
                    << x << "," << y << " at " << sx << "," << sy;
            }
    }
}

TEST(BlockPainter, BlockReachingPastTheLastSlotIsBlank) {
    Fixture f({16, 16});
    fillDistinct(f.tiles());
    for (int first : {765, 767, 768, 65535, -4}) {
        RgbImage image(32, 32, 7u);
        PaintBlock(f.tiles(), {{16, 16}, first, 0, 0, 2, false, false}, image, 0, 0);
        for (std::uint32_t pixel : image.Pixels)
            ASSERT_EQ(pixel, kBlankBlockColor) << first;
    }
}

TEST(TileCanvas, GridRunsAlongEveryPixelAndDoublesWhereTilesMeet) {
    Fixture f({16, 24});
    fillDistinct(f.tiles());
    const int zoom = 5;
    const Rgb red{255, 0, 0};
    const RgbImage canvas = RenderTileCanvas(f.tiles(), {0, 2, 0, zoom, red, {}});
    ASSERT_EQ(canvas.Width, 80);
    ASSERT_EQ(canvas.Height, 120);
    // Lines at every multiple of the zoom, and one more after each Tile boundary.
    auto onLine = [&](int at) { return at % zoom == 0 || (at > 1 && at % (8 * zoom) == 1); };
    for (int y = 0; y < canvas.Height; ++y)
        for (int x = 0; x < canvas.Width; ++x) {
            const bool line = onLine(x) || onLine(y);
            const std::uint32_t fill =
                colorOf(f.tiles(), 2, f.tiles().GetBlockPixelPalette(0, x / zoom, y / zoom),
                        f.tiles().GetBlockPixel(0, x / zoom, y / zoom));
            ASSERT_EQ(canvas.At(x, y), line ? PackRgb(red) : fill) << x << "," << y;
        }
}

TEST(TileCanvas, PreviewPixelsShowTheDrawingColourInThePreviewPalette) {
    Fixture f;
    fillDistinct(f.tiles());
    CanvasLook look{0,
                    1,
                    4,
                    8,
                    {},
                    [](int x, int y) {
                        return x == 3 && y == 0 ? std::optional<ColorIndex>(2) : std::nullopt; }};
    const RgbImage canvas = RenderTileCanvas(f.tiles(), look);
    EXPECT_EQ(canvas.At(8 * 3 + 4, 4), colorOf(f.tiles(), 1, 4, 2));
    EXPECT_EQ(canvas.At(8 * 4 + 4, 4),
              colorOf(f.tiles(), 1, f.tiles().TilePalette[0], f.tiles().GetBlockPixel(0, 4, 0)));
}

// Past the Block and its closing grid line the canvas is left as it was.
TEST(TileCanvas, ARangePastTheBlockPaintsOnlyTheBlock) {
    Fixture f;
    RgbImage canvas(96, 96, 7u);
    PaintTileCanvas(f.tiles(), {0, 0, 0, 8, {255, 0, 0}, {}}, CellRange{0, 20, 0, 20}, canvas);
    for (int y = 0; y < 96; ++y)
        for (int x = y < 72 ? 72 : 0; x < 96; ++x)
            ASSERT_EQ(canvas.At(x, y), 7u) << x << "," << y;
}

TEST(TileCanvas, AnEmptyRangePaintsNothing) {
    Fixture f;
    for (const CellRange range : {CellRange{3, 2, 0, 7}, CellRange{0, 7, 5, 4}}) {
        RgbImage canvas(64, 64, 7u);
        PaintTileCanvas(f.tiles(), {0, 0, 0, 8, {255, 0, 0}, {}}, range, canvas);
        for (std::uint32_t pixel : canvas.Pixels)
            ASSERT_EQ(pixel, 7u) << range.FirstColumn << ".." << range.LastColumn;
    }
}

TEST(CellGeometry, CellUnderAPoint) {
    const CellGeometry grid(17, 9, 4, 3, 1); // the map canvas: a line right of and below each cell
    struct Case {
        int x, y;
        std::optional<CellPosition> cell;
    };
    const Case cases[] = {
        {0, 0, CellPosition{0, 0}},   {16, 8, CellPosition{0, 0}}, {17, 9, CellPosition{1, 1}},
        {67, 26, CellPosition{3, 2}}, {68, 0, std::nullopt},       {0, 27, std::nullopt},
        {-1, 0, std::nullopt},        {0, -1, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(grid.CellAt(c.x, c.y), c.cell) << c.x << "," << c.y;
    EXPECT_EQ(grid.Width(), 68);
    EXPECT_EQ(grid.PictureWidth(), 16);
}

TEST(CellGeometry, DamagedRectangleWidensByOneAndClamps) {
    EXPECT_EQ(CellGeometry(8, 8, 16, 16).CellsTouching({25, 0, 39, 7}), (CellRange{2, 5, 0, 1}));
    EXPECT_EQ(CellGeometry(8, 8, 16, 4).CellsTouching({0, 0, 1000, 1000}),
              (CellRange{0, 15, 0, 3}));
    EXPECT_EQ(CellGeometry(8, 8, 0, 4).CellsTouching({0, 0, 10, 10}), CellRange{});
    // The screen area of those cells, for repainting.
    const CellArea area = CellGeometry(8, 8, 16, 16).AreaTouching({25, 20, 39, 30});
    EXPECT_EQ(area.Cells, (CellRange{2, 5, 1, 4}));
    EXPECT_EQ((std::array{area.Left, area.Top, area.Width, area.Height}),
              (std::array{16, 8, 32, 32}));
}

} // namespace
} // namespace tessivar
