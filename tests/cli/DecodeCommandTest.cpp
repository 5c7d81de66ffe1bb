#include "core/files/AtomicFile.h"
#include "core/files/FileIo.h"
#include "core/picture/BitmapWriter.h"
#include "core/picture/DecodeJpeg.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace tessivar {
namespace {

namespace fs = std::filesystem;

class DecodeCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v cjpeg >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "cjpeg (libjpeg-turbo-progs) not installed";
        folder_ = fs::temp_directory_path() /
                  ("tessivar-decode-cli-" + std::to_string(getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    // A small picture encoded by cjpeg with `options`; returns the JPEG's path.
    fs::path MakeJpeg(const std::string& options, bool grey) {
        const int width = 21;
        const int height = 11;
        std::string pnm = (grey ? "P5\n" : "P6\n") + std::to_string(width) + " " +
                          std::to_string(height) + "\n255\n";
        for (int i = 0; i < width * height * (grey ? 1 : 3); ++i)
            pnm += static_cast<char>((i * 37) % 251);
        const fs::path source = folder_ / "in.pnm";
        std::ofstream(source, std::ios::binary) << pnm;
        const fs::path jpeg = folder_ / "in.jpg";
        const std::string command =
            "cjpeg " + options + " -outfile '" + jpeg.string() + "' '" + source.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return jpeg;
    }

    // Runs the decode command; returns the exit status and fills `errors` with stderr.
    int Run(const std::string& arguments, std::string& errors) {
        const fs::path errorFile = folder_ / "stderr.txt";
        const std::string command =
            std::string(TESSIVAR_CLI) + " decode " + arguments + " 2>'" + errorFile.string() + "'";
        const int status = std::system(command.c_str());
        std::ifstream in(errorFile);
        errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path folder_;
};

TEST_F(DecodeCommandTest, WritesTheDecodedPictureAsBitmap) {
    for (const bool grey : {false, true}) {
        SCOPED_TRACE(grey);
        const fs::path jpeg = MakeJpeg("-progressive", grey);
        const fs::path bitmap = folder_ / "out.bmp";
        std::string errors;
        ASSERT_EQ(Run("'" + jpeg.string() + "' -o '" + bitmap.string() + "'", errors), 0) << errors;
        EXPECT_EQ(errors, "");

        // The file is exactly our decoder's picture in the bitmap writer's layout.
        const auto data = ReadWholeFile(jpeg.string(), 1 << 30);
        ASSERT_TRUE(data);
        const auto image = DecodeJpeg(*data).value();
        const auto expected = EncodeBitmap24(image.Width(), image.Height(),
                                             [&](int row, std::span<std::uint8_t> bgr) {
                                                 image.CopyRowAsBgr(row, bgr);
                                             })
                                  .value();
        const auto written = ReadWholeFile(bitmap.string(), 1 << 30);
        ASSERT_TRUE(written);
        ASSERT_EQ(*written, expected);
        if (grey) {
            for (std::size_t i = 54; i + 2 < 54 + 21 * 3; i += 3) {
                EXPECT_EQ((*written)[i], (*written)[i + 1]);
                EXPECT_EQ((*written)[i], (*written)[i + 2]);
            }
        }
    }
}

TEST_F(DecodeCommandTest, FailureReportsTheMessageAndWritesNothing) {
    const fs::path jpeg = MakeJpeg("", false);
    auto bytes = *ReadWholeFile(jpeg.string(), 1 << 30);
    bytes.push_back('!'); // data after the end-of-image marker
    ASSERT_TRUE(SaveFileAtomically(jpeg.string(), bytes).ok());
    const fs::path bitmap = folder_ / "out.bmp";
    std::string errors;
    EXPECT_EQ(Run("'" + jpeg.string() + "' -o '" + bitmap.string() + "'", errors), 1);
    EXPECT_NE(errors.find("Extra Data After End of Image Marker"), std::string::npos) << errors;
    EXPECT_FALSE(fs::exists(bitmap));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 3)
        << "only the input picture, its source and the error output";
}

TEST_F(DecodeCommandTest, RefusesBadArguments) {
    const fs::path jpeg = MakeJpeg("", false);
    std::string errors;
    const std::string quoted = "'" + jpeg.string() + "'";
    const std::vector<std::string> badArguments = {"", quoted, "-o x.bmp", "a.jpg b.jpg -o x.bmp",
                                                   quoted + " -o"};
    for (const std::string& arguments : badArguments) {
        EXPECT_EQ(Run(arguments, errors), 2) << arguments;
        EXPECT_NE(errors.find("usage: tessivar-cli decode"), std::string::npos);
    }
    EXPECT_EQ(Run("'" + (folder_ / "missing.jpg").string() + "' -o x.bmp", errors), 1);
    EXPECT_NE(errors.find("cannot read"), std::string::npos);
}

} // namespace
} // namespace tessivar
