#pragma once

// Streams an 8-bit RGB PNG picture into an AtomicFile, one row at a time, so a picture
// of any size is written without holding it whole.

#include "core/files/AtomicFile.h"
#include "core/util/Result.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tessivar {

class PngWriter {
public:
    // Writes the header of a `width` x `height` picture into `file`, which must outlive
    // the writer.
    static Result<std::unique_ptr<PngWriter>> Start(AtomicFile& file, int width, int height);
    ~PngWriter();
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    // The next row from the top: 3 x width bytes, red, green, blue.
    Status writeRow(std::span<const std::uint8_t> rgb);
    // Writes the end of the picture after the last row.
    Status finish();

private:
    explicit PngWriter(AtomicFile& file);

    AtomicFile& file_;
    void* png_ = nullptr;
    void* info_ = nullptr;
    std::string error_;
    std::size_t rowBytes_ = 0;
    friend struct PngCallbacks;
};

} // namespace tessivar
