#include "CliRunner.h"

#include "core/files/FileIo.h"
#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"
#include "core/imageimport/ImageImport.h"
#include "core/picture/BitmapWriter.h"
#include "core/picture/PngWriter.h"

#include "../common/ScriptedPrompts.h"

#include <filesystem>

namespace tessivar {
namespace {

namespace fs = std::filesystem;

class ImportCommand : public Cli {
protected:
    void SetUp() override {
        // A 100 x 50 picture of stripes: 104 x 56 pixels, 13 x 7 Tiles by default.
        source_.SetSize(100, 50, 24);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 300; ++x)
                source_.Row(y)[x] = static_cast<std::uint8_t>((x / 3 * 11 + y * 29) % 256);
        photo_ =
            write("photo.bmp", *EncodeBitmap24(100, 50, [&](int row, std::span<std::uint8_t> bgr) {
                      std::copy(source_.Row(row).begin(), source_.Row(row).end(), bgr.begin());
                  }));
    }

    BitmapImage source_;
    std::string photo_;
};

TEST_F(ImportCommand, GivesTheFilesTheEditorSavesAfterNewAndTheSameImport) {
    const std::string set = dir.file("set.vxt"), map = dir.file("map.vxm");
    auto r = run({"import", photo_, "-o", set, "--map", map, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"tilesCut\":91"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"mapWidth\":13,\"mapHeight\":7"), std::string::npos) << r.out;

    auto tileSet = std::make_unique<TileSet>();
    tileSet->ResetForNew();
    MapDocument mapDocument;
    const auto picture = ConvertPicture(source_, {{104, 56}, 20, true});
    ASSERT_TRUE(picture.ok());
    ASSERT_TRUE(ImportConvertedImage({*tileSet, mapDocument, 0, 0, 0, {}}, *picture,
                                     {DuplicateMode::Full, true, true})
                    .ok());
    EXPECT_EQ(testing::ReadBytes(set), *SerializeTileSet(*tileSet, map));
    EXPECT_EQ(testing::ReadBytes(map), *SerializeMap(mapDocument.Grid, set));

    // Optimizing that set finds nothing more to merge.
    r = run({"optimize", set, "-o", dir.file("opt.vxt"), "--map", map, "--map-out",
             dir.file("opt.vxm"), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"tilesRemoved\":0"), std::string::npos) << r.out;
}

TEST_F(ImportCommand, ASecondLevelReusesTheFirstLevelsTiles) {
    const std::string set = dir.file("set.vxt"), first = dir.file("1.vxm");
    ASSERT_EQ(0, run({"import", photo_, "-o", set, "--map", first, "--json"}).status);
    const auto firstMap = ParseMapFile(ReadBytes(first));
    const int count = ParseTileSetFile(ReadBytes(set))->TileCount;
    const std::string second = dir.file("2.vxt"), secondMap = dir.file("2.vxm");
    // New Tiles would go after the set's, or before them.
    const std::vector<std::vector<std::string>> placements = {{"--at", std::to_string(count)},
                                                              {"--insert"}};
    for (const auto& placement : placements) {
        std::vector<std::string> args = {"import", photo_,    "-o",    second,   "--into",
                                         set,      "--reuse", "--map", secondMap};
        args.insert(args.end(), placement.begin(), placement.end());
        const auto r = run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        // No Tile is added, and the map shows the same Tiles.
        EXPECT_EQ(ParseTileSetFile(ReadBytes(second))->TileCount, count) << placement[0];
        EXPECT_TRUE(ParseMapFile(ReadBytes(secondMap))->Grid.Cells == firstMap->Grid.Cells)
            << placement[0];
    }
    // Only Tiles the set lacks need free slots: none here, one slot is enough.
    EXPECT_EQ(
        0, run({"import", photo_, "-o", second, "--into", set, "--reuse", "--at", "767"}).status);
    EXPECT_EQ(1, run({"import", photo_, "-o", second, "--into", set, "--at", "767"}).status);
    EXPECT_EQ(2, run({"import", photo_, "-o", second, "--reuse"}).status);
}

TEST_F(ImportCommand, RefusalsWriteNothing) {
    const std::string out = dir.file("x.vxt");
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--at", "700", "--mode", "none"},
         "needs more than 68 tiles, but only 68 tile slots remain"},
        {{"--size", "12x8"}, "--size takes"},
        {{"--size", "99999x99999"}, "--size takes"},
        {{"--dither", "101"}, "--dither takes"},
        {{"--mode", "fast"}, "unknown mode"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"import", photo_, "-o", out};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto r = run(args);
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(out));
    }
    // Only ".jpg" goes to the JPEG decoder; a bitmap named ".JPG" is read as a bitmap.
    fs::copy_file(photo_, dir.file("photo.JPG"));
    auto r = run({"import", dir.file("photo.JPG"), "-o", out});
    EXPECT_EQ(r.status, 0) << r.err;
    fs::copy_file(photo_, dir.file("photo.jpg"));
    r = run({"import", dir.file("photo.jpg"), "-o", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Missing SOI Marker"), std::string::npos) << r.err;
}

TEST_F(ImportCommand, TheCapacityRefusalComesBeforeTheRestIsRead) {
    // 64 x 1024 pixels of noise with the second half of the file missing.
    const std::string noise = dir.file("noise.png");
    {
        auto file = AtomicFile::Open(noise);
        auto writer = PngWriter::Start(*file, 64, 1024);
        std::vector<std::uint8_t> row(64 * 3);
        std::uint32_t seed = 1;
        for (int y = 0; y < 1024; ++y) {
            for (auto& byte : row)
                byte = static_cast<std::uint8_t>((seed = seed * 1664525 + 1013904223) >> 24);
            ASSERT_TRUE((*writer)->WriteRow(row).ok());
        }
        ASSERT_TRUE((*writer)->Finish().ok());
        ASSERT_TRUE(file->Commit().ok());
    }
    fs::resize_file(noise, fs::file_size(noise) / 2);
    const std::string out = dir.file("x.vxt");
    auto r =
        run({"import", noise, "-o", out, "--mode", "none", "--size", "64x1024", "--at", "760"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("needs more than 8 tiles, but only 8 tile slots remain"),
              std::string::npos)
        << r.err;
    r = run({"import", noise, "-o", out, "--mode", "none", "--size", "64x1024"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("the file ends before the picture does"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out));
}

} // namespace
} // namespace tessivar
