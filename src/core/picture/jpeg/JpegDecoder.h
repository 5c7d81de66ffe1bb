#pragma once

#include "core/picture/BitmapImage.h"
#include "core/picture/BitmapImageDecoder.h"
#include "core/picture/jpeg/JpegDecoderLimits.h"
#include "core/picture/jpeg/JpegEntropyDecoder.h"
#include "core/picture/jpeg/JpegFrame.h"
#include "core/picture/jpeg/JpegMarkerReader.h"

#include <cstdint>
#include <functional>
#include <span>

namespace tessivar {

// Receives a decoded picture row by row, top first, as the decoder finishes the rows.
struct JpegRowSink {
    // The size and bit count (8: samples through the grey map, 24: blue, green, red) of
    // the frame whose rows follow; called again when a later frame replaces it.
    std::function<void(int width, int height, int bitCount)> StartFrame;
    std::function<void(int row, std::span<const std::uint8_t> pixels)> Row;
};

// Reads JFIF files: Huffman-coded baseline, extended-sequential and progressive frames
// with 8-bit samples and one (greyscale, 8-bit image) or three (YCbCr, 24-bit image)
// components. Anything else is refused with an EJpegError carrying the reason.
//
// The stages: JpegMarkerReader (markers and headers), JpegEntropyDecoder (scan data),
// JpegInverseDct and JpegUpsampler (samples to pixels). Memory follows the data actually
// decoded: strips, coefficient rows and image pages are taken as the scans reach them.
class JpegDecoder final : public BitmapImageDecoder {
public:
    explicit JpegDecoder(JpegDecoderLimits limits = {});
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    // On success `image` receives the picture and the decoder keeps the pixel buffer
    // `image` held before, so that decoding picture after picture reuses memory instead
    // of mapping fresh pages each time; it is released with the decoder.
    void ReadImage(std::span<const std::uint8_t> stream, BitmapImage& image) override;

    // Decodes `stream` without keeping the picture: each row goes to `sink` as soon as it
    // is final (a sequential frame's as its MCU row is decoded, a progressive frame's
    // after the last scan), and only one strip of rows is held. Throws like ReadImage;
    // rows already handed over stay with the sink.
    void DecodeRows(std::span<const std::uint8_t> stream, const JpegRowSink& sink);

private:
    void Reset();
    void ReadMarkers();
    void ReadScan();
    bool CoversFrame() const;
    void AllocateStrips(bool wholeMcuRows);
    void ReconstructHeldFrame();
    void Decode(std::span<const std::uint8_t> stream);
    void PrepareImage();
    void EmitRows(int firstRow, int endRow);

    JpegDecoderLimits limits_;
    JpegTables tables_;
    JpegFrame frame_;
    JpegScan scan_;
    JpegMarkerReader markers_;
    JpegEntropyDecoder entropy_{markers_.Input};

    bool frameScanned_ = false;
    bool streaming_ = false; // sequential frame decoded strip by strip
    bool endOfImage_ = false;
    int restartInterval_ = 0; // MCUs, 0 = none
    int scanCount_ = 0;
    BitmapImage image_; // picture being decoded, or the buffer kept for the next one
    const JpegRowSink* sink_ = nullptr; // with a sink, image_ holds one strip
};

} // namespace tessivar
