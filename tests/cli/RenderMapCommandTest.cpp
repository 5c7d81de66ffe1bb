// tessivar-cli's render-map command, run as a separate process on temporary files.

#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"
#include "core/mapeditor/MapPicture.h"

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace tessivar {
namespace {

TEST_F(Cli, RenderMapWritesTheExportPictureAsBitmapOrPng) {
    const TileSet set = SampleTileSet(40, 0);
    const MapGrid grid = SampleGrid(5, 3);
    write("t.vxt", BuildTileSetImage("VX03", set, ""));
    // The map names its tile set relative to the map's folder.
    const std::string map = write("level.vxm", BuildMapImage("VX02", grid, "t.vxt"));
    const std::string expected = dir.file("expected.bmp");
    auto loaded = std::make_unique<TileSet>();
    ApplyTileSetFile(*ParseTileSetFile(ReadBytes(dir.file("t.vxt"))), *loaded);
    ASSERT_TRUE(WriteMapPicture(*loaded, grid, expected, PictureFormat::Bitmap).ok());

    const auto bmp = run({"render-map", map, "-o", dir.file("out.bmp"), "--kind", "map"});
    EXPECT_EQ(0, bmp.status) << bmp.err;
    EXPECT_EQ(ReadBytes(dir.file("out.bmp")), ReadBytes(expected));

    // Another tile set given on the command line wins over the one the map names.
    write("other.vxt", BuildTileSetImage("VX03", SampleTileSet(40, 0, 9), ""));
    EXPECT_EQ(
        0, run({"render-map", map, "--tileset", dir.file("other.vxt"), "-o", dir.file("other.bmp")})
               .status);
    EXPECT_NE(ReadBytes(dir.file("other.bmp")), ReadBytes(expected));

    const auto png = run({"render-map", map, "-o", dir.file("out.PNG")});
    EXPECT_EQ(0, png.status) << png.err;
    const auto bytes = ReadBytes(dir.file("out.PNG"));
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 8),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    EXPECT_EQ(bytes[19], 40); // width 5 x 8, big-endian
    EXPECT_EQ(bytes[23], 24); // height 3 x 8
}

TEST_F(Cli, RenderMapRefusesBadArgumentsAndLeavesNoFile) {
    const std::string map = write("level.vxm", BuildMapImage("VX02", SampleGrid(2, 2), ""));
    const std::string out = dir.file("out.bmp");
    const std::vector<std::vector<std::string>> bad = {
        {"render-map", map},
        {"render-map", "-o", out},
        {"render-map", map, "-o", out, "--kind", "tileset"},
        {"render-map", dir.file("missing.vxm"), "-o", out},
        {"render-map", map, "-o", out, "--tileset", dir.file("missing.vxt")},
        {"render-map", map, "-o", dir.file("no/folder.bmp")},
    };
    for (const auto& args : bad) {
        const auto result = run(args);
        EXPECT_NE(0, result.status) << args.back();
        EXPECT_FALSE(result.err.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

} // namespace
} // namespace tessivar
