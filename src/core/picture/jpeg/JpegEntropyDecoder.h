#pragma once

#include "core/picture/jpeg/JpegFrame.h"
#include "core/picture/jpeg/JpegMarkerReader.h"

#include <cstdint>
#include <functional>

namespace tessivar {

// The entropy-coded data of one scan: the bit reader, Huffman decoding, sequential blocks
// and the four kinds of progressive scan, walked MCU by MCU with the restart intervals.
class JpegEntropyDecoder {
public:
    // Receives the image rows firstRow..endRow-1 once their strip has been decoded.
    using StripDone = std::function<void(int firstRow, int endRow)>;

    explicit JpegEntropyDecoder(JpegInput& input)
        : input_(input) {}

    // Decodes the scan's data, leaving the input at the marker that follows it.
    // `streaming`: a sequential frame in one scan, decoded into each component's strip of
    // data units and handed to `stripDone` strip by strip; otherwise the coefficients go to
    // each component's store.
    void DecodeScan(const JpegFrame& frame, const JpegScan& scan, const JpegTables& tables,
                    int restartInterval, bool streaming, const StripDone& stripDone);

private:
    enum class Stop : std::uint8_t { None, EndOfData, Marker, Dnl };

    std::uint8_t ReadByte();
    void ResetBitReader();
    void Refill();
    int DecodeSymbol(const JpegHuffmanDecoder& table);
    int DecodeSymbolSlow(const JpegHuffmanDecoder& table);
    int ReceiveBits(int count);
    int ReceiveExtend(int count);
    void CheckBitsAvailable() const;
    [[noreturn]] void ReportMissingBits() const;
    void ProcessRestart();

    void DecodeStreamedUnit(JpegDecoderComponent& component, int row, int column);
    void DecodeHeldUnit(JpegDecoderComponent& component, std::int16_t*& line, int row, int column);
    void DecodeSequentialBlock(JpegDecoderComponent& component, std::int16_t* block);
    void DecodeDcFirst(JpegDecoderComponent& component, std::int16_t* block);
    void DecodeDcRefine(std::int16_t* block);
    void DecodeAcFirst(const JpegDecoderComponent& component, std::int16_t* block);
    void DecodeAcRefine(const JpegDecoderComponent& component, std::int16_t* block);

    JpegInput& input_;
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t position_ = 0;

    // The scan being decoded.
    const JpegScan* scan_ = nullptr;
    const JpegTables* tables_ = nullptr;
    bool progressive_ = false;
    bool streaming_ = false;
    int spectralStart_ = 0;
    int spectralEnd_ = 63;
    int approximationHigh_ = 0;
    int approximationLow_ = 0;
    int expectedRestart_ = 0; // 0..7
    int endOfBandRun_ = 0;

    // Bits are kept left-aligned in bitBuffer_. When the reader meets a marker or the end
    // of the stream it supplies zero bits (counted in fakeBits_) and reports the stop only
    // if those bits are actually consumed.
    std::uint64_t bitBuffer_ = 0;
    int bitCount_ = 0;
    int fakeBits_ = 0;
    Stop stop_ = Stop::None;
};

} // namespace tessivar
