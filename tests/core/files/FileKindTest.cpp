#include "core/files/FileKind.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

using testing::BuildMapImage;
using testing::BuildTileSetImage;
using testing::SampleGrid;
using testing::SampleTileSet;

TEST(FileKind, ExtensionNamesTheKind) {
    EXPECT_EQ(FileKind::TileSet, FileKindFromExtension("a/b.c/Level.VXT"));
    EXPECT_EQ(FileKind::Map, FileKindFromExtension("level.vxm"));
    for (const char* other : {"level.map", "vxm", "a.vxm/level", "level.vxm.bak"})
        EXPECT_FALSE(FileKindFromExtension(other)) << other;
}

// Which readings succeed: 't' tile set, 'm' map, "tm" both; or the refusal's reason.
TEST(FileKind, ContentsReadAsOneKindBothOrNone) {
    auto shortFile = BuildMapImage("VX02", SampleGrid(1, 1));
    shortFile.resize(10);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> data;
        std::optional<FileKind> kind;
        const char* readings;
    };
    const Case cases[] = {
        {"blank map", BuildMapImage("VX02", MapGrid(32, 32)), std::nullopt, "tm"},
        {"blank old map", BuildMapImage("VX01", MapGrid(32, 32)), std::nullopt, "tm"},
        {"small old map", BuildMapImage("VX01", MapGrid(4, 4)), std::nullopt, "m"},
        {"blank map named", BuildMapImage("VX02", MapGrid(32, 32)), FileKind::Map, "m"},
        {"blank map as set", BuildMapImage("VX02", MapGrid(32, 32)), FileKind::TileSet, "t"},
        {"sample map", BuildMapImage("VX02", SampleGrid(3, 2)), std::nullopt, "m"},
        {"new tile set", BuildTileSetImage("VX03", SampleTileSet(2)), std::nullopt, "t"},
        {"old tile set", BuildTileSetImage("VX01", SampleTileSet(2, 0)), std::nullopt, "t"},
        {"new set as map", BuildTileSetImage("VX03", SampleTileSet(2)), FileKind::Map,
         "not a map file (unknown magic)"},
        {"junk",
         {'J', 'U', 'N', 'K', 0},
         std::nullopt,
         "not a tile set or map file (unknown magic)"},
        {"short", shortFile, std::nullopt,
         "as a tile set: the file ends early; as a map: the file ends early"},
        {"short map", shortFile, FileKind::Map, "the file ends early"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto read = ParseTileSetOrMap(c.data, c.kind);
        std::string readings;
        if (read && read->TileSet)
            readings += 't';
        if (read && read->Map)
            readings += 'm';
        EXPECT_EQ(c.readings, read ? readings : read.error());
        EXPECT_EQ(readings == "tm", read && read->Ambiguous());
    }
}

} // namespace
} // namespace tessivar
