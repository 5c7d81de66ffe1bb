#include "../tileeditor/TileEditorTestSupport.h"
#include "core/render/BlockPainter.h"
#include "core/render/CanvasPainter.h"
#include "core/tileeditor/TileRendering.h"

#include <gtest/gtest.h>

#include <random>

namespace tessivar {
namespace {

using tileeditor_test::Fixture;

void randomise(TileSet& t, std::mt19937& rng) {
    for (auto& tile : t.tiles)
        for (auto& p : tile)
            p = static_cast<ColorIndex>(rng() % 4);
    for (int i = 0; i < kMaxTiles; ++i) {
        t.tilePalette[i] = static_cast<int>(rng() % 12);
        t.tilePaletteSet[i] = static_cast<int>(rng() % 10);
    }
    for (auto& s : t.paletteTable)
        for (auto& p : s)
            for (auto& c : p)
                c = {static_cast<int>(rng() % 40), static_cast<int>(rng() % 32),
                     static_cast<int>(rng() % 32)};
}

const BlockSize kSizes[] = {{8, 8}, {16, 8}, {8, 16}, {24, 16}, {32, 32}, {240, 128}};

TEST(OldVsNew, TileListBlock) {
    std::mt19937 rng(1);
    for (BlockSize size : kSizes) {
        Fixture f(size);
        randomise(f.tiles(), rng);
        const int per = size.tilesPerBlock();
        for (int first : {0, per, 5 * per, kMaxTiles - per, kMaxTiles - per + 1, 760, -1})
            for (int zoom : {1, 2, 3, 4}) {
                const RgbImage old = RenderTileListBlock(f.tiles(), first, zoom);
                RgbImage now(size.width * zoom, size.height * zoom, 0x12345678u);
                PaintBlock(f.tiles(), {size, first, kFirstTilesPaletteSet, kEachTilesPalette, zoom},
                           now, 0, 0);
                ASSERT_EQ(old.pixels, now.pixels)
                    << size.width << "x" << size.height << " " << first << " z" << zoom;
            }
    }
}

TEST(OldVsNew, MapCell) {
    std::mt19937 rng(2);
    for (BlockSize size : kSizes) {
        Fixture f(size);
        randomise(f.tiles(), rng);
        for (int n = 0; n < 40; ++n) {
            const MapCell cell{static_cast<std::uint16_t>(n < 30 ? rng() % 770 : rng()),
                               static_cast<std::uint8_t>(rng()),
                               static_cast<std::uint8_t>(rng() % 3),
                               static_cast<std::uint8_t>(rng() % 3)};
            const int set = static_cast<int>(rng() % 9);
            const RgbImage old = RenderMapCell(f.tiles(), set, cell);
            RgbImage now(size.width * 2, size.height * 2, 0x12345678u);
            PaintBlock(f.tiles(),
                       {size, cell.Tile, set, cell.Palette, 2, cell.HFlip != 0, cell.VFlip != 0},
                       now, 0, 0);
            ASSERT_EQ(old.pixels, now.pixels) << n;
        }
    }
}

TEST(OldVsNew, Canvas) {
    std::mt19937 rng(3);
    for (BlockSize size : kSizes) {
        Fixture f(size);
        randomise(f.tiles(), rng);
        f.editing().CurrentPalette = 6;
        f.editing().CurrentPaletteSet = 5;
        f.editing().LeftColor = 2;
        for (int zoom : {1, 2, 3, 8, 32}) {
            for (int first : {0, size.tilesPerBlock(), 767}) {
                f.editing().CurrentTile = first;
                CanvasStroke stroke(f.workspace);
                stroke.setTool(DrawingTool::Line);
                if (first != 767) {
                    stroke.mouseDown(MouseButton::Left, 1, 1, zoom);
                    stroke.mouseMove(size.width * zoom - 1, size.height * zoom / 2, zoom);
                }
                const Rgb grid{200, 10, 30};
                const RgbImage old = RenderCanvas(f.tiles(), f.editing(), {zoom, grid, &stroke});
                CanvasLook look{f.editing().CurrentTile, 5, 6, zoom, grid, [&stroke](int x, int y) {
                                    return stroke.previewColorAt(x, y);
                                }};
                const RgbImage now = RenderTileCanvas(f.tiles(), look);
                ASSERT_EQ(old.pixels, now.pixels) << size.width << " z" << zoom << " " << first;

                // A partial repaint over a stale picture.
                RgbImage oldPart(size.width * zoom, size.height * zoom, 0x11111111u);
                RgbImage newPart = oldPart;
                const CellRange range{1, 5, 2, 3};
                PaintCanvas(f.tiles(), f.editing(), {zoom, grid, &stroke}, range, oldPart);
                PaintTileCanvas(f.tiles(), look, range, newPart);
                for (std::size_t i = 0; i < oldPart.pixels.size(); ++i)
                    ASSERT_EQ(oldPart.pixels[i], newPart.pixels[i])
                        << size.width << "x" << size.height << " z" << zoom << " " << first
                        << " at " << i % oldPart.width << "," << i / oldPart.width;
            }
        }
    }
}

TEST(OldVsNew, DamagedCells) {
    std::mt19937 rng(4);
    for (int n = 0; n < 2000; ++n) {
        const int w = 1 + static_cast<int>(rng() % 40), h = 1 + static_cast<int>(rng() % 40);
        const int cols = static_cast<int>(rng() % 50), rows = static_cast<int>(rng() % 50);
        ScreenRect r{static_cast<int>(rng() % 2000), static_cast<int>(rng() % 2000), 0, 0};
        r.right = r.left + static_cast<int>(rng() % 500);
        r.bottom = r.top + static_cast<int>(rng() % 500);
        ASSERT_EQ(DamagedCells(r, w, h, cols, rows), CellGrid(w, h, cols, rows).cellsTouching(r));
    }
}

} // namespace
} // namespace tessivar
