#include "core/picture/BitmapWriter.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::uint16_t Read16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// Pixel (x, y) of the test pictures: every byte differs from its neighbours and from 0.
std::uint8_t Channel(int x, int y, int c) {
    return static_cast<std::uint8_t>(1 + x * 3 + c + y * 50);
}

TEST(BitmapWriterTest, HeadersPaddingAndRowOrder) {
    for (int width = 1; width <= 5; ++width) {
        SCOPED_TRACE(width);
        const int height = 3;
        std::vector<std::uint8_t> topDown;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < 3; ++c)
                    topDown.push_back(Channel(x, y, c));
        const auto file = EncodeBitmap24(width, height, topDown).value();

        const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
        ASSERT_EQ(file.size(), 54 + stride * height);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(Read32(file, 2), file.size());
        EXPECT_EQ(Read32(file, 6), 0u); // reserved
        EXPECT_EQ(Read32(file, 10), 54u);
        EXPECT_EQ(Read32(file, 14), 40u);
        EXPECT_EQ(Read32(file, 18), static_cast<std::uint32_t>(width));
        EXPECT_EQ(Read32(file, 22), static_cast<std::uint32_t>(height));
        EXPECT_EQ(Read16(file, 26), 1);
        EXPECT_EQ(Read16(file, 28), 24);
        EXPECT_EQ(Read32(file, 30), 0u); // uncompressed
        EXPECT_EQ(Read32(file, 34), stride * height);
        EXPECT_EQ(Read32(file, 38), 2835u); // 72 dots per inch
        EXPECT_EQ(Read32(file, 42), 2835u);
        EXPECT_EQ(Read32(file, 46), 0u); // no colour table
        EXPECT_EQ(Read32(file, 50), 0u);

        for (int y = 0; y < height; ++y) {
            const std::size_t row = 54 + stride * static_cast<std::size_t>(height - 1 - y);
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < 3; ++c)
                    EXPECT_EQ(file[row + static_cast<std::size_t>(x) * 3 + c], Channel(x, y, c));
            for (std::size_t pad = static_cast<std::size_t>(width) * 3; pad < stride; ++pad)
                EXPECT_EQ(file[row + pad], 0);
        }
    }
}

TEST(BitmapWriterTest, RowSourceSeesEveryRowOnce) {
    std::vector<int> calls;
    const auto file = EncodeBitmap24(2, 4, [&](int row, std::span<std::uint8_t> bgr) {
                          calls.push_back(row);
                          EXPECT_EQ(bgr.size(), 6u);
                          std::fill(bgr.begin(), bgr.end(), static_cast<std::uint8_t>(row + 1));
                      }).value();
    EXPECT_EQ(calls, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(file[54], 4); // the first stored row is the bottom one
    EXPECT_EQ(file[54 + 8 * 3], 1);
}

TEST(BitmapWriterTest, RefusesImpossibleSizes) {
    const auto ignore = [](int, std::span<std::uint8_t>) {};
    EXPECT_FALSE(EncodeBitmap24(0, 1, ignore).ok());
    EXPECT_FALSE(EncodeBitmap24(1, -1, ignore).ok());
    EXPECT_FALSE(EncodeBitmap24(70000, 70000, ignore).ok());
    EXPECT_FALSE(EncodeBitmap24(2, 2, std::vector<std::uint8_t>(11)).ok());
    EXPECT_TRUE(EncodeBitmap24(2, 2, std::vector<std::uint8_t>(12)).ok());
}

} // namespace
} // namespace tessivar
