#include "core/picture/jpeg/JpegHuffmanDecoder.h"

#include "core/picture/jpeg/JpegMessages.h"

#include <algorithm>

namespace tessivar {

void JpegHuffmanDecoder::Define(const std::array<std::uint8_t, 16>& counts,
                                std::span<const std::uint8_t> values) {
    defined_ = false;
    int total = 0;
    for (const auto count : counts)
        total += count;
    if (total > 256)
        ThrowJpegError(JpegMessage::HuffmanCount);
    if (values.size() != static_cast<std::size_t>(total))
        ThrowJpegError(JpegMessage::HuffmanSymbolCount);
    Lookup.fill(0);
    MaxCode.fill(-1);
    ValueOffset.fill(0);
    Symbols.fill(0);
    std::copy_n(values.begin(), std::min<std::size_t>(values.size(), Symbols.size()),
                Symbols.begin());

    // Canonical assignment: codes of one length are consecutive, and the first code of
    // the next length is the following value shifted left by one.
    std::int32_t code = 0;
    std::int32_t index = 0;
    for (int length = 1; length <= 16; ++length) {
        const int count = counts[static_cast<std::size_t>(length - 1)];
        if (count > 0) {
            ValueOffset[static_cast<std::size_t>(length)] = index - code;
            if (length <= kLookupBits) {
                for (int i = 0; i < count; ++i) {
                    const std::int32_t thisCode = code + i;
                    if (thisCode >= (1 << length))
                        break; // reported below
                    const int shift = kLookupBits - length;
                    const auto entry = static_cast<std::uint16_t>(
                        (length << 8) | Symbols[static_cast<std::size_t>(index + i)]);
                    std::fill_n(Lookup.begin() + (thisCode << shift), 1 << shift, entry);
                }
            }
            code += count;
            index += count;
            MaxCode[static_cast<std::size_t>(length)] = code - 1;
        }
        if (code > (1 << length))
            ThrowJpegError(JpegMessage::HuffmanLengths);
        code <<= 1;
    }

    FastAc.fill(0);
    for (std::uint32_t prefix = 0; prefix < Lookup.size(); ++prefix) {
        const int entry = Lookup[prefix];
        if (entry == 0)
            continue;
        const int codeLength = entry >> 8;
        const int symbol = entry & 0xFF;
        const int run = symbol >> 4;
        const int size = symbol & 15;
        if (size == 0 || codeLength + size > kLookupBits)
            continue;
        const int bits =
            static_cast<int>((prefix >> (kLookupBits - codeLength - size)) & ((1u << size) - 1));
        const int value = bits < (1 << (size - 1)) ? bits - (1 << size) + 1 : bits;
        FastAc[prefix] = value * 256 + (run << 4) + codeLength + size;
    }
    defined_ = true;
}

} // namespace tessivar
