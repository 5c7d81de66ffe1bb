#pragma once

// Runs a picture reader over a fuzzer's bytes written to a temporary file, reading every
// row and touching every byte of it.

#include "core/files/InputFile.h"
#include "core/picture/PictureReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace tessivar {

template <typename Open>
int FuzzPictureReader(const std::uint8_t* data, std::size_t size, Open open) {
    static const std::string path = [] {
        char name[] = "/tmp/picture_fuzzer_XXXXXX";
        const int fd = ::mkstemp(name);
        if (fd < 0)
            std::abort();
        ::close(fd);
        return std::string(name);
    }();
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr || std::fwrite(data, 1, size, out) != size || std::fclose(out) != 0)
        std::abort();
    auto file = InputFile::Open(path);
    if (!file)
        std::abort();
    auto reader = open(std::move(*file));
    if (!reader)
        return 0;
    // Pictures above 1024 x 1024 pixels are left here to keep each run small.
    const auto& picture = **reader;
    if (static_cast<long long>(picture.Width()) * picture.Height() > 1024 * 1024)
        return 0;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(picture.Width()) * 3);
    unsigned sum = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        if (!(*reader)->ReadRow(row))
            return 0;
        for (const std::uint8_t byte : row)
            sum += byte;
    }
    volatile unsigned sink = sum;
    (void)sink;
    return 0;
}

} // namespace tessivar
