// The bundled examples, made by scripts/make-examples.cpp, load with what their README
// describes.

#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <set>

namespace tessivar {
namespace {

std::string examplePath(const char* name) {
    return std::string(TESSIVAR_SOURCE_DIR) + "/examples/" + name;
}

TEST(ExampleFiles, TheDemoPairLoadsAndNamesEachOther) {
    const auto tiles = ParseTileSetFile(testing::ReadBytes(examplePath("demo.vxt")));
    ASSERT_TRUE(tiles.ok()) << tiles.error();
    EXPECT_EQ("VX03", tiles->Version);
    EXPECT_EQ("demo.vxm", tiles->AssociatedMap);
    EXPECT_EQ(24, tiles->TileCount);
    EXPECT_EQ(5u, tiles->Categories.size());
    std::set<int> colours;
    for (const auto& tile : tiles->Tiles)
        colours.insert(tile.begin(), tile.end());
    EXPECT_EQ((std::set<int>{0, 1, 2, 3}), colours);

    const auto map = ParseMapFile(testing::ReadBytes(examplePath("demo.vxm")));
    ASSERT_TRUE(map.ok()) << map.error();
    EXPECT_EQ("VX02", map->Version);
    EXPECT_EQ("demo.vxt", map->TileSetPath);
    EXPECT_EQ(24, map->Grid.Width);
    EXPECT_EQ(16, map->Grid.Height);
    bool anyFlip = false;
    for (const auto& cell : map->Grid.Cells) {
        EXPECT_LT(cell.Tile, 24);
        anyFlip |= cell.HFlip || cell.VFlip;
    }
    EXPECT_TRUE(anyFlip);
}

} // namespace
} // namespace tessivar
