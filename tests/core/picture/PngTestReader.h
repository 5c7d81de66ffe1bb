#pragma once

// An independent reading of PNG files for tests, straight through libpng: the header's
// facts, the palette and the samples (one byte a palette index, three a colour pixel).

#include "../files/TestFiles.h"

#include <png.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csetjmp>
#include <string>
#include <vector>

namespace tessivar::testing {

struct DecodedPng {
    int width = 0, height = 0, bitDepth = 0, colorType = -1;
    std::vector<std::uint32_t> palette; // 0xRRGGBB
    std::vector<std::uint8_t> samples;
    // 0xRRGGBB of pixel (x, y), through the palette for an indexed picture.
    std::uint32_t color(int x, int y) const {
        const std::size_t at = static_cast<std::size_t>(y) * width + x;
        if (colorType == PNG_COLOR_TYPE_PALETTE)
            return palette.at(samples[at]);
        return std::uint32_t{samples[at * 3]} << 16 | samples[at * 3 + 1] << 8 |
               samples[at * 3 + 2];
    }
};

struct PngBytes {
    std::vector<std::uint8_t> bytes;
    std::size_t at = 0;
    static void read(png_structp png, png_bytep out, png_size_t length) {
        auto* self = static_cast<PngBytes*>(png_get_io_ptr(png));
        if (length > self->bytes.size() - self->at)
            png_error(png, "truncated");
        std::copy_n(self->bytes.data() + self->at, length, out);
        self->at += length;
    }
};

// Empty (colorType -1) when libpng refuses the file.
inline DecodedPng DecodePng(const std::string& path) {
    DecodedPng result;
    PngBytes input{ReadBytes(path)};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return DecodedPng{};
    }
    png_set_read_fn(png, &input, PngBytes::read);
    png_read_info(png, info);
    result.width = static_cast<int>(png_get_image_width(png, info));
    result.height = static_cast<int>(png_get_image_height(png, info));
    result.bitDepth = png_get_bit_depth(png, info);
    result.colorType = png_get_color_type(png, info);
    png_colorp entries = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &entries, &count))
        for (int i = 0; i < count; ++i)
            result.palette.push_back(std::uint32_t{entries[i].red} << 16 |
                                     std::uint32_t{entries[i].green} << 8 | entries[i].blue);
    png_set_packing(png);
    png_read_update_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    result.samples.resize(rowBytes * static_cast<std::size_t>(result.height));
    for (int y = 0; y < result.height; ++y)
        png_read_row(png, &result.samples[rowBytes * static_cast<std::size_t>(y)], nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return result;
}

} // namespace tessivar::testing
