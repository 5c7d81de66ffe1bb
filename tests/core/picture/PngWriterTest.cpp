// The PNG writer, read back through libpng: every bit depth and RGB, widths that leave
// part of a byte, rows given one at a time or all at once, pictures large enough to be
// compressed in two halves at once, and what it refuses.

#include "core/picture/PngWriter.h"
#include "../files/TestFiles.h"
#include "PngTestReader.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

TEST(PngWriter, PicturesReadBackAsWritten) {
    struct Case {
        int width, height, bitDepth, colors; // colors 0: RGB
        int rowsAtOnce;
    } cases[] = {
        {1, 1, 1, 1, 1},      {13, 3, 1, 2, 1},       {5, 4, 2, 3, 2},
        {7, 2, 4, 16, 1},     {3, 5, 8, 200, 5},      {9, 3, 0, 0, 1},
        {700, 450, 8, 32, 8}, {1000, 600, 2, 4, 600}, {300, 400, 0, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " depth " +
                     std::to_string(c.bitDepth));
        testing::TempDir dir;
        const std::string path = dir.file("p.png");
        std::vector<Rgb> palette;
        for (int i = 0; i < c.colors; ++i)
            palette.push_back({i, 255 - i, i * 7 % 256});
        const int channels = c.colors ? 1 : 3;
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(c.width) * c.height * channels);
        for (std::size_t i = 0; i < pixels.size(); ++i) // rows repeat, with a change now and then
            pixels[i] =
                static_cast<std::uint8_t>((i % 37 + i / 5003) % (c.colors ? c.colors : 256));
        auto file = AtomicFile::Open(path);
        ASSERT_TRUE(file.ok());
        auto png = c.colors ? PngWriter::StartIndexed(*file, c.width, c.height, palette, c.bitDepth)
                            : PngWriter::Start(*file, c.width, c.height);
        ASSERT_TRUE(png.ok()) << png.error();
        const std::size_t strip = (*png)->RowBytes() * static_cast<std::size_t>(c.rowsAtOnce);
        for (std::size_t at = 0; at < pixels.size(); at += strip)
            ASSERT_TRUE(
                (*png)
                    ->WriteRows(std::span(pixels).subspan(at, std::min(strip, pixels.size() - at)))
                    .ok());
        ASSERT_TRUE((*png)->Finish().ok());
        ASSERT_TRUE(file->Commit().ok());

        const testing::DecodedPng read = testing::DecodePng(path);
        EXPECT_EQ(read.width, c.width);
        EXPECT_EQ(read.height, c.height);
        EXPECT_EQ(read.bitDepth, c.colors ? c.bitDepth : 8);
        EXPECT_EQ(read.colorType, c.colors ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB);
        EXPECT_EQ(read.palette.size(), palette.size());
        if (!palette.empty()) {
            EXPECT_EQ(read.palette.back(),
                      static_cast<std::uint32_t>(palette.back().Red << 16 |
                                                 palette.back().Green << 8 | palette.back().Blue));
        }
        EXPECT_TRUE(read.samples == pixels);
    }
}

TEST(PngWriter, RefusesWhatItCannotWrite) {
    testing::TempDir dir;
    auto file = AtomicFile::Open(dir.file("p.png"));
    ASSERT_TRUE(file.ok());
    const std::vector<Rgb> four(4), five(5);
    EXPECT_FALSE(PngWriter::StartIndexed(*file, 4, 4, five, 2).ok());
    EXPECT_FALSE(PngWriter::StartIndexed(*file, 4, 4, {}, 8).ok());
    EXPECT_FALSE(PngWriter::StartIndexed(*file, 4, 4, four, 3).ok());
    EXPECT_FALSE(PngWriter::StartIndexed(*file, 0, 4, four, 2).ok());
    EXPECT_FALSE(PngWriter::Start(*file, 4, 0).ok());
    auto png = PngWriter::StartIndexed(*file, 4, 2, std::span(four).first(3), 2);
    ASSERT_TRUE(png.ok());
    EXPECT_FALSE((*png)->AddText(std::string(80, 'k'), "x").ok()); // a keyword is 1 to 79
    EXPECT_FALSE((*png)->AddText("", "x").ok());
    EXPECT_FALSE((*png)->AddText(std::string("a\0b", 3), "x").ok());
    EXPECT_TRUE((*png)->AddText(std::string(79, 'k'), "x").ok());
    EXPECT_FALSE((*png)->WriteRow(std::vector<std::uint8_t>{0, 1, 2}).ok());    // short row
    EXPECT_FALSE((*png)->WriteRow(std::vector<std::uint8_t>{0, 1, 2, 3}).ok()); // past the palette
    EXPECT_TRUE((*png)->WriteRow(std::vector<std::uint8_t>{0, 1, 2, 2}).ok());
    EXPECT_FALSE((*png)->Finish().ok());                                   // a row is missing
    EXPECT_FALSE((*png)->WriteRows(std::vector<std::uint8_t>(8, 0)).ok()); // one row too many
    EXPECT_TRUE((*png)->WriteRow(std::vector<std::uint8_t>{2, 2, 1, 0}).ok());
    EXPECT_TRUE((*png)->Finish().ok());
}

TEST(PngWriter, SmallestBitDepthForEachCount) {
    const int depths[][2] = {{1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 4}, {16, 4}, {17, 8}, {256, 8}};
    for (const auto& [colors, depth] : depths)
        EXPECT_EQ(SmallestPngBitDepth(colors), depth) << colors;
}

} // namespace
} // namespace tessivar
