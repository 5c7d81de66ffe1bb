#pragma once

#include "core/picture/HugePageAllocator.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessivar {

// The coefficients of one component held across the scans of a frame: 64 per data unit,
// natural order, kept by data unit row in chunks of a few MiB. A chunk is mapped (zeroed
// by the kernel, page by page as it is written) the first time one of its rows is asked
// for writing, so memory follows the rows the scans actually reach rather than the size
// the frame header declares; rows of chunks never written read as missing (all zero).
// The scans look a row up once and walk its blocks, 64 coefficients apart.
class JpegCoefficientStore {
public:
    // Forgets every chunk and sets the geometry; allocates nothing but the row table.
    void Reset(int columns, int rows) {
        rowSize_ = std::size_t{64} * static_cast<std::size_t>(columns);
        const std::size_t rowBytes = 2 * std::max<std::size_t>(1, rowSize_);
        rowsPerChunk_ = std::max<std::size_t>(1, kChunkBytes / rowBytes);
        rows_.assign(static_cast<std::size_t>(rows), nullptr);
        chunks_.clear();
        chunks_.resize((rows_.size() + rowsPerChunk_ - 1) / rowsPerChunk_);
    }

    // The first block of `row` for writing; maps its chunk on first use.
    std::int16_t* Row(int row) {
        std::int16_t* line = rows_[static_cast<std::size_t>(row)];
        return line != nullptr ? line : AllocateChunkOf(static_cast<std::size_t>(row));
    }

    // The first block of `row`, or nullptr when its chunk was never written (all zero).
    std::int16_t* FindRow(int row) const { return rows_[static_cast<std::size_t>(row)]; }

    // Called for the rows in order once they are no longer needed: frees each chunk after
    // its last row.
    void ReleaseRow(int row) {
        const auto index = static_cast<std::size_t>(row);
        if ((index + 1) % rowsPerChunk_ != 0 && index + 1 != rows_.size())
            return;
        const std::size_t chunk = index / rowsPerChunk_;
        chunks_[chunk] = {};
        const std::size_t first = chunk * rowsPerChunk_;
        std::fill(rows_.begin() + static_cast<std::ptrdiff_t>(first),
                  rows_.begin() + static_cast<std::ptrdiff_t>(index + 1), nullptr);
    }

private:
    // Whole rows up to this many bytes per chunk: a whole number of huge pages, filled to
    // within one row, and above the size from which ZeroedPages uses them.
    static constexpr std::size_t kChunkBytes = std::size_t{8} << 20;

    std::int16_t* AllocateChunkOf(std::size_t row) {
        const std::size_t chunk = row / rowsPerChunk_;
        const std::size_t first = chunk * rowsPerChunk_;
        const std::size_t count = std::min(rowsPerChunk_, rows_.size() - first);
        auto& storage = chunks_[chunk];
        storage = ZeroedPages(count * rowSize_ * sizeof(std::int16_t));
        auto* data = reinterpret_cast<std::int16_t*>(storage.Data());
        for (std::size_t i = 0; i < count; ++i)
            rows_[first + i] = data + i * rowSize_;
        return rows_[row];
    }

    std::size_t rowSize_ = 0; // coefficients per data unit row
    std::size_t rowsPerChunk_ = 1;
    std::vector<std::int16_t*> rows_;
    std::vector<ZeroedPages> chunks_;
};

} // namespace tessivar
