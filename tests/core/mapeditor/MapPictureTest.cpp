// The map picture: its size, each cell's 8 x 8 square with flips and palette, the rule
// for cells that name no Tile slot, and failed writes that leave nothing behind.

#include "core/mapeditor/MapPicture.h"
#include "../files/TestFiles.h"
#include "../picture/PngTestReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace tessivar {
namespace {

using testing::TempDir;

struct Picture {
    std::vector<std::uint8_t> bytes;
    int width = 0, height = 0;

    explicit Picture(const std::string& path)
        : bytes(testing::ReadBytes(path)) {
        width = static_cast<int>(get32(18));
        height = static_cast<int>(get32(22));
    }
    std::uint32_t get32(std::size_t at) const {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
               static_cast<std::uint32_t>(bytes[at + 3]) << 24;
    }
    // 0xRRGGBB of picture pixel (x, y), y = 0 at the top.
    std::uint32_t at(int x, int y) const {
        const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
        const std::size_t p = 54 + static_cast<std::size_t>(height - 1 - y) * stride + x * 3u;
        return static_cast<std::uint32_t>(bytes[p + 2]) << 16 | bytes[p + 1] << 8 | bytes[p];
    }
};

struct PictureFixture {
    std::unique_ptr<TileSet> tiles = std::make_unique<TileSet>();
    TempDir dir;

    PictureFixture() {
        // Palette 1 of set 0: four plain colours; other palettes keep the grey ramp.
        tiles->Palettes[0][1] = {PaletteColor{0, 0, 31}, PaletteColor{0, 31, 0},
                                 PaletteColor{31, 0, 0}, PaletteColor{31, 31, 31}};
        tiles->Palettes[3][1] = {}; // other sets play no part
        // Tile 0: colour 1 only in its top-left pixel; Tile 1: all colour 2.
        tiles->Tiles[0][0] = 1;
        tiles->Tiles[1].fill(2);
    }
    // The bitmap; the PNG picture of the same map must show the same pixels.
    Picture write(const MapGrid& grid) {
        const std::string path = dir.file("map.bmp");
        EXPECT_TRUE(WriteMapPicture(*tiles, grid, path, PictureFormat::Bitmap).ok());
        Picture bitmap(path);
        EXPECT_TRUE(WriteMapPicture(*tiles, grid, dir.file("map.png"), PictureFormat::Png).ok());
        const testing::DecodedPng png = testing::DecodePng(dir.file("map.png"));
        EXPECT_EQ(png.width, bitmap.width);
        EXPECT_EQ(png.height, bitmap.height);
        for (int y = 0; y < png.height; ++y)
            for (int x = 0; x < png.width; ++x)
                if (png.color(x, y) != bitmap.at(x, y)) {
                    ADD_FAILURE() << "PNG and bitmap differ at " << x << "," << y;
                    return bitmap;
                }
        return bitmap;
    }
};

constexpr std::uint32_t kRed = 0xF80000, kGreen = 0x00F800, kBlue = 0x0000F8;

TEST(MapPicture, EachCellShowsItsFirstTileFlippedWithinItsSquare) {
    struct Case {
        BlockSize block;
        MapCell cell;
        int markX, markY; // where Tile 0's top-left pixel lands in the cell's square
        std::uint32_t mark, rest;
    } cases[] = {
        {{8, 8}, {0, 1, 0, 0}, 0, 0, kGreen, kRed},   {{8, 8}, {0, 1, 1, 0}, 7, 0, kGreen, kRed},
        {{8, 8}, {0, 1, 0, 1}, 0, 7, kGreen, kRed},   {{8, 8}, {0, 1, 1, 1}, 7, 7, kGreen, kRed},
        {{8, 8}, {0, 9, 1, 0}, 7, 0, kGreen, kRed},   // palette 9 reads as 1
        {{16, 16}, {0, 1, 1, 0}, 7, 0, kGreen, kRed}, // only the top-left Tile of the Block
    };
    for (const Case& c : cases) {
        PictureFixture f;
        f.tiles->Block = c.block;
        MapGrid grid(3, 2, MapCell{1, 1, 0, 0}); // neighbours of Tile 1: all blue
        grid.At(1, 1) = c.cell;
        const Picture p = f.write(grid);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(p.at(8 + x, 8 + y), x == c.markX && y == c.markY ? c.mark : c.rest)
                    << x << "," << y << " palette " << int{c.cell.Palette};
        EXPECT_EQ(p.at(7, 8), kBlue);
        EXPECT_EQ(p.at(16, 15), kBlue);
        EXPECT_EQ(p.at(8, 7), kBlue);
    }
}

TEST(MapPicture, EveryPaletteAndFlipOfOneTileInOnePicture) {
    PictureFixture f;
    for (int p = 0; p < 8; ++p) // palette p: colour 1 has red p, colour 0 is black
        f.tiles->Palettes[0][p] = {PaletteColor{0, 0, 0}, PaletteColor{0, 0, p + 1}};
    MapGrid grid(8, 4);
    for (int p = 0; p < 8; ++p)
        for (int flips = 0; flips < 4; ++flips)
            grid.At(flips, p) = {0, static_cast<std::uint8_t>(p),
                                 static_cast<std::uint8_t>(flips & 1),
                                 static_cast<std::uint8_t>(flips >> 1)};
    const Picture picture = f.write(grid);
    EXPECT_EQ(picture.width, 64); // 8 pixels a cell
    EXPECT_EQ(picture.height, 32);
    for (int p = 0; p < 8; ++p)
        for (int flips = 0; flips < 4; ++flips) {
            const int markX = p * 8 + (flips & 1 ? 7 : 0);
            const int markY = flips * 8 + (flips >> 1 ? 7 : 0);
            EXPECT_EQ(picture.at(markX, markY), static_cast<std::uint32_t>((p + 1) * 8) << 16)
                << "palette " << p << " flips " << flips;
            EXPECT_EQ(picture.at(p * 8 + 3, flips * 8 + 3), 0u);
        }
}

TEST(MapPicture, PngPaletteHoldsTheColoursInUseAtTheSmallestDepth) {
    struct Case {
        int palettes; // cells use palettes 0 .. palettes - 1 of Tiles 0 and 1
        bool onlyTileOne;
        int colors, bitDepth;
    } cases[] = {{1, true, 1, 1},  {2, true, 2, 1}, {1, false, 3, 2}, // grey, black, green
                 {2, false, 5, 4}, {8, true, 8, 4}, {8, false, 17, 8}};
    for (const Case& c : cases) {
        PictureFixture f;
        for (int p = 0; p < 8; ++p) // palette p: colour 0 grey, colours 1 and 2 its own
            f.tiles->Palettes[0][p] = {PaletteColor{10, 10, 10}, PaletteColor{p, 0, 0},
                                       PaletteColor{0, p + 1, 0}, PaletteColor{31, 0, 0}};
        f.tiles->Tiles[0] = Tile{};
        f.tiles->Tiles[0][5] = 1; // Tile 0: colours 0 and 1; Tile 1: colour 2 only
        MapGrid grid(c.palettes, 2);
        for (int p = 0; p < c.palettes; ++p) {
            grid.At(0, p) = {static_cast<std::uint16_t>(c.onlyTileOne ? 1 : 0),
                             static_cast<std::uint8_t>(p), 0, 1};
            grid.At(1, p) = {1, static_cast<std::uint8_t>(p), 1, 0};
        }
        f.write(grid);
        const testing::DecodedPng png = testing::DecodePng(f.dir.file("map.png"));
        EXPECT_EQ(static_cast<int>(png.palette.size()), c.colors) << c.palettes;
        EXPECT_EQ(png.bitDepth, c.bitDepth) << c.palettes;
    }
}

TEST(MapPicture, CellsPastTheLastSlotAreBlankAndKeepTheirValues) {
    PictureFixture f;
    f.tiles->Tiles[767].fill(3);
    MapGrid grid(3, 1, MapCell{767, 1, 0, 0});
    grid.At(0, 1).Tile = 768;
    grid.At(0, 2).Tile = 65535;
    const Picture p = f.write(grid);
    EXPECT_EQ(p.at(3, 3), 0xF8F8F8u);
    EXPECT_EQ(p.at(11, 3), 0u);
    EXPECT_EQ(p.at(20, 3), 0u);
    EXPECT_EQ(grid.At(0, 2).Tile, 65535);
}

TEST(MapPicture, FailedWritesLeaveNothing) {
    PictureFixture f;
    const MapGrid grid(4, 4);
    const std::string intoMissingFolder = f.dir.file("missing/map.bmp");
    EXPECT_FALSE(WriteMapPicture(*f.tiles, grid, intoMissingFolder, PictureFormat::Bitmap).ok());
    std::filesystem::create_directory(f.dir.file("folder.bmp"));
    const Status onFolder =
        WriteMapPicture(*f.tiles, grid, f.dir.file("folder.bmp"), PictureFormat::Png);
    EXPECT_FALSE(onFolder.ok());
    EXPECT_FALSE(onFolder.error().empty());
    // Too large for the format: refused before a cell is read (the grid has none).
    MapGrid huge;
    huge.Width = 5000;
    huge.Height = 5000;
    EXPECT_FALSE(
        WriteMapPicture(*f.tiles, huge, f.dir.file("huge.bmp"), PictureFormat::Bitmap).ok());
    EXPECT_EQ(testing::CountEntries(f.dir.path()), 1); // only the folder made above
}

TEST(MapPicture, FormatFollowsTheNameEnding) {
    EXPECT_EQ(PictureFormatFor("a.png"), PictureFormat::Png);
    EXPECT_EQ(PictureFormatFor("A.PnG"), PictureFormat::Png);
    EXPECT_EQ(PictureFormatFor("a.png.bmp"), PictureFormat::Bitmap);
    EXPECT_EQ(PictureFormatFor("png"), PictureFormat::Bitmap);
}

} // namespace
} // namespace tessivar
