#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessivar {

// Builds a little-endian byte image of a file in memory before it is saved in one go.
class ByteWriter {
public:
    void Reserve(std::size_t Bytes) { bytes_.reserve(Bytes); }
    void U8(int value) { bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF)); }
    void U16(int value) {
        U8(value);
        U8(value >> 8);
    }
    void U32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            U8(static_cast<int>(value >> shift));
    }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Raw(const std::string& text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
    // A string in a NUL-filled field; the caller has checked that it fits with its NUL.
    void FixedString(const std::string& text, std::size_t fieldSize) {
        Raw(text);
        bytes_.resize(bytes_.size() + fieldSize - text.size(), 0);
    }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace tessivar
