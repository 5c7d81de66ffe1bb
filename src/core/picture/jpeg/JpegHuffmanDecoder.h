#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace tessivar {

// One Huffman table of a JPEG stream with canonical codes (T.81 Annex C), prepared for
// decoding: codes of up to kLookupBits bits are resolved by one table look-up, longer
// ones through the per-length largest codes (T.81 F.2.2.3).
class JpegHuffmanDecoder {
public:
    static constexpr int kLookupBits = 11;

    // Builds the table from the 16 code-length counts and the symbols in code order.
    // Throws EJpegBadData "Bad Huffman Code Length" when the counts cannot form a prefix
    // code. `symbols` holds exactly the sum of `counts` entries (at most 256).
    void Define(const std::array<std::uint8_t, 16>& counts, std::span<const std::uint8_t> symbols);

    bool IsDefined() const { return defined_; }

    // (length << 8) | symbol for every kLookupBits-bit prefix that starts with a code of
    // at most kLookupBits bits, 0 otherwise.
    std::array<std::uint16_t, 1u << kLookupBits> Lookup{};
    // Largest code of each length 1..16 (-1 when there is none) and the offset that
    // turns a code of that length into an index into `symbols`.
    std::array<std::int32_t, 17> MaxCode{};
    std::array<std::int32_t, 17> ValueOffset{};
    std::array<std::uint8_t, 256> Symbols{};
    // For AC tables: when a code and the magnitude bits that follow it fit together in
    // kLookupBits bits, value << 8 | run << 4 | total bit count; 0 otherwise.
    std::array<std::int32_t, 1u << kLookupBits> FastAc{};

private:
    bool defined_ = false;
};

} // namespace tessivar
