#include "TileEditorTestSupport.h"
#include "core/tileeditor/TileRendering.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

using tileeditor_test::Fixture;

// Distinct colours: palette p, colour c of set s = (s, p, c) as components.
void paintDistinctPalettes(TileSet& tileSet) {
    for (int s = 0; s < kPaletteSets; ++s)
        for (int p = 0; p < kPalettesPerSet; ++p)
            for (int c = 0; c < kColorsPerPalette; ++c)
                tileSet.paletteTable[s][p][c] = {s, p, c};
}

std::uint32_t colorOf(const TileSet& tileSet, int s, int p, int c) {
    return PackRgb(DisplayColor(tileSet.paletteTable[s][p][c]));
}

TEST(TileRendering, TileListBlockUsesFirstTilesSetAndEachTilesPalette) {
    Fixture f({16, 8});
    paintDistinctPalettes(f.tiles());
    f.tiles().tilePaletteSet[2] = 3;
    f.tiles().tilePaletteSet[3] = 7; // ignored: the Block's set is its first Tile's
    f.tiles().tilePalette[3] = 5;
    f.tiles().SetBlockPixel(2, 9, 1, 2);
    const RgbImage image = RenderTileListBlock(f.tiles(), 2, 3);
    ASSERT_EQ(image.width, 48);
    ASSERT_EQ(image.height, 24);
    EXPECT_EQ(image.at(27, 3), colorOf(f.tiles(), 3, 5, 2));
    EXPECT_EQ(image.at(29, 5), colorOf(f.tiles(), 3, 5, 2));
    EXPECT_EQ(image.at(26, 3), colorOf(f.tiles(), 3, 5, 0));
    EXPECT_EQ(image.at(0, 0), colorOf(f.tiles(), 3, 0, 0));
}

TEST(TileRendering, MapCellFlipsAndUsesTheCellsPalette) {
    struct Case {
        std::uint8_t hFlip, vFlip;
        int x, y; // where source pixel (0, 0) lands
    };
    const Case cases[] = {{0, 0, 0, 0}, {1, 0, 15, 0}, {0, 1, 0, 31}, {1, 1, 15, 31}};
    for (const auto& c : cases) {
        Fixture f({8, 16});
        paintDistinctPalettes(f.tiles());
        f.tiles().tilePalette[4] = 6; // the map ignores TilePalette
        f.tiles().SetBlockPixel(4, 0, 0, 3);
        const RgbImage image = RenderMapCell(f.tiles(), 2, MapCell{4, 5, c.hFlip, c.vFlip});
        ASSERT_EQ(image.width, 16);
        ASSERT_EQ(image.height, 32);
        int marked = 0;
        for (std::uint32_t pixel : image.pixels)
            marked += pixel == colorOf(f.tiles(), 2, 5, 3);
        EXPECT_EQ(marked, 4);
        EXPECT_EQ(image.at(c.x, c.y), colorOf(f.tiles(), 2, 5, 3)) << int(c.hFlip) << int(c.vFlip);
    }
}

TEST(TileRendering, MapCellBeyondTheSlotsIsBlank) {
    Fixture f({32, 32});
    for (std::uint16_t tile : {std::uint16_t{753}, std::uint16_t{65535}}) {
        const RgbImage image = RenderMapCell(f.tiles(), 0, MapCell{tile, 0, 0, 0});
        for (std::uint32_t pixel : image.pixels)
            ASSERT_EQ(pixel, 0xFF000000u) << tile;
    }
}

TEST(TileRendering, CanvasGridIsDoubledWhereTilesMeet) {
    Fixture f({16, 8});
    f.tiles().SetBlockPixel(0, 8, 0, 3); // black, the grey ramp's darkest
    CanvasPaint paint;
    paint.zoom = 4;
    paint.gridColor = {255, 0, 0};
    const RgbImage canvas = RenderCanvas(f.tiles(), f.editing(), paint);
    ASSERT_EQ(canvas.width, 64);
    const std::uint32_t grid = 0xFFFF0000u;
    const std::uint32_t light = PackRgb(DisplayColor(greyRampPalette()[0]));
    // Row 2 runs through the first pixel row of squares.
    std::string row;
    for (int x = 0; x < 40; ++x)
        row += canvas.at(x, 2) == grid ? '|' : canvas.at(x, 2) == light ? '.' : '#';
    EXPECT_EQ(row, "|...|...|...|...|...|...|...|...||##|...");
}

TEST(TileRendering, CanvasShowsTheDragPreviewInTheCurrentPalette) {
    Fixture f;
    paintDistinctPalettes(f.tiles());
    f.editing().CurrentPalette = 4;
    f.editing().CurrentPaletteSet = 1;
    f.editing().LeftColor = 2;
    CanvasStroke stroke(f.workspace);
    stroke.setTool(DrawingTool::Line);
    stroke.mouseDown(MouseButton::Left, 0, 0, 8);
    stroke.mouseMove(8 * 3 + 1, 0, 8);
    const RgbImage canvas = RenderCanvas(f.tiles(), f.editing(), {8, {}, &stroke});
    EXPECT_EQ(canvas.at(8 * 3 + 4, 4), colorOf(f.tiles(), 1, 4, 2));
    EXPECT_EQ(canvas.at(8 * 4 + 4, 4), colorOf(f.tiles(), 1, 0, 0));
}

TEST(TileRendering, DamagedRectangleWidensByOneAndClamps) {
    EXPECT_EQ(DamagedCells({25, 0, 39, 7}, 8, 8, 16, 16), (CellRange{2, 5, 0, 1}));
    EXPECT_EQ(DamagedCells({0, 0, 1000, 1000}, 8, 8, 16, 4), (CellRange{0, 15, 0, 3}));
    EXPECT_EQ(DamagedCells({0, 0, 10, 10}, 8, 8, 0, 4), CellRange{});
}

} // namespace
} // namespace tessivar
