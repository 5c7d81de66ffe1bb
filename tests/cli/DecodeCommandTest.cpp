#include "CliRunner.h"

#include "core/files/FileIo.h"
#include "core/picture/BitmapWriter.h"
#include "core/picture/DecodeJpeg.h"

#include <cstdlib>
#include <filesystem>

namespace tessivar {
namespace {

class DecodeCommand : public Cli {
protected:
    void SetUp() override {
        if (std::system("command -v cjpeg >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "cjpeg (libjpeg-turbo-progs) not installed";
    }
    // A small picture encoded by cjpeg with `options`; returns the JPEG's path.
    std::string MakeJpeg(const std::string& options, bool grey) {
        const int width = 21;
        const int height = 37;
        const std::string header = (grey ? "P5\n" : "P6\n") + std::to_string(width) + " " +
                                   std::to_string(height) + "\n255\n";
        std::vector<std::uint8_t> pnm(header.begin(), header.end());
        for (int i = 0; i < width * height * (grey ? 1 : 3); ++i)
            pnm.push_back(static_cast<std::uint8_t>((i * 37) % 251));
        const std::string source = write("in.pnm", pnm);
        const std::string jpeg = dir.file("in.jpg");
        const std::string command =
            "cjpeg " + options + " -outfile " + quoted(jpeg) + " " + quoted(source);
        EXPECT_EQ(std::system(command.c_str()), 0);
        return jpeg;
    }
};

TEST_F(DecodeCommand, WritesTheDecodedPictureAsBitmap) {
    // Progressive rows come after the last scan, sequential ones as each MCU row is done.
    for (const char* options : {"-progressive", "-sample 2x2"})
        for (const bool grey : {false, true}) {
            SCOPED_TRACE(std::string(options) + (grey ? " grey" : " colour"));
            const std::string jpeg = MakeJpeg(options, grey);
            const std::string bitmap = dir.file("out.bmp");
            const auto r = run({"decode", jpeg, "-o", bitmap});
            ASSERT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.err, "");

            // The file is exactly our decoder's picture, rows stored from the top as they are
            // decoded.
            const auto image = DecodeJpeg(*ReadWholeFile(jpeg, 1 << 30)).value();
            const auto header = MakeBitmap24Header(image.Width(), image.Height(), true).value();
            std::vector<std::uint8_t> expected(header.begin(), header.end());
            std::vector<std::uint8_t> row(Bitmap24Stride(image.Width()));
            for (int y = 0; y < image.Height(); ++y) {
                image.CopyRowAsBgr(y, row);
                expected.insert(expected.end(), row.begin(), row.end());
            }
            EXPECT_EQ(testing::ReadBytes(bitmap), expected);
        }
}

TEST_F(DecodeCommand, FailuresReportTheirReasonAndWriteNothing) {
    const std::string jpeg = MakeJpeg("", false);
    const std::string bitmap = dir.file("out.bmp");
    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{"decode"}, 2, "usage: tessivar-cli decode"},
        {{"decode", jpeg}, 2, "usage: tessivar-cli decode"},
        {{"decode", "-o", bitmap}, 2, "usage: tessivar-cli decode"},
        {{"decode", "a.jpg", "b.jpg", "-o", bitmap}, 2, "usage: tessivar-cli decode"},
        {{"decode", jpeg, "-o"}, 2, "usage: tessivar-cli decode"},
        {{"decode", dir.file("missing.jpg"), "-o", bitmap}, 1, "cannot read"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.size());
        const auto r = run(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    auto bytes = testing::ReadBytes(jpeg);
    bytes.push_back('!'); // data after the end-of-image marker
    write("in.jpg", bytes);
    const auto r = run({"decode", jpeg, "-o", bitmap});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Extra Data After End of Image Marker"), std::string::npos) << r.err;
    EXPECT_EQ(testing::CountEntries(dir.path()), 3)
        << "only the input picture, its source and the error output";
}

} // namespace
} // namespace tessivar
