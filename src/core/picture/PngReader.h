#pragma once

#include "core/files/InputFile.h"
#include "core/picture/PictureReader.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace tessivar {

// Reads PNG pictures through libpng: every colour type and bit depth, interlaced or not.
// Transparency (an alpha channel or a tRNS chunk) is ignored, so each pixel keeps its
// stored colour; 16-bit samples are scaled to 8 bits. A damaged file is refused with
// libpng's reason, in one line and printed nowhere.
//
// Rows are decoded as they are asked for; only an interlaced picture is decoded whole on
// the first request, since its last pass completes the first row.
class PngReader final : public PictureReader {
public:
    enum class Rows {
        Colours, // ReadRow gives blue, green, red
        Indexes, // ReadIndexRow gives palette indexes; only for palette pictures
    };

    static Result<std::unique_ptr<PngReader>> Open(InputFile file, Rows rows = Rows::Colours);
    ~PngReader() override;
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    Status ReadRow(std::span<std::uint8_t> bgr) override;

    // With Rows::Indexes: the palette (red, green, blue) and the next row's indexes, one
    // byte a pixel.
    const std::vector<std::array<std::uint8_t, 3>>& Palette() const { return palette_; }
    Status ReadIndexRow(std::span<std::uint8_t> indexes);

private:
    explicit PngReader(InputFile file);
    Status Start(Rows rows);
    Status NextRow(std::span<std::uint8_t> out);
    Status Failed(const char* doing);

    InputFile file_;
    void* png_ = nullptr;
    void* info_ = nullptr;
    std::string error_;
    std::size_t rowBytes_ = 0;
    int passes_ = 1;
    std::vector<std::uint8_t> whole_; // an interlaced picture, decoded on the first row
    std::vector<std::array<std::uint8_t, 3>> palette_;
    int nextRow_ = 0;
    Status failure_;
    friend struct PngReadCallbacks;
};

} // namespace tessivar
