#include "core/files/FileIo.h"
#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"
#include "core/imageimport/ImageImport.h"
#include "core/picture/BitmapWriter.h"

#include "../common/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace tessivar {
namespace {

namespace fs = std::filesystem;

class ImportCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("tessivar-import-cli-" + std::to_string(getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
        // A 100 x 50 picture of stripes: 104 x 56 pixels, 13 x 7 Tiles by default.
        source_.SetSize(100, 50, 24);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 300; ++x)
                source_.Row(y)[x] = static_cast<std::uint8_t>((x / 3 * 11 + y * 29) % 256);
        const auto bytes = EncodeBitmap24(100, 50, [&](int row, std::span<std::uint8_t> bgr) {
            std::copy(source_.Row(row).begin(), source_.Row(row).end(), bgr.begin());
        });
        std::ofstream(path("photo.bmp"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes->data()), static_cast<long>(bytes->size()));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    int Run(const std::string& arguments, std::string& output) {
        const std::string command =
            std::string(TESSIVAR_CLI) + " " + arguments + " >'" + path("out.txt") + "' 2>&1";
        const int status = std::system(command.c_str());
        std::ifstream in(path("out.txt"));
        output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path folder_;
    BitmapImage source_;
};

TEST_F(ImportCommandTest, GivesTheFilesTheEditorSavesAfterNewAndTheSameImport) {
    std::string output;
    ASSERT_EQ(Run("import " + path("photo.bmp") + " -o " + path("set.vxt") + " --map " +
                      path("map.vxm") + " --json",
                  output),
              0)
        << output;
    EXPECT_NE(output.find("\"tilesCut\":91"), std::string::npos) << output;

    testing::ScriptedPrompts prompts;
    Workspace workspace(prompts);
    workspace.tileSet.resetForNew();
    const auto picture = ConvertPicture(source_, {{104, 56}, 20, true});
    ASSERT_TRUE(picture.ok());
    ASSERT_TRUE(ImportConvertedImage(workspace, *picture, {DuplicateMode::Full, true, true}).ok());
    const auto set = SerializeTileSet(workspace.tileSet, path("map.vxm"));
    const auto map = SerializeMap(workspace.map.grid, path("set.vxt"));
    EXPECT_EQ(*ReadWholeFile(path("set.vxt"), 1 << 20), *set);
    EXPECT_EQ(*ReadWholeFile(path("map.vxm"), 1 << 20), *map);

    // Optimizing that set finds nothing more to merge.
    ASSERT_EQ(Run("optimize " + path("set.vxt") + " -o " + path("opt.vxt") + " --map " +
                      path("map.vxm") + " --map-out " + path("opt.vxm") + " --json",
                  output),
              0)
        << output;
    EXPECT_NE(output.find("\"tilesRemoved\":0"), std::string::npos) << output;
}

TEST_F(ImportCommandTest, RefusalsWriteNothing) {
    const struct {
        std::string arguments, message;
    } cases[] = {
        {"--at 700 --mode none", "needs 91 tiles, but only 68 tile slots remain"},
        {"--size 12x8", "Size or dither entered is invalid"},
        {"--dither 101", "Size or dither entered is invalid"},
        {"--mode fast", "unknown mode"},
    };
    for (const auto& c : cases) {
        std::string output;
        EXPECT_NE(
            Run("import " + path("photo.bmp") + " -o " + path("x.vxt") + " " + c.arguments, output),
            0);
        EXPECT_NE(output.find(c.message), std::string::npos) << output;
        EXPECT_FALSE(fs::exists(path("x.vxt")));
    }
    // Only ".jpg" goes to the JPEG decoder; a bitmap named ".JPG" is read as a bitmap.
    fs::copy_file(path("photo.bmp"), path("photo.JPG"));
    std::string output;
    EXPECT_EQ(Run("import " + path("photo.JPG") + " -o " + path("x.vxt"), output), 0) << output;
    fs::copy_file(path("photo.bmp"), path("photo.jpg"));
    EXPECT_EQ(Run("import " + path("photo.jpg") + " -o " + path("x.vxt"), output), 1);
    EXPECT_NE(output.find("Missing SOI Marker"), std::string::npos) << output;
}

} // namespace
} // namespace tessivar
