#include "core/picture/jpeg/JpegEntropyDecoder.h"

#include "core/picture/jpeg/JpegInverseDct.h"
#include "core/picture/jpeg/JpegMessages.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace tessivar {

void JpegEntropyDecoder::ResetBitReader() {
    bitBuffer_ = 0;
    bitCount_ = 0;
    fakeBits_ = 0;
    stop_ = Stop::None;
}

void JpegEntropyDecoder::Refill() {
    if constexpr (std::endian::native == std::endian::little) {
        // Fast path: the next eight bytes hold no 0xFF, so as many whole bytes as fit
        // can be taken in one step.
        if (stop_ == Stop::None && size_ - position_ >= 8 && bitCount_ <= 56) {
            std::uint64_t word;
            std::memcpy(&word, data_ + position_, 8);
            const std::uint64_t inverted = ~word;
            const bool hasFF =
                ((inverted - 0x0101010101010101u) & ~inverted & 0x8080808080808080u) != 0;
            if (!hasFF) {
                const int count = (64 - bitCount_) >> 3;
                word = __builtin_bswap64(word);
                if (count < 8)
                    word &= ~(~std::uint64_t{0} >> (8 * count));
                bitBuffer_ |= word >> bitCount_;
                bitCount_ += 8 * count;
                position_ += static_cast<std::size_t>(count);
                return;
            }
        }
    }
    while (bitCount_ <= 56) {
        std::uint64_t byte = 0;
        if (stop_ == Stop::None) {
            if (position_ >= size_) {
                stop_ = Stop::EndOfData;
            } else if (data_[position_] != 0xFF) {
                byte = data_[position_++];
            } else if (position_ + 1 >= size_) {
                stop_ = Stop::EndOfData;
            } else if (data_[position_ + 1] == 0x00) {
                byte = 0xFF;
                position_ += 2;
            } else {
                // A marker: left in place for the restart logic or the marker loop.
                stop_ = data_[position_ + 1] == 0xDC ? Stop::Dnl : Stop::Marker;
            }
        }
        if (stop_ != Stop::None)
            fakeBits_ += 8;
        bitBuffer_ |= byte << (56 - bitCount_);
        bitCount_ += 8;
    }
}

std::uint8_t JpegEntropyDecoder::ReadByte() {
    if (position_ >= size_)
        ThrowJpegError(JpegMessage::PrematureEnd);
    return data_[position_++];
}

// Called after every MCU: the test stays inline, the throw does not.
inline void JpegEntropyDecoder::CheckBitsAvailable() const {
    if (bitCount_ < fakeBits_) [[unlikely]]
        ReportMissingBits();
}

void JpegEntropyDecoder::ReportMissingBits() const {
    switch (stop_) {
    case Stop::Dnl:
        ThrowJpegError(JpegMessage::UnexpectedDnl);
    case Stop::Marker:
        ThrowJpegError(JpegMessage::UnexpectedMarker);
    default:
        ThrowJpegError(JpegMessage::PrematureEnd);
    }
}

inline int JpegEntropyDecoder::DecodeSymbol(const JpegHuffmanDecoder& table) {
    if (bitCount_ < 32)
        Refill();
    const auto entry =
        table
            .Lookup[static_cast<std::size_t>(bitBuffer_ >> (64 - JpegHuffmanDecoder::kLookupBits))];
    if (entry != 0) {
        const int length = entry >> 8;
        bitBuffer_ <<= length;
        bitCount_ -= length;
        return entry & 0xFF;
    }
    return DecodeSymbolSlow(table);
}

int JpegEntropyDecoder::DecodeSymbolSlow(const JpegHuffmanDecoder& table) {
    const auto code16 = static_cast<std::int32_t>(bitBuffer_ >> 48);
    for (int length = JpegHuffmanDecoder::kLookupBits + 1; length <= 16; ++length) {
        const std::int32_t code = code16 >> (16 - length);
        if (code <= table.MaxCode[static_cast<std::size_t>(length)]) {
            bitBuffer_ <<= length;
            bitCount_ -= length;
            return table.Symbols[static_cast<std::size_t>(
                code + table.ValueOffset[static_cast<std::size_t>(length)])];
        }
    }
    ThrowJpegError(JpegMessage::CorruptScanData);
}

// Takes `count` (0..16) bits; the caller has made sure they are in the buffer.
inline int JpegEntropyDecoder::ReceiveBits(int count) {
    if (count == 0)
        return 0;
    const auto value = static_cast<int>(bitBuffer_ >> (64 - count));
    bitBuffer_ <<= count;
    bitCount_ -= count;
    return value;
}

// Takes `count` bits and sign-extends them as a coefficient of magnitude category `count`.
inline int JpegEntropyDecoder::ReceiveExtend(int count) {
    if (count == 0)
        return 0;
    const int value = ReceiveBits(count);
    return value < (1 << (count - 1)) ? value - (1 << count) + 1 : value;
}

void JpegEntropyDecoder::ProcessRestart() {
    // Whole unread bytes before the marker mean the interval held more data than its
    // MCUs needed.
    if (bitCount_ - fakeBits_ >= 8)
        ThrowJpegError(JpegMessage::MissingRestart);
    ResetBitReader();
    if (ReadByte() != 0xFF)
        ThrowJpegError(JpegMessage::MissingRestart);
    int marker = 0xFF;
    while (marker == 0xFF)
        marker = ReadByte();
    if (marker < 0xD0 || marker > 0xD7)
        ThrowJpegError(JpegMessage::MissingRestart);
    if ((marker & 7) != expectedRestart_)
        ThrowJpegError(JpegMessage::IncorrectRestart);
    expectedRestart_ = (expectedRestart_ + 1) & 7;
    for (auto* component : scan_->Components)
        component->DcPredictor = 0;
    endOfBandRun_ = 0;
}

// Decodes one whole block into `block`, which the caller has zeroed.
void JpegEntropyDecoder::DecodeSequentialBlock(JpegDecoderComponent& component,
                                               std::int16_t* block) {
    const auto& dc = tables_->Dc[static_cast<std::size_t>(component.DcTable)];
    const auto& ac = tables_->Ac[static_cast<std::size_t>(component.AcTable)];

    const int category = DecodeSymbol(dc);
    if (category > 15)
        ThrowJpegError(JpegMessage::InvalidValue);
    // The predictor wraps like the 16-bit coefficient it feeds.
    component.DcPredictor =
        static_cast<std::int16_t>(component.DcPredictor + ReceiveExtend(category));
    block[0] = static_cast<std::int16_t>(component.DcPredictor);

    for (int k = 1; k < 64;) {
        if (bitCount_ < 32)
            Refill();
        // Most coefficients: code and magnitude in one look-up.
        const std::int32_t fast = ac.FastAc[static_cast<std::size_t>(
            bitBuffer_ >> (64 - JpegHuffmanDecoder::kLookupBits))];
        if (fast != 0) {
            k += (fast >> 4) & 15;
            if (k > 63)
                ThrowJpegError(JpegMessage::ValueOutOfRange);
            const int length = fast & 15;
            bitBuffer_ <<= length;
            bitCount_ -= length;
            block[kJpegZigZagToNatural[static_cast<std::size_t>(k)]] =
                static_cast<std::int16_t>(fast >> 8);
            ++k;
            continue;
        }
        const int symbol = DecodeSymbol(ac);
        const int run = symbol >> 4;
        const int size = symbol & 15;
        if (size == 0) {
            if (run != 15)
                break; // end of block
            k += 16;
            if (k > 64)
                ThrowJpegError(JpegMessage::ValueOutOfRange);
            continue;
        }
        k += run;
        if (k > 63)
            ThrowJpegError(JpegMessage::ValueOutOfRange);
        block[kJpegZigZagToNatural[static_cast<std::size_t>(k)]] =
            static_cast<std::int16_t>(ReceiveExtend(size));
        ++k;
    }
}

inline void JpegEntropyDecoder::DecodeDcFirst(JpegDecoderComponent& component,
                                              std::int16_t* block) {
    const int category = DecodeSymbol(tables_->Dc[static_cast<std::size_t>(component.DcTable)]);
    if (category > 15)
        ThrowJpegError(JpegMessage::InvalidValue);
    component.DcPredictor =
        static_cast<std::int16_t>(component.DcPredictor + ReceiveExtend(category));
    block[0] = static_cast<std::int16_t>(component.DcPredictor * (1 << approximationLow_));
}

void JpegEntropyDecoder::DecodeDcRefine(std::int16_t* block) {
    if (bitCount_ < 32)
        Refill();
    if (ReceiveBits(1) != 0)
        block[0] = static_cast<std::int16_t>(block[0] | (1 << approximationLow_));
}

void JpegEntropyDecoder::DecodeAcFirst(const JpegDecoderComponent& component, std::int16_t* block) {
    if (endOfBandRun_ > 0) {
        --endOfBandRun_;
        return;
    }
    const auto& ac = tables_->Ac[static_cast<std::size_t>(component.AcTable)];
    for (int k = spectralStart_; k <= spectralEnd_; ++k) {
        const int symbol = DecodeSymbol(ac);
        const int run = symbol >> 4;
        const int size = symbol & 15;
        if (size != 0) {
            k += run;
            if (k > spectralEnd_)
                ThrowJpegError(JpegMessage::DataOutOfRange);
            block[kJpegZigZagToNatural[static_cast<std::size_t>(k)]] =
                static_cast<std::int16_t>(ReceiveExtend(size) * (1 << approximationLow_));
        } else if (run == 15) {
            k += 15; // sixteen zero coefficients
        } else {
            endOfBandRun_ = (1 << run) - 1 + ReceiveBits(run);
            break;
        }
    }
}

void JpegEntropyDecoder::DecodeAcRefine(const JpegDecoderComponent& component,
                                        std::int16_t* block) {
    const int plusBit = 1 << approximationLow_;
    const int minusBit = -plusBit;
    const auto& ac = tables_->Ac[static_cast<std::size_t>(component.AcTable)];
    int k = spectralStart_;

    // Appends a correction bit to a coefficient that is already non-zero.
    auto refine = [&](std::int16_t& coefficient) {
        if (bitCount_ < 32)
            Refill();
        if (ReceiveBits(1) != 0 && (coefficient & plusBit) == 0)
            coefficient =
                static_cast<std::int16_t>(coefficient + (coefficient >= 0 ? plusBit : minusBit));
    };

    if (endOfBandRun_ == 0) {
        for (; k <= spectralEnd_; ++k) {
            const int symbol = DecodeSymbol(ac);
            int run = symbol >> 4;
            const int size = symbol & 15;
            int value = 0;
            if (size != 0) {
                if (size != 1)
                    ThrowJpegError(JpegMessage::InvalidValue);
                value = ReceiveBits(1) != 0 ? plusBit : minusBit;
            } else if (run != 15) {
                endOfBandRun_ = (1 << run) + ReceiveBits(run);
                break;
            }
            // Skip `run` zero coefficients, refining the non-zero ones passed on the way.
            for (; k <= spectralEnd_; ++k) {
                std::int16_t& coefficient =
                    block[kJpegZigZagToNatural[static_cast<std::size_t>(k)]];
                if (coefficient != 0) {
                    refine(coefficient);
                } else {
                    if (run == 0)
                        break;
                    --run;
                }
            }
            if (value != 0) {
                if (k > spectralEnd_)
                    ThrowJpegError(JpegMessage::DataOutOfRange);
                block[kJpegZigZagToNatural[static_cast<std::size_t>(k)]] =
                    static_cast<std::int16_t>(value);
            }
        }
    }
    if (endOfBandRun_ > 0) {
        // The rest of the band is zero except for refinements of non-zero coefficients.
        for (; k <= spectralEnd_; ++k) {
            std::int16_t& coefficient = block[kJpegZigZagToNatural[static_cast<std::size_t>(k)]];
            if (coefficient != 0)
                refine(coefficient);
        }
        --endOfBandRun_;
    }
}

// A sequential block of the current strip, transformed at once into its samples.
inline void JpegEntropyDecoder::DecodeStreamedUnit(JpegDecoderComponent& component, int row,
                                                   int column) {
    alignas(16) std::int16_t block[64] = {};
    DecodeSequentialBlock(component, block);
    const auto unit = static_cast<std::size_t>(row - component.UnitRowBase) *
                          static_cast<std::size_t>(component.DataUnitColumns) +
                      static_cast<std::size_t>(column);
    JpegInverseDct(block,
                   tables_->Quantization[static_cast<std::size_t>(component.QuantizationTable)]
                       .IntegerScaled()
                       .data(),
                   component.DataUnits[unit].Samples.data());
}

// A block held in the component's store (inlined into the scan walk). `line` caches the first block
// of data unit row `row` across the blocks of that row (nullptr while its chunk is not mapped).
[[gnu::always_inline]] inline void
JpegEntropyDecoder::DecodeHeldUnit(JpegDecoderComponent& component, std::int16_t*& line, int row,
                                   int column) {
    if (line == nullptr) {
        // Only AC scans have end-of-band runs. A block no scan has written is all zero,
        // so inside a run there is nothing to refine in it: its row need not be mapped.
        if (endOfBandRun_ > 0) {
            --endOfBandRun_;
            return;
        }
        line = component.Coefficients.Row(row);
    }
    std::int16_t* block = line + std::size_t{64} * static_cast<std::size_t>(column);
    if (!progressive_) {
        std::fill_n(block, 64, std::int16_t{0}); // a later scan may name it again
        DecodeSequentialBlock(component, block);
    } else if (spectralStart_ == 0) {
        if (approximationHigh_ == 0)
            DecodeDcFirst(component, block);
        else
            DecodeDcRefine(block);
    } else if (approximationHigh_ == 0) {
        DecodeAcFirst(component, block);
    } else {
        DecodeAcRefine(component, block);
    }
}

void JpegEntropyDecoder::DecodeScan(const JpegFrame& frame, const JpegScan& scan,
                                    const JpegTables& tables, int restartInterval, bool streaming,
                                    const StripDone& stripDone) {
    // The stream is read through copies of the input fields, so that the compiler knows
    // the bit reader's stores do not change them; the position goes back at the end.
    data_ = input_.Data;
    size_ = input_.Size;
    position_ = input_.Position;
    scan_ = &scan;
    tables_ = &tables;
    progressive_ = frame.Progressive;
    streaming_ = streaming;
    spectralStart_ = scan.SpectralStart;
    spectralEnd_ = scan.SpectralEnd;
    approximationHigh_ = scan.ApproximationHigh;
    approximationLow_ = scan.ApproximationLow;
    ResetBitReader();
    endOfBandRun_ = 0;
    expectedRestart_ = 0;
    for (auto* component : scan.Components)
        component->DcPredictor = 0;

    int restartsToGo = restartInterval;
    auto beforeMcu = [&] {
        if (restartInterval == 0)
            return;
        if (restartsToGo == 0) {
            ProcessRestart();
            restartsToGo = restartInterval;
        }
        --restartsToGo;
    };

    if (scan.Components.size() == 1) {
        // Non-interleaved: the component's own data units, row by row.
        JpegDecoderComponent& component = *scan.Components[0];
        for (int row = 0; row < component.ScanRows; ++row) {
            if (streaming) {
                component.UnitRowBase = row;
                for (int column = 0; column < component.ScanColumns; ++column) {
                    beforeMcu();
                    DecodeStreamedUnit(component, row, column);
                    CheckBitsAvailable();
                }
                stripDone(row * 8, std::min(row * 8 + 8, frame.Height));
                continue;
            }
            std::int16_t* line = component.Coefficients.FindRow(row);
            for (int column = 0; column < component.ScanColumns; ++column) {
                beforeMcu();
                DecodeHeldUnit(component, line, row, column);
                CheckBitsAvailable();
            }
        }
    } else {
        // The held rows of the current MCU row, by scan component and row within the MCU.
        std::array<std::array<std::int16_t*, 4>, 3> lines{};
        for (int mcuRow = 0; mcuRow < frame.McuRows; ++mcuRow) {
            for (std::size_t c = 0; c < scan.Components.size(); ++c) {
                JpegDecoderComponent& component = *scan.Components[c];
                const int v = component.VerticalFactor;
                if (streaming)
                    component.UnitRowBase = mcuRow * v;
                else
                    for (int y = 0; y < v; ++y)
                        lines[c][static_cast<std::size_t>(y)] =
                            component.Coefficients.FindRow(mcuRow * v + y);
            }
            for (int mcuColumn = 0; mcuColumn < frame.McuColumns; ++mcuColumn) {
                beforeMcu();
                for (std::size_t c = 0; c < scan.Components.size(); ++c) {
                    JpegDecoderComponent& component = *scan.Components[c];
                    const int h = component.HorizontalFactor;
                    const int v = component.VerticalFactor;
                    for (int y = 0; y < v; ++y)
                        for (int x = 0; x < h; ++x) {
                            const int row = mcuRow * v + y;
                            const int column = mcuColumn * h + x;
                            if (streaming)
                                DecodeStreamedUnit(component, row, column);
                            else
                                DecodeHeldUnit(component, lines[c][static_cast<std::size_t>(y)],
                                               row, column);
                        }
                }
                CheckBitsAvailable();
            }
            if (streaming) {
                const int rows = 8 * frame.MaxVerticalFactor;
                stripDone(mcuRow * rows, std::min(mcuRow * rows + rows, frame.Height));
            }
        }
    }
    // Leave the reader at the marker (or wherever refilling stopped) for the marker loop.
    ResetBitReader();
    input_.Position = position_;
}

} // namespace tessivar
