#pragma once

#include "core/picture/HugePageAllocator.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tessivar {

// The coefficients of one component held across the scans of a frame: 64 per data unit,
// natural order, kept by data unit row in chunks of a few MiB. A chunk is allocated
// (zeroed) the first time one of its blocks is written, so memory follows the rows the
// scans actually reach rather than the size the frame header declares; rows of chunks
// never written read as missing (all zero).
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

    // The block at (row, column) for writing; allocates its chunk on first use.
    std::int16_t* Block(int row, int column) {
        std::int16_t* line = rows_[static_cast<std::size_t>(row)];
        if (line == nullptr)
            line = allocateChunkOf(static_cast<std::size_t>(row));
        return line + std::size_t{64} * static_cast<std::size_t>(column);
    }

    // The block at (row, column), or nullptr when its chunk was never written (all zero).
    const std::int16_t* Find(int row, int column) const {
        const std::int16_t* line = rows_[static_cast<std::size_t>(row)];
        return line != nullptr ? line + std::size_t{64} * static_cast<std::size_t>(column)
                               : nullptr;
    }

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
    // within one row, and above the size from which HugePageAllocator uses them.
    static constexpr std::size_t kChunkBytes = std::size_t{8} << 20;

    std::int16_t* allocateChunkOf(std::size_t row) {
        const std::size_t chunk = row / rowsPerChunk_;
        const std::size_t first = chunk * rowsPerChunk_;
        const std::size_t count = std::min(rowsPerChunk_, rows_.size() - first);
        auto& storage = chunks_[chunk];
        storage.resize(count * rowSize_);
        std::memset(storage.data(), 0, storage.size() * sizeof(std::int16_t));
        for (std::size_t i = 0; i < count; ++i)
            rows_[first + i] = storage.data() + i * rowSize_;
        return rows_[row];
    }

    std::size_t rowSize_ = 0; // coefficients per data unit row
    std::size_t rowsPerChunk_ = 1;
    std::vector<std::int16_t*> rows_;
    std::vector<std::vector<std::int16_t, UninitialisedHugePageAllocator<std::int16_t>>> chunks_;
};

} // namespace tessivar
