#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessivar {

// Builds a little-endian byte image of a file in memory before it is saved in one go.
class ByteWriter {
public:
    void reserve(std::size_t bytes) { bytes_.reserve(bytes); }
    void u8(int value) { bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF)); }
    void u16(int value) {
        u8(value);
        u8(value >> 8);
    }
    void u32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            u8(static_cast<int>(value >> shift));
    }
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void raw(const std::string& text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
    // A string in a NUL-filled field; the caller has checked that it fits with its NUL.
    void fixedString(const std::string& text, std::size_t fieldSize) {
        raw(text);
        bytes_.resize(bytes_.size() + fieldSize - text.size(), 0);
    }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace tessivar
