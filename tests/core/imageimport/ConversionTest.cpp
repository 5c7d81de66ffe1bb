#include "core/imageimport/ImportSize.h"
#include "core/imageimport/PictureConversion.h"
#include "core/imageimport/PixelQuantizer.h"
#include "core/picture/GraphicsExceptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessivar {
namespace {

TEST(ImportSize, DefaultSizeShrinksToFitThenRoundsUp) {
    const struct {
        int w, h;
        ImportSize expected;
    } cases[] = {{320, 240, {160, 120}}, {100, 50, {104, 56}}, {1000, 1, {160, 0}},
                 {160, 144, {160, 144}}, {1, 1, {8, 8}},       {16384, 16384, {144, 144}},
                 {200, 100, {160, 80}}};
    for (const auto& c : cases)
        EXPECT_EQ(DefaultImportSize(c.w, c.h), c.expected) << c.w << " x " << c.h;
}

TEST(ImportSize, ValidityRule) {
    const struct {
        int w, h, dither;
        bool valid;
    } cases[] = {{8, 8, 0, true},     {16384, 16384, 100, true}, {160, 0, 20, false},
                 {0, 144, 20, false}, {16392, 8, 20, false},     {12, 8, 20, false},
                 {8, 12, 20, false},  {160, 144, -1, false},     {160, 144, 101, false}};
    for (const auto& c : cases)
        EXPECT_EQ(ImportSettingsValid({c.w, c.h}, c.dither), c.valid)
            << c.w << " x " << c.h << " dither " << c.dither;
}

TEST(PixelQuantizer, GreyIsTheTruncatedWeightedSumLessOneOnWholeNumbers) {
    const struct {
        int r, g, b, grey;
    } cases[] = {{128, 128, 128, 127}, {255, 255, 255, 247}, {0, 0, 0, 0},     {255, 0, 0, 74},
                 {150, 150, 150, 143}, {0, 0, 7, 0},         {0, 255, 0, 145}, {0, 0, 255, 28},
                 {8, 0, 0, 2},         {0, 0, 88, 10},       {0, 0, 96, 10},   {0, 104, 0, 61},
                 {0, 80, 0, 46},       {104, 0, 0, 31},      {224, 0, 0, 66}};
    for (const auto& c : cases)
        EXPECT_EQ(PixelGrey(c.r, c.g, c.b), c.grey) << c.r << "," << c.g << "," << c.b;
}

TEST(PixelQuantizer, SequencesOfIndexAndCarriedError) {
    const struct {
        int channel, dither;
        bool grayscale;
        std::vector<int> indices, errors;
    } cases[] = {
        {128, 100, false, {3, 0, 0, 3, 0, 3}, {127, 6, -115, 12, -109, 18}},
        {150, 0, true, {1, 1, 1}, {0, 0, 0}},
        {255, 0, true, {0, 0}, {0, 0}},
        {0, 100, true, {3, 3}, {0, 0}},
        // 247 against white 248: the error creeps down by one until a darker level wins.
        {255, 100, true, {0, 0, 0}, {-1, -2, -3}},
        {128, 50, true, {1, 1, 1}, {0, 0, 0}},
        {100, 50, true, {2, 1, 2, 1}, {15, -1, 14, -2}},
    };
    for (const auto& c : cases) {
        PixelQuantizer quantizer(c.dither, c.grayscale);
        for (std::size_t k = 0; k < c.indices.size(); ++k) {
            EXPECT_EQ(quantizer.Quantize(c.channel, c.channel, c.channel), c.indices[k])
                << "grey " << c.channel << " pixel " << k;
            EXPECT_EQ(quantizer.Error(), c.errors[k]) << "grey " << c.channel << " pixel " << k;
        }
    }
}

TEST(PixelQuantizer, ColourPixels) {
    PixelQuantizer grey(0, true);
    PixelQuantizer blackAndWhite(0, false);
    EXPECT_EQ(grey.Quantize(255, 0, 0), 2);
    EXPECT_EQ(blackAndWhite.Quantize(255, 0, 0), 3);
    EXPECT_EQ(grey.Quantize(0, 255, 0), 1);
    EXPECT_EQ(blackAndWhite.Quantize(0, 255, 0), 0);
}

BitmapImage greyPicture(int width, int height, int bitCount, int grey) {
    BitmapImage image;
    image.SetSize(width, height, bitCount);
    for (int y = 0; y < height; ++y)
        for (auto& byte : image.Row(y))
            byte = static_cast<std::uint8_t>(grey);
    return image;
}

TEST(PictureConversion, OneErrorAccumulatorRunsAcrossRows) {
    for (int bitCount : {8, 24}) {
        const BitmapImage source = greyPicture(8, 2, bitCount, 128);
        const auto converted = ConvertPicture(source, {{8, 16}, 100, false});
        ASSERT_TRUE(converted.ok());
        PixelQuantizer reference(100, false);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(converted->At(x, y), reference.Quantize(128, 128, 128))
                    << bitCount << " bits, " << x << "," << y;
    }
}

TEST(PictureConversion, NearestNeighbourScalingAndChannelOrder) {
    // A 2 x 2 picture: blue-green-red bytes, white and black columns, a red bottom right.
    BitmapImage source;
    source.SetSize(2, 2, 24);
    const std::uint8_t rows[2][6] = {{255, 255, 255, 0, 0, 0}, {255, 255, 255, 0, 0, 255}};
    for (int y = 0; y < 2; ++y)
        std::copy(rows[y], rows[y] + 6, source.Row(y).begin());
    const BitmapImage& shown = source;
    for (const int outside : {-1, 2}) {
        EXPECT_THROW(source.Row(outside), ESubscriptOutOfRange) << outside;
        EXPECT_THROW(shown.Row(outside), ESubscriptOutOfRange) << outside;
    }
    const auto converted = ConvertPicture(source, {{16, 8}, 0, true});
    ASSERT_TRUE(converted.ok());
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            const int expected = x < 8 ? 0 : (y < 4 ? 3 : 2);
            ASSERT_EQ(converted->At(x, y), expected) << x << "," << y;
        }
}

TEST(PictureConversion, RefusesInvalidSettings) {
    const BitmapImage source = greyPicture(8, 8, 24, 0);
    EXPECT_EQ(ConvertPicture(source, {{160, 0}, 20, true}).error(), kInvalidImportSettings);
    EXPECT_EQ(ConvertPicture(source, {{8, 8}, 101, true}).error(), kInvalidImportSettings);
    EXPECT_FALSE(ConvertPicture(BitmapImage{}, {{8, 8}, 20, true}).ok());
    BitmapImage noColumns;
    noColumns.SetSize(0, 4, 24);
    EXPECT_FALSE(ConvertPicture(noColumns, {{8, 8}, 20, true}).ok());
}

} // namespace
} // namespace tessivar
