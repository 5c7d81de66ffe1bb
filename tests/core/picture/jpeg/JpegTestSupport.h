#pragma once

// Helpers shared by the JPEG tests: test pictures, the cjpeg/djpeg reference tools and
// byte-level editing of JPEG streams.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessivar::jpegtest {

struct Picture {
    int width = 0;
    int height = 0;
    int channels = 3; // 1 = grey, 3 = RGB
    std::vector<std::uint8_t> samples;
};

// A photo-like picture: smooth gradients, a repeating texture, hard edges and noise.
Picture MakePicture(int width, int height, int channels, unsigned seed);

bool ReferenceToolsAvailable();

// A fresh folder under the system temporary folder, removed by the destructor.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::filesystem::path Path(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Writes `picture` as PPM/PGM and encodes it with cjpeg `options`; nullopt if cjpeg fails.
std::optional<std::vector<std::uint8_t>>
EncodeWithCjpeg(const TempFolder& folder, const Picture& picture, const std::string& options);
// Decodes with djpeg (integer transform, no fancy upsampling); nullopt if djpeg fails.
std::optional<Picture> DecodeWithDjpeg(const TempFolder& folder,
                                       const std::vector<std::uint8_t>& jpeg);

// Offset of the first marker segment `marker` (the 0xFF byte), or npos.
std::size_t FindSegment(const std::vector<std::uint8_t>& jpeg, std::uint8_t marker);

} // namespace tessivar::jpegtest
