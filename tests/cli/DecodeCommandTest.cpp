#include "CliRunner.h"

#include "core/files/FileIo.h"
#include "core/picture/BitmapWriter.h"
#include "core/picture/DecodeJpeg.h"

#include <filesystem>

namespace tessivar {
namespace {

class DecodeCommand : public Cli {
protected:
    // A stored JPEG file (tests/data/jpeg/) copied into the test folder; returns its path.
    std::string copyJpeg(const std::string& name) {
        return write("in.jpg", testing::ReadData("jpeg/" + name + ".jpg"));
    }
};

TEST_F(DecodeCommand, WritesTheDecodedPictureAsBitmap) {
    // Progressive rows come after the last scan, sequential ones as each MCU row is done.
    for (const char* name : {"progressive", "progressive-grey", "baseline", "grey"}) {
        SCOPED_TRACE(name);
        const std::string jpeg = copyJpeg(name);
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
    const std::string jpeg = copyJpeg("baseline");
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
    EXPECT_EQ(testing::CountEntries(dir.path()), 2)
        << "only the input picture and the error output";
}

} // namespace
} // namespace tessivar
