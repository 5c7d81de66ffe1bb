#pragma once

// Streams a PNG picture into an AtomicFile a strip of rows at a time, so a picture of
// any size is written without holding it whole: 8-bit RGB, or indexed colour (a palette
// of up to 256 colours at bit depth 1, 2, 4 or 8). Rows are stored unfiltered and
// deflated at zlib level 3: on tile pictures, whose rows repeat every few bytes, level 3
// takes about the time of level 1 for a file 14 % smaller, level 4 and above twice the
// time, and the Up filter gains nothing. Strips of at least kParallelStripBytes are
// compressed in two halves at once.

#include "core/files/AtomicFile.h"
#include "core/model/TileSet.h"
#include "core/util/Result.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tessivar {

// The smallest bit depth an indexed picture of `colors` palette entries can use.
int SmallestPngBitDepth(int colors);

class PngWriter {
public:
    // Writes the header of a `width` x `height` RGB picture into `file`, which must
    // outlive the writer.
    static Result<std::unique_ptr<PngWriter>> Start(AtomicFile& file, int width, int height);
    // The same for an indexed picture; the palette needs 1 to 2^bitDepth entries.
    static Result<std::unique_ptr<PngWriter>> StartIndexed(AtomicFile& file, int width, int height,
                                                           std::span<const Rgb> palette,
                                                           int bitDepth);
    ~PngWriter();
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    // The bytes a caller gives for one row: 3 x width (red, green, blue) for RGB, width
    // (one palette index a pixel) for indexed pictures.
    std::size_t RowBytes() const { return rowBytes_; }

    // A text chunk (tEXt) of Latin-1 `keyword` (1 to 79 characters) and `text`; only
    // before the first row.
    Status AddText(const std::string& keyword, const std::string& text);

    // The next rows from the top, rowBytes() each. An index past the palette is refused.
    Status WriteRows(std::span<const std::uint8_t> rows);
    Status WriteRow(std::span<const std::uint8_t> row) { return WriteRows(row); }
    // Writes the end of the picture after the last row.
    Status Finish();

    static constexpr std::size_t kParallelStripBytes = 256 * 1024;

private:
    struct Deflater;
    PngWriter(AtomicFile& file, int width, int height, int bitDepth, int paletteSize);
    Status WriteHeader(std::uint8_t colorType, std::span<const Rgb> palette);
    void Chunk(const char* type, std::span<const std::uint8_t> data);
    // Filter bytes and packed pixels of `rows` (already checked) into `out`.
    void PackRows(std::span<const std::uint8_t> rows, std::vector<std::uint8_t>& out) const;
    void WriteCompressed(std::span<const std::uint8_t> compressed);

    AtomicFile& file_;
    int width_;
    int height_;
    int bitDepth_;
    int paletteSize_; // 0 for RGB
    std::size_t rowBytes_;
    std::size_t packedRowBytes_;
    int rowsWritten_ = 0;
    std::uint32_t adler_ = 1;
    std::unique_ptr<Deflater> deflaters_[2];
    std::vector<std::uint8_t> packed_;
    std::size_t compressedUpTo_ = 0;
    std::vector<std::uint8_t> compressed_[2];
    std::vector<std::uint8_t> idat_;
};

} // namespace tessivar
