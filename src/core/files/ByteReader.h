#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tessivar {

// Reads little-endian fields from a byte span. Reading past the end yields zeros and
// sets the failed flag, so a short file can never be read beyond its end.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data)
        : data_(data) {}

    std::uint8_t U8() {
        if (!Need(1))
            return 0;
        return data_[pos_++];
    }
    std::uint16_t U16() {
        const std::uint16_t low = U8();
        return static_cast<std::uint16_t>(low | (U8() << 8));
    }
    std::int32_t I32() {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8)
            value |= static_cast<std::uint32_t>(U8()) << shift;
        return static_cast<std::int32_t>(value);
    }
    // n raw bytes; empty (and failed) when fewer remain.
    std::span<const std::uint8_t> Bytes(std::size_t n) {
        if (!Need(n))
            return {};
        auto result = data_.subspan(pos_, n);
        pos_ += n;
        return result;
    }
    // A NUL-terminated string stored in a fixed field of `fieldSize` bytes.
    std::string FixedString(std::size_t fieldSize);

    bool Failed() const { return failed_; }
    std::size_t Remaining() const { return data_.size() - pos_; }
    std::size_t Position() const { return pos_; }

private:
    bool Need(std::size_t n) {
        if (failed_ || data_.size() - pos_ < n) {
            failed_ = true;
            return false;
        }
        return true;
    }

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

// The first four bytes of a file as text, or "" when it is shorter.
inline std::string FileMagic(std::span<const std::uint8_t> data) {
    return data.size() < 4 ? std::string() : std::string(data.begin(), data.begin() + 4);
}

} // namespace tessivar
