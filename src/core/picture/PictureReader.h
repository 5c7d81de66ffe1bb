#pragma once

#include "core/util/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessivar {

// What reading, converting or importing a picture says when memory runs out.
inline constexpr const char* kPictureOutOfMemory = "Not enough memory for this picture";

// Pictures larger than this either way are refused before their pixels are read.
constexpr int kLargestPictureSide = 16384;

// A picture read one row at a time from the top, so that a caller holds only the rows it
// needs. Readers check what they can before the first row is asked for; a failure while
// reading a row is final and later rows are refused too.
class PictureReader {
public:
    virtual ~PictureReader() = default;

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Fills `bgr` (3 x Width() bytes: blue, green, red) with the next row from the top.
    virtual Status ReadRow(std::span<std::uint8_t> bgr) = 0;
    // Passes over the next row; readers that need not decode it to go on do not.
    virtual Status SkipRow();

protected:
    int width_ = 0;
    int height_ = 0;

private:
    std::vector<std::uint8_t> skipped_;
};

} // namespace tessivar

namespace tessivar {

// Refuses a picture of the given size when it is empty or above the limit.
Status CheckPictureSize(long long width, long long height);

} // namespace tessivar
