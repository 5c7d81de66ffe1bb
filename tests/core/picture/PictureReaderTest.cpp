#include "core/picture/PictureFile.h"
#include "core/picture/PngReader.h"

#include "../files/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sys/stat.h>

namespace tessivar::testing {
namespace {

namespace fs = std::filesystem;

std::string dataFile(const std::string& name) {
    return testing::DataPath("pictures/" + name);
}

// One row of blue, green, red bytes as "RRGGBB ...".
std::string describeRow(std::span<const std::uint8_t> row) {
    std::string text;
    for (std::size_t x = 0; x < row.size(); x += 3) {
        char pixel[8];
        std::snprintf(pixel, sizeof pixel, "%s%02X%02X%02X", x > 0 ? " " : "", row[x + 2],
                      row[x + 1], row[x]);
        text += pixel;
    }
    return text;
}

// The picture's rows read one by one, separated by " / ", or its refusal.
std::string describe(const std::string& path) {
    auto reader = OpenPicture(path);
    if (!reader)
        return "refused: " + reader.error();
    std::string text;
    std::vector<std::uint8_t> row(static_cast<std::size_t>((*reader)->Width()) * 3);
    for (int y = 0; y < (*reader)->Height(); ++y) {
        if (const Status read = (*reader)->ReadRow(row); !read)
            return "refused: " + read.error();
        text += (y > 0 ? " / " : "") + describeRow(row);
    }
    return text;
}

TEST(PictureReaders, EveryVariantGivesTheStatedPixels) {
    std::ifstream list(dataFile("pixels.txt"));
    int pictures = 0;
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto colon = line.find(": ");
        const std::string name = line.substr(0, colon);
        EXPECT_EQ(describe(dataFile(name)), line.substr(colon + 2)) << name;
        // The whole picture at once gives the same rows.
        const auto whole = ReadPicture(dataFile(name));
        ASSERT_TRUE(whole.ok()) << name << ": " << whole.error();
        std::string rows;
        for (int y = 0; y < whole->Height(); ++y)
            rows += (y > 0 ? " / " : "") + describeRow(whole->Row(y));
        EXPECT_EQ(rows, line.substr(colon + 2)) << name;
        // Passing over the first row leaves the others as they are.
        if (whole->Height() > 1) {
            auto reader = OpenPicture(dataFile(name));
            ASSERT_TRUE(reader && (*reader)->SkipRow()) << name;
            std::vector<std::uint8_t> row(static_cast<std::size_t>(whole->Width()) * 3);
            std::string rest;
            for (int y = 1; y < whole->Height(); ++y) {
                ASSERT_TRUE((*reader)->ReadRow(row)) << name;
                rest += " / " + describeRow(row);
            }
            EXPECT_EQ(rows.substr(rows.find(" / ")), rest) << name;
        }
        ++pictures;
    }
    EXPECT_EQ(pictures, 23);
}

TEST(PictureReaders, DamagedFilesAreRefusedWithTheirReason) {
    const struct {
        const char* base;
        std::size_t keep; // the file's new size (zeros appended past its end), 0 to keep it
        std::vector<std::pair<std::size_t, std::uint8_t>> patches;
        const char* message;
    } cases[] = {
        {"info-24bit.bmp",
         74,
         {},
         "The pixel data ends after 1 of 3 rows (the file has 74 bytes, "
         "the rows need 102)"},
        {"info-24bit.bmp",
         0,
         {{10, 0xE8}, {11, 3}},
         "The pixel data offset 1000 lies past the end of the file (102 bytes)"},
        {"info-24bit.bmp", 0, {{18, 0}}, "The picture has no pixels"},
        {"info-24bit.bmp", 0, {{22, 0}}, "The picture has no pixels"},
        {"info-24bit.bmp",
         0,
         {{18, 1}, {19, 0x40}},
         "The picture is 16385 x 3 pixels; pictures larger than 16384 x 16384 cannot be imported"},
        {"info-24bit.bmp", 0, {{30, 9}}, "The bitmap uses an unknown compression (9)"},
        {"info-24bit.bmp", 0, {{30, 1}}, "RLE8 compression needs 8 bits a pixel, not 24"},
        {"info-24bit.bmp",
         0,
         {{28, 7}},
         "The bitmap has 7 bits a pixel; 1, 4, 8, 16, 24 and 32 "
         "can be read"},
        {"info-24bit.bmp", 0, {{14, 64}}, "The bitmap header has an unknown size of 64 bytes"},
        {"info-24bit.bmp",
         0,
         {{0, 'P'}},
         "It is not a Windows bitmap (it does not start with "
         "\"BM\")"},
        {"info-24bit.bmp", 30, {}, "The file ends inside the bitmap header"},
        {"info-4bit.bmp", 60, {}, "The file ends inside the bitmap's palette"},
        {"info-16bit-565-masks.bmp", 60, {}, "The file ends inside the bitmap's bit masks"},
        {"v4-16bit-565.bmp",
         0,
         {{54, 1}},
         "The bitmap's red mask 0x0000F801 is not one run of bits within the pixel"},
        {"info-rle8.bmp", 0, {{74, 9}}, "An RLE run passes the end of row 2 at byte 74"},
        {"info-rle8.bmp", 0, {{77, 8}}, "An RLE run passes the end of row 2 at byte 76"},
        {"info-rle8.bmp", 0, {{85, 3}}, "An RLE delta moves past the picture at byte 82"},
        {"info-rle8.bmp", 0, {{84, 5}}, "An RLE delta moves past the picture at byte 82"},
        {"info-rle8.bmp",
         0,
         {{89, 2}, {90, 0}, {91, 2}},
         "An RLE delta moves past the picture at byte 88"},
        {"info-rle8.bmp", 92, {}, "The RLE data ends at byte 92 before its end-of-bitmap code"},
        {"info-rle8.bmp", 96, {{93, 0}}, "RLE codes go on past the last row at byte 94"},
        {"info-rle8.bmp",
         0,
         {{75, 5}},
         "Pixel 0 of row 2 uses palette entry 5, past the 5 "
         "entries of the palette"},
        {"info-rle4.bmp",
         0,
         {{75, 0x90}},
         "Pixel 0 of row 2 uses palette entry 9, past the 5 "
         "entries of the palette"},
        {"info-8bit-top-down.bmp",
         0,
         {{75, 7}},
         "Pixel 1 of row 0 uses palette entry 7, past "
         "the 5 entries of the palette"},
        {"info-4bit.bmp",
         0,
         {{46, 2}},
         "Pixel 1 of row 0 uses palette entry 2, past the 2 "
         "entries of the palette"},
        {"rgb-8.png",
         0,
         {{29, 0}, {30, 0}, {31, 0}, {32, 0}},
         "Cannot read the PNG picture: IHDR: CRC error"},
        {"rgb-8.png", 50, {}, "Cannot read the PNG picture: the file ends before the picture does"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        auto bytes = ReadBytes(dataFile(c.base));
        if (c.keep != 0)
            bytes.resize(c.keep);
        for (const auto& [offset, value] : c.patches)
            bytes[offset] = value;
        const std::string path = dir.file(c.base);
        WriteBytes(path, bytes);
        const std::string first = describe(path);
        EXPECT_EQ(first, "refused: " + std::string(c.message)) << c.base;
        // The same input gives the same refusal again.
        EXPECT_EQ(describe(path), first);
    }
}

// Variations the writers of bitmaps produce, made by patching a stored file: each reads
// as stated, or as the file it was made from when no pixels are stated.
TEST(PictureReaders, PatchedVariationsStillRead) {
    const struct {
        const char* base;
        std::vector<std::pair<std::size_t, std::uint8_t>> patches;
        const char* pixels;
    } cases[] = {
        // A delta along its row leaves pixel 0 unset; the run after it fills the rest and
        // goes on into the padding, so the pixel after the next delta lands there too.
        {"info-rle8.bmp",
         {{74, 0}, {75, 2}, {76, 1}, {77, 0}, {78, 4}, {79, 1}},
         "FF0000 FF0000 000000 000000 000000 / 000000 000000 000000 000000 000000 / "
         "000000 FFFFFF FFFFFF FFFFFF FFFFFF"},
        // The shorter headers with bit masks inside them.
        {"v4-16bit-565.bmp", {{14, 52}}, nullptr},
        {"v4-16bit-565.bmp", {{14, 56}}, nullptr},
    };
    TempDir dir;
    for (const auto& c : cases) {
        auto bytes = ReadBytes(dataFile(c.base));
        for (const auto& [offset, value] : c.patches)
            bytes[offset] = value;
        const std::string path = dir.file(c.base);
        WriteBytes(path, bytes);
        EXPECT_EQ(c.pixels ? c.pixels : describe(dataFile(c.base)), describe(path)) << c.base;
    }
}

TEST(PictureReaders, TheKindIsToldByTheFirstBytes) {
    TempDir dir;
    const std::string jpeg = std::string(TESSIVAR_SOURCE_DIR) + "/fuzz/corpus/jpeg_fuzzer/tiny.jpg";
    const struct {
        std::string source;
        std::string name;
        bool read;
    } cases[] = {
        {dataFile("rgb-8.png"), "PICTURE.BMP", true},
        {dataFile("info-24bit.bmp"), "picture.PNG", true},
        {jpeg, "photo.jpeg", true},
        {dataFile("info-24bit.bmp"), "photo.jpg", false}, // ".jpg" is always decoded as JPEG
    };
    for (const auto& c : cases) {
        fs::copy_file(c.source, dir.file(c.name));
        const auto picture = ReadPicture(dir.file(c.name));
        EXPECT_EQ(picture.ok(), c.read) << c.name << ": " << picture.error();
    }
    EXPECT_EQ(ReadPicture(dir.file("photo.jpg")).error(), "Missing SOI Marker");
    ASSERT_EQ(::mkfifo(dir.file("pipe.bmp").c_str(), 0600), 0);
    EXPECT_EQ(ReadPicture(dir.file("pipe.bmp")).error(), "It is not a regular file");
}

TEST(PictureReaders, PalettePngGivesItsIndexes) {
    auto file = InputFile::Open(dataFile("palette-2-trns.png"));
    ASSERT_TRUE(file.ok());
    auto reader = PngReader::Open(std::move(*file), PngReader::Rows::Indexes);
    ASSERT_TRUE(reader.ok()) << reader.error();
    EXPECT_EQ((*reader)->Palette().size(), 4u);
    std::vector<std::uint8_t> row(5);
    ASSERT_TRUE((*reader)->ReadIndexRow(row).ok());
    EXPECT_EQ(row, (std::vector<std::uint8_t>{0, 1, 2, 3, 0}));
}

} // namespace
} // namespace tessivar::testing
