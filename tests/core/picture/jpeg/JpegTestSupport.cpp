#include "JpegTestSupport.h"

#include <cmath>
#include <cstdlib>

namespace tessivar::jpegtest {

Picture MakePicture(int width, int height, int channels, unsigned seed) {
    Picture picture{width, height, channels, {}};
    picture.samples.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                           static_cast<std::size_t>(channels));
    std::uint32_t state = seed * 2654435761u + 1;
    std::size_t i = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) {
                state = state * 1664525u + 1013904223u;
                const double noise = static_cast<double>(state >> 24) / 255.0 * 16.0 - 8.0;
                double value = 128.0 + 70.0 * std::sin((x + 40.0 * c) / (17.0 + 9.0 * c)) +
                               40.0 * std::cos((y - x * c) / 23.0) + noise;
                if (((x / 13) + (y / 11) + c) % 5 == 0)
                    value = 255.0 - value; // hard edges
                picture.samples[i++] =
                    static_cast<std::uint8_t>(std::lround(std::fmin(255.0, std::fmax(0.0, value))));
            }
        }
    }
    return picture;
}

std::vector<std::uint8_t> StoredJpeg(const std::string& name) {
    return testing::ReadData("jpeg/" + name + ".jpg");
}

std::optional<Picture> StoredReference(const std::string& name) {
    for (const char* extension : {".ppm", ".pgm"})
        if (auto bytes = testing::ReadData("jpeg/" + name + extension); !bytes.empty())
            return ParsePnm(bytes);
    return std::nullopt;
}

bool ReferenceToolsAvailable() {
    return std::system("command -v cjpeg >/dev/null 2>&1 && command -v djpeg >/dev/null 2>&1") == 0;
}

std::optional<std::vector<std::uint8_t>>
EncodeWithCjpeg(const TempFolder& folder, const Picture& picture, const std::string& options) {
    const auto source = folder.file(picture.channels == 1 ? "in.pgm" : "in.ppm");
    const auto target = folder.file("out.jpg");
    std::string header = (picture.channels == 1 ? "P5\n" : "P6\n") + std::to_string(picture.width) +
                         " " + std::to_string(picture.height) + "\n255\n";
    std::vector<std::uint8_t> file(header.begin(), header.end());
    file.insert(file.end(), picture.samples.begin(), picture.samples.end());
    WriteBytes(source, file);
    const std::string command =
        "cjpeg " + options + " -outfile '" + target + "' '" + source + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0)
        return std::nullopt;
    return ReadBytes(target);
}

std::optional<Picture> DecodeWithDjpeg(const TempFolder& folder,
                                       const std::vector<std::uint8_t>& jpeg) {
    const auto source = folder.file("ref.jpg");
    const auto target = folder.file("ref.pnm");
    WriteBytes(source, jpeg);
    const std::string command =
        "djpeg -nosmooth -dct int -pnm -outfile '" + target + "' '" + source + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0)
        return std::nullopt;
    return ParsePnm(ReadBytes(target));
}

std::optional<Picture> ParsePnm(const std::vector<std::uint8_t>& bytes) {
    // Header: magic, width, height, maximum value, each followed by one whitespace byte.
    std::size_t position = 0;
    auto nextToken = [&] {
        while (position < bytes.size() && std::isspace(bytes[position]))
            ++position;
        std::string token;
        while (position < bytes.size() && !std::isspace(bytes[position]))
            token += static_cast<char>(bytes[position++]);
        return token;
    };
    const std::string magic = nextToken();
    if (magic != "P5" && magic != "P6")
        return std::nullopt;
    Picture picture;
    picture.channels = magic == "P5" ? 1 : 3;
    picture.width = std::stoi(nextToken());
    picture.height = std::stoi(nextToken());
    nextToken();
    ++position;
    picture.samples.assign(bytes.begin() + static_cast<std::ptrdiff_t>(position), bytes.end());
    if (picture.samples.size() != static_cast<std::size_t>(picture.width) *
                                      static_cast<std::size_t>(picture.height) *
                                      static_cast<std::size_t>(picture.channels))
        return std::nullopt;
    return picture;
}

std::size_t FindSegment(const std::vector<std::uint8_t>& jpeg, std::uint8_t marker) {
    std::size_t position = 2; // after SOI
    while (position + 4 <= jpeg.size() && jpeg[position] == 0xFF) {
        if (jpeg[position + 1] == marker)
            return position;
        if (jpeg[position + 1] == 0xDA || jpeg[position + 1] == 0xD9)
            break; // entropy-coded data follows; the tests only look at the headers
        position += 2 + ((jpeg[position + 2] << 8) | jpeg[position + 3]);
    }
    return std::string::npos;
}

} // namespace tessivar::jpegtest
