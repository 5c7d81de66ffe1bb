#pragma once

#include "core/files/InputFile.h"
#include "core/picture/PictureReader.h"

#include <array>
#include <memory>
#include <vector>

namespace tessivar {

// Reads Windows bitmaps: the core, info, V4 and V5 headers; 1, 4 and 8-bit palettes;
// 16 and 32 bits with the default or any contiguous bit masks; 24 bits; rows stored
// bottom-up or top-down; RLE8 and RLE4 with their end-of-line, end-of-bitmap and delta
// codes. Pixels that RLE codes leave unset take palette entry 0. Alpha is ignored.
//
// Everything that can be checked before the pixels are is checked by Open: the headers,
// the palette, that the rows lie within the file and, for RLE, every code. Rows are then
// read from the file as they are asked for, so memory follows one row, not the picture.
class BmpReader final : public PictureReader {
public:
    static Result<std::unique_ptr<BmpReader>> Open(InputFile file);

    Status ReadRow(std::span<std::uint8_t> bgr) override;
    // Every row's place in the file is known: a row passed over is not read.
    Status SkipRow() override;

    struct ChannelMask {
        std::uint32_t Mask = 0;
        int Shift = 0;
        std::uint32_t Largest = 0; // the channel's largest value, 0 when it has no bits
    };
    // Where the RLE codes of one stored row begin, and the column they start at; a row
    // that no code reaches has column -1.
    struct RleRowStart {
        std::uint64_t Offset = 0;
        int Column = -1;
    };
    enum class RleExit { EndOfLine, EndOfBitmap, NextRows };

private:
    explicit BmpReader(InputFile file);
    Status ReadHeaders();
    Status ReadPalette(std::uint64_t paletteOffset, int entryBytes, std::uint32_t colorsUsed);
    Status SetMasks(std::uint32_t red, std::uint32_t green, std::uint32_t blue);
    Status IndexRleRows();
    Status DecodeRleRow(int storedRow, int& column, std::uint8_t* indexes, RleExit& exit,
                        int& rowsDown);
    Status CheckIndex(std::uint8_t index, int storedRow, int column) const;
    void ExpandRow(std::span<std::uint8_t> bgr);
    int PictureRow(int storedRow) const { return topDown_ ? storedRow : height_ - 1 - storedRow; }

    InputFile file_;
    std::uint64_t dataOffset_ = 0;
    int bitCount_ = 0;
    int compression_ = 0;
    bool topDown_ = false;
    std::size_t stride_ = 0;
    std::vector<std::array<std::uint8_t, 3>> palette_; // blue, green, red
    std::array<ChannelMask, 3> masks_{};               // red, green, blue
    std::vector<RleRowStart> rleRows_;                 // by stored row
    std::vector<std::uint8_t> raw_;                    // one stored row, or its indexes
    int nextRow_ = 0;
    Status failure_;
};

} // namespace tessivar
