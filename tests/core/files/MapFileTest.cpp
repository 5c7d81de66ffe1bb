#include "core/files/MapFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

using testing::BuildMapImage;
using testing::SampleGrid;

TEST(MapFileRoundTrip, BothVersionsLoadWhatWasStored) {
    struct Case {
        const char* magic;
        int width, height;
    };
    for (const Case c : {Case{"VX01", 3, 2}, Case{"VX02", 3, 2}, Case{"VX02", 1, 2048},
                         Case{"VX01", 2048, 1}, Case{"VX02", 40, 20}}) {
        SCOPED_TRACE(std::string(c.magic) + " " + std::to_string(c.width));
        const bool flips = std::string_view(c.magic) == "VX02";
        const MapGrid grid = SampleGrid(c.width, c.height, flips);
        const auto parsed =
            ParseMapFile(BuildMapImage(c.magic, SampleGrid(c.width, c.height), "x"));
        ASSERT_TRUE(parsed.ok()) << parsed.error();
        EXPECT_EQ(c.magic, parsed->Version);
        EXPECT_EQ("x", parsed->TileSetPath);
        EXPECT_EQ(grid, parsed->Grid); // VX01 reads every flip as 0
    }
}

TEST(MapFileRoundTrip, WriterMatchesTheHandBuiltImage) {
    const MapGrid grid = SampleGrid(17, 9);
    const std::string path(255, 't');
    const auto written = SerializeMap(grid, path);
    ASSERT_TRUE(written.ok()) << written.error();
    EXPECT_EQ(BuildMapImage("VX02", grid, path), *written);
    const auto reread = ParseMapFile(*written);
    ASSERT_TRUE(reread.ok());
    EXPECT_EQ(path, reread->TileSetPath);
    EXPECT_EQ(grid, reread->Grid);

    const auto tooLong = SerializeMap(grid, std::string(256, 't'));
    EXPECT_FALSE(tooLong.ok());
    EXPECT_FALSE(tooLong.error().empty());
}

// Damaged files, each refused with its own reason (empty: accepted).
TEST(MapFileChecks, SizesPalettesAndLengthAreChecked) {
    struct Case {
        const char* what;
        int width, height;
        int paletteOfLastCell;
        std::ptrdiff_t lengthChange;
        const char* reason;
    };
    const Case cases[] = {
        {"smallest", 1, 1, 7, 0, ""},
        {"largest side", 2048, 1, 0, 0, ""},
        {"trailing bytes", 2, 2, 0, 3, ""},
        {"width 0", 0, 5, 0, 0, "the map width 0 is outside 1..2048"},
        {"height 0", 5, 0, 0, 0, "the map height 0 is outside 1..2048"},
        {"width 2049", 2049, 1, 0, 0, "the map width 2049 is outside 1..2048"},
        {"height 2049", 1, 2049, 0, 0, "the map height 2049 is outside 1..2048"},
        {"palette 8", 2, 2, 8, 0, ""},
        {"palette 255", 2, 2, 255, 0, ""},
        {"one byte short", 2, 2, 0, -1, "the file ends early"},
        {"no size", 2, 2, 0, -(4 * 5 + 2), "the file ends early"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MapGrid grid = SampleGrid(c.width, c.height);
        if (!grid.Cells.empty())
            grid.Cells.back().Palette = static_cast<std::uint8_t>(c.paletteOfLastCell);
        auto image = BuildMapImage("VX02", grid);
        image.resize(
            static_cast<std::size_t>(static_cast<std::ptrdiff_t>(image.size()) + c.lengthChange));
        const auto parsed = ParseMapFile(image);
        EXPECT_EQ(parsed.ok(), *c.reason == '\0');
        EXPECT_EQ(parsed.error(), c.reason);
        EXPECT_TRUE(HasMapMagic(image));
    }
}

TEST(MapFileChecks, PaletteAndFlipBytesAreStoredAsRead) {
    MapGrid grid = SampleGrid(2, 1);
    grid.At(0, 1).HFlip = 200;
    grid.At(0, 0).Palette = 200;
    const auto parsed = ParseMapFile(BuildMapImage("VX02", grid));
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(grid, parsed->Grid);
    EXPECT_EQ(BuildMapImage("VX02", grid), SerializeMap(parsed->Grid, "").value());
}

TEST(MapFileChecks, UnknownMagicIsFlagged) {
    for (const char* magic : {"VX03", "VX00", "vx02", ""}) {
        const auto image = BuildMapImage(magic, SampleGrid(1, 1));
        const auto parsed = ParseMapFile(image);
        EXPECT_FALSE(parsed.ok()) << magic;
        EXPECT_FALSE(HasMapMagic(image)) << magic;
        EXPECT_EQ(parsed.error(), "not a map file (unknown magic)");
    }
}

} // namespace
} // namespace tessivar
