#pragma once

#include "core/picture/BitmapImage.h"
#include "core/picture/BitmapImageDecoder.h"
#include "core/picture/jpeg/JpegDecoderComponent.h"
#include "core/picture/jpeg/JpegDecoderQuantizationTable.h"
#include "core/picture/jpeg/JpegHuffmanDecoder.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tessivar {

// Bounds that keep a hostile stream from taking unbounded memory or time.
struct JpegDecoderLimits {
    // Largest frame accepted, width x height.
    std::uint64_t maxPixels = std::uint64_t{16384} * 16384;
    // Largest number of scans in one stream.
    int maxScans = 1000;
};

// Reads JFIF files: Huffman-coded baseline, extended-sequential and progressive frames
// with 8-bit samples and one (greyscale, 8-bit image) or three (YCbCr, 24-bit image)
// components. Anything else is refused with an EJpegError carrying the reason.
class JpegDecoder final : public BitmapImageDecoder {
public:
    explicit JpegDecoder(JpegDecoderLimits limits = {});

    // On success `image` receives the picture and the decoder keeps the pixel buffer
    // `image` held before, so that decoding picture after picture reuses memory instead
    // of mapping fresh pages each time; it is released with the decoder.
    void ReadImage(std::span<const std::uint8_t> stream, BitmapImage& image) override;

private:
    enum class Stop : std::uint8_t { None, EndOfData, Marker, Dnl };

    void reset();
    std::uint8_t readByte();
    int readWord();
    void skipBytes(std::size_t count);
    std::size_t segmentLength(); // length field minus itself, checked against the stream
    void readJfifHeader();
    void readFrame(bool progressive);
    void readHuffmanTables();
    void readQuantizationTables();
    void readRestartInterval();
    void readScan();
    void checkScanTables(int spectralStart) const;
    void allocateComponent(JpegDecoderComponent& component) const;
    bool coversFrame() const;
    void prepareOutput();
    void emitRows(int firstRow, int endRow);
    void finishImage(BitmapImage& image);

    // Entropy-coded data.
    void resetBitReader();
    void refill();
    int decodeSymbol(const JpegHuffmanDecoder& table);
    int decodeSymbolSlow(const JpegHuffmanDecoder& table);
    int receiveBits(int count);
    int receiveExtend(int count);
    void checkBitsAvailable() const;
    void processRestart();
    void decodeScanData();
    void decodeSequentialUnit(JpegDecoderComponent& component, int unitIndex);
    void decodeDcFirst(JpegDecoderComponent& component, std::int16_t* block);
    void decodeDcRefine(std::int16_t* block);
    void decodeAcFirst(const JpegDecoderComponent& component, std::int16_t* block);
    void decodeAcRefine(const JpegDecoderComponent& component, std::int16_t* block);

    const std::uint8_t* upsampledRowFor(JpegDecoderComponent& component, int row) const;

    JpegDecoderLimits limits_;

    std::array<JpegHuffmanDecoder, 4> dcTables_;
    std::array<JpegHuffmanDecoder, 4> acTables_;
    std::array<JpegDecoderQuantizationTable, 4> quantizationTables_;
    // Slots indexed by component identifier 0..254.
    std::array<JpegDecoderComponent, 255> components_;
    std::vector<int> frameComponents_; // identifiers in frame order
    std::vector<JpegDecoderComponent*> scanComponents_;

    // Frame state.
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    int componentCount_ = 0;
    int maxHorizontalFactor_ = 1;
    int maxVerticalFactor_ = 1;
    int mcuRows_ = 0;
    int mcuColumns_ = 0;
    bool progressive_ = false;
    bool frameSeen_ = false;
    bool frameScanned_ = false;
    bool streaming_ = false; // sequential frame decoded strip by strip
    bool endOfImage_ = false;
    int restartInterval_ = 0;
    int expectedRestart_ = 0;
    int endOfBandRun_ = 0;
    int scanCount_ = 0;
    BitmapImage image_; // picture being decoded, or the buffer kept for the next one

    // Current scan.
    int spectralStart_ = 0;
    int spectralEnd_ = 63;
    int approximationHigh_ = 0;
    int approximationLow_ = 0;

    // Input and bit reader. Bits are kept left-aligned in bitBuffer_. When the reader
    // meets a marker or the end of the stream it supplies zero bits (counted in
    // fakeBits_) and reports the stop only if those bits are actually consumed.
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t position_ = 0;
    std::uint64_t bitBuffer_ = 0;
    int bitCount_ = 0;
    int fakeBits_ = 0;
    Stop stop_ = Stop::None;
};

} // namespace tessivar
