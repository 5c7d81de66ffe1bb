#include "core/files/TileSetFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

using testing::BuildTileSetImage;
using testing::SampleTileSet;

// The writer is checked byte for byte against the hand-built images, whose offsets the
// damaged-file tests of the workspace check at every byte.

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
            expected.CategoryCount = loaded.CategoryCount;
            expected.Categories = loaded.Categories;
            expected.TileInfo = TileSet().TileInfo;
            EXPECT_TRUE(expected == loaded);
        } else {
            EXPECT_TRUE(source == loaded);
        }
        EXPECT_EQ(std::string_view(c.magic) == "VX03" ? "a.vxm" : "", parsed->AssociatedMap);
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
        EXPECT_EQ(mapPath, reread->AssociatedMap);
    }
    const auto tooLong = SerializeTileSet(TileSet(), std::string(256, 'm'));
    EXPECT_NE(std::string::npos, tooLong.error().find("256 characters"));
}

TEST(TileSetFileApply, OldFileLeavesCategoriesAndSlotsAboveTheCountAlone) {
    TileSet memory = SampleTileSet(40, 3, 7);
    const TileSet before = memory;
    const TileSet file = SampleTileSet(2, 0, 2);
    ApplyTileSetFile(ParseTileSetFile(BuildTileSetImage("VX01", file)).value(), memory);
    EXPECT_EQ(2, memory.TileCount);
    EXPECT_EQ(file.Tiles[1], memory.Tiles[1]);
    EXPECT_EQ(before.Tiles[2], memory.Tiles[2]); // above the new count: kept
    EXPECT_EQ(before.TilePalette[39], memory.TilePalette[39]);
    EXPECT_EQ(before.CategoryCount, memory.CategoryCount);
    EXPECT_EQ(before.TileInfo, memory.TileInfo);
    for (int c = 0; c < kMaxCategories; ++c)
        EXPECT_EQ(before.Categories[c].Name, memory.Categories[c].Name);
}

// ---- What the reader refuses and what it lets through ----

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
    EXPECT_EQ("ABCDEFGHIJKLMNO", parsed->Categories[0].NameText());
    EXPECT_EQ("AnimNext", parsed->Categories[1].NameText());
}

} // namespace
} // namespace tessivar
