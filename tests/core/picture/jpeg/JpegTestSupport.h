#pragma once

// Helpers shared by the JPEG tests: test pictures, the stored JPEG files with djpeg's
// decoding of each, the cjpeg/djpeg reference tools and byte-level editing of JPEG streams.

#include "../../files/TestFiles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessivar::jpegtest {

using TempFolder = testing::TempDir;
using testing::ReadBytes;
using testing::WriteBytes;

struct Picture {
    int width = 0;
    int height = 0;
    int channels = 3; // 1 = grey, 3 = RGB
    std::vector<std::uint8_t> samples;
};

// A photo-like picture: smooth gradients, a repeating texture, hard edges and noise.
Picture MakePicture(int width, int height, int channels, unsigned seed);

// A JPEG file of tests/data/jpeg/ and, for one our decoder accepts, djpeg's decoding of it
// (NAME.ppm or NAME.pgm beside it).
std::vector<std::uint8_t> StoredJpeg(const std::string& name);
std::optional<Picture> StoredReference(const std::string& name);

bool ReferenceToolsAvailable();

// Writes `picture` as PPM/PGM and encodes it with cjpeg `options`; nullopt if cjpeg fails.
std::optional<std::vector<std::uint8_t>>
EncodeWithCjpeg(const TempFolder& folder, const Picture& picture, const std::string& options);
// Decodes with djpeg (integer transform, no fancy upsampling); nullopt if djpeg fails.
std::optional<Picture> DecodeWithDjpeg(const TempFolder& folder,
                                       const std::vector<std::uint8_t>& jpeg);
// A binary PPM or PGM file; nullopt if it is not one.
std::optional<Picture> ParsePnm(const std::vector<std::uint8_t>& bytes);

// Offset of the first marker segment `marker` (the 0xFF byte), or npos.
std::size_t FindSegment(const std::vector<std::uint8_t>& jpeg, std::uint8_t marker);

} // namespace tessivar::jpegtest
