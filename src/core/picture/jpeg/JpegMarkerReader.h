#pragma once

#include "core/picture/jpeg/JpegDecoderLimits.h"
#include "core/picture/jpeg/JpegFrame.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace tessivar {

// The stream being read and the read position, shared by the marker reader and the
// entropy decoder.
struct JpegInput {
    const std::uint8_t* Data = nullptr;
    std::size_t Size = 0;
    std::size_t Position = 0;

    // The next byte; "Premature end of file" at the end of the stream.
    std::uint8_t ReadByte();
    // A big-endian 16-bit value.
    int ReadWord();
};

// The marker layer of a JFIF stream: the file header, the marker codes and the header
// segments (frame, scan, tables, restart interval), each checked as it is read.
class JpegMarkerReader {
public:
    void Start(std::span<const std::uint8_t> stream);
    void Stop() { Input = {}; }

    // SOI followed by the APP0 JFIF segment (a thumbnail in it is skipped).
    void ReadJfifHeader();
    // Skips to the next marker and returns its code (fill bytes 0xFF are passed over).
    int NextMarker();
    // Skips an application or comment segment by its length.
    void SkipSegment();
    // After the end of image only carriage returns and line feeds may follow.
    void CheckTrailer();

    // The frame header: fills `frame` (clearing any earlier frame); allocates nothing.
    void ReadFrame(JpegFrame& frame, bool progressive, const JpegDecoderLimits& limits);
    void ReadHuffmanTables(JpegTables& tables);
    void ReadQuantizationTables(JpegTables& tables);
    int ReadRestartInterval();
    // The scan header: fills `scan` and checks that the tables it needs are there.
    void ReadScanHeader(JpegFrame& frame, const JpegTables& tables, JpegScan& scan);

    JpegInput Input;

private:
    // The segment's length field minus itself, checked against the rest of the stream.
    std::size_t SegmentLength();
    void SkipBytes(std::size_t count);
};

} // namespace tessivar
