// Tile sheets read back through libpng: where each Block's Tiles land for Blocks of
// every shape, the palette, and the refusal of a set without a whole Block.

#include "core/interchange/TileSheet.h"
#include "../files/TestFiles.h"
#include "../picture/PngTestReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace tessivar {
namespace {

TEST(TileSheet, TilesLandWhereTheirBlocksAre) {
    struct Case {
        BlockSize block;
        int columns, tileCount;
        int width, height;
        int probe, x, y; // where Tile `probe`'s top-left pixel lands
    } cases[] = {
        {{8, 8}, 0, 20, 128, 16, 17, 8, 8},     // 16 a row, the second row padded
        {{16, 16}, 0, 41, 128, 32, 37, 24, 16}, // 8 a row; Tile 40 is no whole Block
        {{12, 20}, 3, 13, 48, 24, 11, 24, 16},  // whole Tiles of an odd size
        {{240, 8}, 0, 60, 240, 16, 59, 232, 8}, // wider than 16 Tiles: one a row
        {{32, 32}, 1, 32, 32, 64, 20, 0, 40},   //
        {{8, 16}, 5, 4, 40, 16, 3, 8, 8},       // one partial row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.block.Width) + "x" + std::to_string(c.block.Height));
        auto set = std::make_unique<TileSet>();
        set->TileCount = c.tileCount;
        set->Tiles[static_cast<std::size_t>(c.probe)][0] = 3;
        set->Tiles[static_cast<std::size_t>(c.probe)][9] = 2;      // pixel (1, 1)
        set->Tiles[static_cast<std::size_t>(c.tileCount)].fill(1); // past the count: not drawn
        testing::TempDir dir;
        TileSheetLook look;
        look.Block = c.block;
        look.Columns = c.columns;
        ASSERT_TRUE(WriteTileSheet(*set, look, dir.file("s.png")).ok());
        const testing::DecodedPng png = testing::DecodePng(dir.file("s.png"));
        EXPECT_EQ(png.bitDepth, 2);
        ASSERT_EQ(png.width, c.width);
        ASSERT_EQ(png.height, c.height);
        EXPECT_EQ(png.samples[static_cast<std::size_t>(c.y * c.width + c.x)], 3);
        EXPECT_EQ(png.samples[static_cast<std::size_t>((c.y + 1) * c.width + c.x + 1)], 2);
        EXPECT_EQ(std::count(png.samples.begin(), png.samples.end(), 0),
                  static_cast<long>(png.samples.size()) - 2);
    }
}

TEST(TileSheet, PaletteOfTheSetAndPaletteAsked) {
    auto set = std::make_unique<TileSet>();
    set->TilePaletteSet[0] = 2;
    set->Palettes[2][5][1] = {1, 2, 3}; // blue 8, green 16, red 24
    set->Palettes[4][5][1] = {31, 0, 0};
    struct Case {
        int palette, paletteSet;
        bool grey;
        std::uint32_t color1;
    } cases[] = {{5, -1, false, 0x181008},
                 {5, 4, false, 0x0000F8},
                 {5, 4, true, 0xA8A8A8},
                 {0, -1, false, 0xA8A8A8}};
    for (const Case& c : cases) {
        testing::TempDir dir;
        TileSheetLook look;
        look.Palette = c.palette;
        look.PaletteSet = c.paletteSet;
        look.Grey = c.grey;
        ASSERT_TRUE(WriteTileSheet(*set, look, dir.file("s.png")).ok());
        const testing::DecodedPng png = testing::DecodePng(dir.file("s.png"));
        ASSERT_EQ(png.palette.size(), 4u);
        EXPECT_EQ(png.palette[1], c.color1) << c.palette << " " << c.paletteSet;
        EXPECT_EQ(png.palette[3], 0u);
    }
}

TEST(TileSheet, BlockCountRecordIsReadOnlyWhereAndAsWritten) {
    auto chunk = [](const std::string& type, const std::string& data) {
        std::string bytes(3, '\0');
        bytes += static_cast<char>(data.size());
        return bytes + type + data + "CRC!";
    };
    const std::string png = "\x89PNG\r\n\x1a\n" + chunk("IHDR", std::string(13, '\1'));
    const std::string key = std::string("Tessivar Blocks") + '\0';
    const struct {
        std::string file;
        std::optional<int> count;
    } cases[] = {
        {png + chunk("tEXt", key + "24") + chunk("IDAT", ""), 24},
        {png + chunk("tEXt", "Comment" + std::string(1, '\0') + "x") + chunk("tEXt", key + "768"),
         768},
        {png + chunk("tEXt", key + "769"), std::nullopt},
        {png + chunk("tEXt", key + "0024"), std::nullopt},
        {png + chunk("tEXt", key + "2a"), std::nullopt},
        {png + chunk("tEXt", key), std::nullopt},
        {png + chunk("zTXt", key + "24"), std::nullopt},
        {png + chunk("IDAT", "") + chunk("tEXt", key + "24"), std::nullopt},
        {(png + chunk("tEXt", key + "24")).substr(0, png.size() + 20), std::nullopt},
    };
    for (const auto& c : cases) {
        const std::vector<std::uint8_t> bytes(c.file.begin(), c.file.end());
        EXPECT_EQ(TileSheetBlockCount(bytes), c.count) << c.file.substr(33);
    }
}

TEST(TileSheet, ASetWithoutAWholeBlockWritesNothing) {
    auto set = std::make_unique<TileSet>();
    set->TileCount = 3;
    TileSheetLook look;
    look.Block = {16, 16};
    testing::TempDir dir;
    EXPECT_FALSE(WriteTileSheet(*set, look, dir.file("s.png")).ok());
    EXPECT_EQ(testing::CountEntries(dir.path()), 0);
}

} // namespace
} // namespace tessivar
