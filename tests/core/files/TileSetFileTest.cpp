#include "core/files/TileSetFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

using testing::BuildTileSetImage;
using testing::SameStoredContents;
using testing::SampleTileSet;

// ---- Sizes and offsets ----

TEST(TileSetFileLayout, WriterPutsFieldsAtTheirOffsets) {
    TileSet set = SampleTileSet(2, 0);
    set.paletteTable[0][0][0][0] = 17;
    set.paletteTable[7][7][3][2] = 29;
    set.tiles[0][0] = 3;
    set.tiles[1][63] = 2;
    const auto bytes = SerializeTileSet(set, "maps/level.vxm").value();
    ASSERT_EQ(1238u, bytes.size()); // 4 + 256 + 768 + 2 + 2 x 66 + 1 + 3 x (17 + 2 x 4)
    EXPECT_EQ("VX03", std::string(bytes.begin(), bytes.begin() + 4));
    EXPECT_EQ("maps/level.vxm", std::string(reinterpret_cast<const char*>(&bytes[4])));
    EXPECT_EQ(17, bytes[260]);
    EXPECT_EQ(29, bytes[1027]);
    EXPECT_EQ(2, bytes[1028]);
    EXPECT_EQ(0, bytes[1029]);
    EXPECT_EQ(3, bytes[1030]);
    EXPECT_EQ(2, bytes[1030 + 127]);
}

TEST(TileSetFileLayout, OlderVersionsAreReadFromTheirOffsets) {
    for (const char* magic : {"VX01", "VX02"}) {
        SCOPED_TRACE(magic);
        auto image = BuildTileSetImage(magic, SampleTileSet(2, 0));
        image[4] = 30;  // first component of set 0, palette 0, colour 0
        image[772] = 1; // tile count, low byte
        image[773] = 0;
        image[774] = 2; // first pixel of Tile 0
        const auto parsed = ParseTileSetFile(image);
        ASSERT_TRUE(parsed.ok()) << parsed.error();
        EXPECT_EQ(magic, parsed->version);
        EXPECT_EQ(30, parsed->palettes[0][0][0][0]);
        EXPECT_EQ(1, parsed->tileCount);
        EXPECT_EQ(2, parsed->tiles[0][0]);
    }
}

// ---- Round trips ----

TEST(TileSetFileRoundTrip, EveryVersionLoadsWhatWasStored) {
    struct Case {
        const char* magic;
        int tiles;
        int extraCategories;
    };
    const Case cases[] = {{"VX01", 0, 0},  {"VX01", 2, 0},  {"VX01", 768, 0}, {"VX02", 1, 0},
                          {"VX02", 16, 2}, {"VX03", 16, 1}, {"VX03", 768, 61}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.magic) + " N=" + std::to_string(c.tiles));
        const TileSet source = SampleTileSet(c.tiles, c.extraCategories, 3);
        auto image = BuildTileSetImage(c.magic, source, "a.vxm");
        image.insert(image.end(), {9, 9, 9, 9, 9}); // trailing bytes are ignored
        const auto parsed = ParseTileSetFile(image);
        ASSERT_TRUE(parsed.ok()) << parsed.error();
        TileSet loaded;
        ApplyTileSetFile(*parsed, loaded);
        if (std::string_view(c.magic) == "VX01") {
            // No categories on disk: the loaded set keeps its own table.
            TileSet expected = source;
            expected.categoryCount = loaded.categoryCount;
            expected.categories = loaded.categories;
            expected.tileInfo = TileSet().tileInfo;
            EXPECT_TRUE(SameStoredContents(expected, loaded));
        } else {
            EXPECT_TRUE(SameStoredContents(source, loaded));
        }
        EXPECT_EQ(std::string_view(c.magic) == "VX03" ? "a.vxm" : "", parsed->associatedMap);
    }
}

TEST(TileSetFileRoundTrip, WriterMatchesTheHandBuiltImage) {
    for (int tiles : {0, 1, 16, 300}) {
        SCOPED_TRACE(tiles);
        const TileSet set = SampleTileSet(tiles, 4, 5);
        const std::string mapPath(255, 'm'); // the longest path that fits with its NUL
        const auto written = SerializeTileSet(set, mapPath);
        ASSERT_EQ("", written.error());
        EXPECT_EQ(BuildTileSetImage("VX03", set, mapPath), *written);
        const auto reread = ParseTileSetFile(*written);
        ASSERT_TRUE(reread.ok());
        EXPECT_EQ(mapPath, reread->associatedMap);
    }
    const auto tooLong = SerializeTileSet(TileSet(), std::string(256, 'm'));
    EXPECT_NE(std::string::npos, tooLong.error().find("256 characters"));
}

TEST(TileSetFileApply, OldFileLeavesCategoriesAndSlotsAboveTheCountAlone) {
    TileSet memory = SampleTileSet(40, 3, 7);
    const TileSet before = memory;
    const TileSet file = SampleTileSet(2, 0, 2);
    ApplyTileSetFile(ParseTileSetFile(BuildTileSetImage("VX01", file)).value(), memory);
    EXPECT_EQ(2, memory.tileCount);
    EXPECT_EQ(file.tiles[1], memory.tiles[1]);
    EXPECT_EQ(before.tiles[2], memory.tiles[2]); // above the new count: kept
    EXPECT_EQ(before.tilePalette[39], memory.tilePalette[39]);
    EXPECT_EQ(before.categoryCount, memory.categoryCount);
    EXPECT_EQ(before.tileInfo, memory.tileInfo);
    for (int c = 0; c < kMaxCategories; ++c)
        EXPECT_EQ(before.categories[c].name, memory.categories[c].name);
}

// ---- What the reader refuses and what it lets through ----

struct Alteration {
    const char* what;
    std::size_t offset; // in a VX03 image of 4 Tiles and 4 categories
    int value;
    bool accepted;
};

constexpr std::size_t kCount = 1028, kPixels = 1030, kPalettes = kPixels + 4 * 64,
                      kSets = kPalettes + 4, kCategoryCount = kSets + 4,
                      kFirstName = kCategoryCount + 1;

TEST(TileSetFileChecks, OutOfRangeFieldsAreRefusedAndHarmlessOnesLoad) {
    const Alteration cases[] = {
        {"magic", 3, '4', false},
        {"magic lower case", 0, 'v', false},
        {"tile count 772", kCount + 1, 3, false}, // high byte: 0x0304
        {"pixel 4", kPixels + 10, 4, false},
        {"pixel 255", kPixels + 4 * 64 - 1, 255, false},
        {"tile palette 8", kPalettes + 3, 8, false},
        {"palette set 8", kSets, 8, false},
        {"category count 65", kCategoryCount, 65, false},
        {"category count 5 (data missing)", kCategoryCount, 5, false},
        {"palette component 255", 300, 255, true},
        {"pixel 3", kPixels, 3, true},
        {"tile palette 7", kPalettes, 7, true},
        {"category type 200", kFirstName + 16, 200, true},
        {"fewer categories", kCategoryCount, 1, true}, // the rest reads as trailing bytes
        {"map path byte", 4, 'x', true},
    };
    const auto image = BuildTileSetImage("VX03", SampleTileSet(4, 1));
    ASSERT_EQ(kFirstName + 4 * (17 + 16), image.size());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto altered = image;
        altered[c.offset] = static_cast<std::uint8_t>(c.value);
        const auto parsed = ParseTileSetFile(altered);
        EXPECT_EQ(c.accepted, parsed.ok()) << parsed.error();
        EXPECT_EQ(!c.accepted, !parsed.error().empty());
    }
}

TEST(TileSetFileChecks, TooManyTilesAreRefusedWithAllTheirData) {
    // 768 Tiles and 64 categories load (the round trips); 769 Tiles with all their data present is
    // still too many.
    TileSet big = SampleTileSet(768, 0);
    auto image = BuildTileSetImage("VX01", big);
    image[772] = 769 & 0xFF;
    image[773] = 769 >> 8;
    image.insert(image.end(), 66 + 100, 0);
    const auto parsed = ParseTileSetFile(image);
    EXPECT_FALSE(parsed.ok());
    EXPECT_NE(std::string::npos, parsed.error().find("769"));
}

TEST(TileSetFileChecks, BadMagicIsToldApartFromADamagedFile) {
    auto image = BuildTileSetImage("VX02", SampleTileSet(1, 0));
    EXPECT_FALSE(ParseTileSetFile(std::span(image).first(3)).ok());
    EXPECT_FALSE(HasTileSetMagic(std::span(image).first(3)));
    EXPECT_TRUE(HasTileSetMagic(std::span(image).first(image.size() - 1)));
    image[0] = 'W';
    EXPECT_FALSE(HasTileSetMagic(image));
}

TEST(TileSetFileChecks, CategoryNameWithoutItsNulEndsAfterFifteenCharacters) {
    auto image = BuildTileSetImage("VX02", SampleTileSet(1, 0));
    const std::size_t firstName = 774 + 66 + 1;
    for (std::size_t i = 0; i < 16; ++i)
        image[firstName + i] = static_cast<std::uint8_t>('A' + i);
    const auto parsed = ParseTileSetFile(image);
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ("ABCDEFGHIJKLMNO", parsed->categories[0].nameText());
    EXPECT_EQ("AnimNext", parsed->categories[1].nameText());
}

} // namespace
} // namespace tessivar
