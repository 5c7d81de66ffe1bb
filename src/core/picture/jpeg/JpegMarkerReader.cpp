#include "core/picture/jpeg/JpegMarkerReader.h"

#include "core/picture/jpeg/JpegMessages.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tessivar {

namespace {

int ceilDiv(std::int64_t value, std::int64_t divisor) {
    return static_cast<int>((value + divisor - 1) / divisor);
}

} // namespace

std::uint8_t JpegInput::ReadByte() {
    if (position >= size)
        ThrowJpegError(JpegMessage::PrematureEnd);
    return data[position++];
}

int JpegInput::ReadWord() {
    const int high = ReadByte();
    return (high << 8) | ReadByte();
}

void JpegMarkerReader::Start(std::span<const std::uint8_t> stream) {
    input = {stream.data(), stream.size(), 0};
}

void JpegMarkerReader::skipBytes(std::size_t count) {
    if (count > input.size - input.position)
        ThrowJpegError(JpegMessage::PrematureEnd);
    input.position += count;
}

std::size_t JpegMarkerReader::segmentLength() {
    const int length = input.ReadWord();
    if (length < 2)
        ThrowJpegError(JpegMessage::SegmentLength);
    const auto remaining = static_cast<std::size_t>(length - 2);
    if (remaining > input.size - input.position)
        ThrowJpegError(JpegMessage::PrematureEnd);
    return remaining;
}

void JpegMarkerReader::ReadJfifHeader() {
    if (input.ReadByte() != 0xFF || input.ReadByte() != 0xD8)
        ThrowJpegError(JpegMessage::MissingSoi);
    if (input.ReadByte() != 0xFF || input.ReadByte() != 0xE0)
        ThrowJpegError(JpegMessage::MissingApp0);
    std::uint8_t header[16];
    for (auto& byte : header)
        byte = input.ReadByte();
    if (std::memcmp(header + 2, "JFIF", 4) != 0)
        ThrowJpegError(JpegMessage::NotJfif);
    const int length = (header[0] << 8) | header[1];
    if (length > 16)
        skipBytes(static_cast<std::size_t>(length - 16)); // thumbnail
}

int JpegMarkerReader::NextMarker() {
    // Skip to the next 0xFF; further 0xFF bytes are fill before the marker code.
    while (true) {
        if (input.position >= input.size)
            ThrowJpegError(JpegMessage::NoEndOfImage);
        if (input.data[input.position++] == 0xFF)
            break;
    }
    int marker = 0xFF;
    while (marker == 0xFF) {
        if (input.position >= input.size)
            ThrowJpegError(JpegMessage::NoEndOfImage);
        marker = input.data[input.position++];
    }
    return marker;
}

void JpegMarkerReader::SkipSegment() {
    skipBytes(segmentLength());
}

void JpegMarkerReader::CheckTrailer() {
    while (input.position < input.size) {
        const std::uint8_t byte = input.data[input.position++];
        if (byte != '\r' && byte != '\n')
            ThrowJpegError(JpegMessage::ExtraData);
    }
}

void JpegMarkerReader::ReadFrame(JpegFrame& frame, bool progressive,
                                 const JpegDecoderLimits& limits) {
    const int length = input.ReadWord();
    if (input.ReadByte() != 8)
        ThrowJpegError(JpegMessage::FramePrecision);
    const int height = input.ReadWord();
    const int width = input.ReadWord();
    const int count = input.ReadByte();
    if (count != 1 && count != 3)
        ThrowJpegError(JpegMessage::ComponentCount);
    if (length != 8 + 3 * count)
        ThrowJpegError(JpegMessage::FrameSize);
    if (width == 0 || height == 0)
        ThrowJpegError(JpegMessage::FrameEmpty);
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > limits.maxPixels)
        ThrowJpegError(JpegMessage::FrameTooLarge, {std::to_string(width), std::to_string(height),
                                                    std::to_string(limits.maxPixels)});

    frame.Clear();
    int maxH = 1;
    int maxV = 1;
    for (int i = 0; i < count; ++i) {
        const int id = input.ReadByte();
        const int factors = input.ReadByte();
        const int table = input.ReadByte();
        if (id == 255)
            ThrowJpegError(JpegMessage::ComponentId255);
        auto& component = frame.components[static_cast<std::size_t>(id)];
        if (component.defined)
            ThrowJpegError(JpegMessage::DuplicateComponent);
        const int h = factors >> 4;
        const int v = factors & 15;
        if (h < 1 || h > 4 || v < 1 || v > 4)
            ThrowJpegError(JpegMessage::SamplingFactor);
        if (table > 3)
            ThrowJpegError(JpegMessage::FrameQuantizationIndex);
        component.defined = true;
        component.identifier = id;
        component.horizontalFactor = h;
        component.verticalFactor = v;
        component.quantizationTable = table;
        frame.order.push_back(id);
        maxH = std::max(maxH, h);
        maxV = std::max(maxV, v);
    }

    frame.width = width;
    frame.height = height;
    frame.componentCount = count;
    frame.maxHorizontalFactor = maxH;
    frame.maxVerticalFactor = maxV;
    frame.mcuColumns = ceilDiv(width, 8 * maxH);
    frame.mcuRows = ceilDiv(height, 8 * maxV);
    frame.progressive = progressive;
    for (const int id : frame.order) {
        auto& component = frame.components[static_cast<std::size_t>(id)];
        component.dataUnitColumns = frame.mcuColumns * component.horizontalFactor;
        component.dataUnitRows = frame.mcuRows * component.verticalFactor;
        // Component size ceil(X h / H) by ceil(Y v / V), in whole data units.
        component.scanColumns =
            ceilDiv(ceilDiv(std::int64_t{width} * component.horizontalFactor, maxH), 8);
        component.scanRows =
            ceilDiv(ceilDiv(std::int64_t{height} * component.verticalFactor, maxV), 8);
    }
    // Buffers are allocated as the scans reach them, so a stream that only claims a large
    // frame costs nothing.
    frame.seen = true;
}

void JpegMarkerReader::ReadHuffmanTables(JpegTables& tables) {
    std::size_t remaining = segmentLength();
    while (remaining > 0) {
        if (remaining < 17)
            ThrowJpegError(JpegMessage::SegmentLength);
        const int classAndIndex = input.ReadByte();
        const int tableClass = classAndIndex >> 4;
        const int index = classAndIndex & 15;
        if (index > 3)
            ThrowJpegError(JpegMessage::HuffmanIndex);
        if (tableClass > 1)
            ThrowJpegError(JpegMessage::HuffmanClass);
        std::array<std::uint8_t, 16> counts{};
        int total = 0;
        for (auto& count : counts) {
            count = input.ReadByte();
            total += count;
        }
        if (total > 256)
            ThrowJpegError(JpegMessage::HuffmanCount);
        remaining -= 17;
        if (static_cast<std::size_t>(total) > remaining)
            ThrowJpegError(JpegMessage::SegmentLength);
        const std::span<const std::uint8_t> symbols(input.data + input.position,
                                                    static_cast<std::size_t>(total));
        input.position += static_cast<std::size_t>(total);
        remaining -= static_cast<std::size_t>(total);
        auto& table = tableClass == 0 ? tables.dc[static_cast<std::size_t>(index)]
                                      : tables.ac[static_cast<std::size_t>(index)];
        table.Define(counts, symbols);
    }
}

void JpegMarkerReader::ReadQuantizationTables(JpegTables& tables) {
    std::size_t remaining = segmentLength();
    while (remaining > 0) {
        const int precisionAndIndex = input.ReadByte();
        const int precision = precisionAndIndex >> 4;
        const int index = precisionAndIndex & 15;
        if (index > 3)
            ThrowJpegError(JpegMessage::QuantizationIndex);
        if (precision == 1)
            ThrowJpegError(JpegMessage::QuantizationSixteenBit);
        if (precision != 0)
            ThrowJpegError(JpegMessage::QuantizationPrecision);
        if (remaining < 65)
            ThrowJpegError(JpegMessage::SegmentLength);
        std::array<std::uint16_t, 64> values{};
        for (auto& value : values) {
            value = input.ReadByte();
            if (value == 0)
                ThrowJpegError(JpegMessage::QuantizationZero);
        }
        remaining -= 65;
        tables.quantization[static_cast<std::size_t>(index)].Define(values);
    }
}

int JpegMarkerReader::ReadRestartInterval() {
    if (segmentLength() != 2)
        ThrowJpegError(JpegMessage::SegmentLength);
    return input.ReadWord();
}

void JpegMarkerReader::ReadScanHeader(JpegFrame& frame, const JpegTables& tables, JpegScan& scan) {
    const std::size_t length = segmentLength();
    const int count = input.ReadByte();
    if (count < 1 || count > 3)
        ThrowJpegError(JpegMessage::ScanComponentCount);
    if (length != static_cast<std::size_t>(4 + 2 * count))
        ThrowJpegError(JpegMessage::SegmentLength);
    scan.components.clear();
    for (int i = 0; i < count; ++i) {
        const int id = input.ReadByte();
        const int selectors = input.ReadByte();
        if (id == 255 || !frame.components[static_cast<std::size_t>(id)].defined)
            ThrowJpegError(JpegMessage::ScanComponentUnknown);
        auto& component = frame.components[static_cast<std::size_t>(id)];
        component.dcTable = selectors >> 4;
        component.acTable = selectors & 15;
        scan.components.push_back(&component);
    }
    scan.spectralStart = input.ReadByte();
    scan.spectralEnd = input.ReadByte();
    const int approximation = input.ReadByte();
    scan.approximationHigh = approximation >> 4;
    scan.approximationLow = approximation & 15;

    // The tables this scan will use must be there.
    const bool needDc = !frame.progressive || scan.spectralStart == 0;
    const bool needAc = !frame.progressive || scan.spectralStart != 0;
    for (const JpegDecoderComponent* component : scan.components) {
        if (component->quantizationTable < 0 || component->quantizationTable > 3)
            ThrowJpegError(JpegMessage::QuantizationNotAssigned);
        if (!tables.quantization[static_cast<std::size_t>(component->quantizationTable)]
                 .IsDefined())
            ThrowJpegError(JpegMessage::QuantizationNotDefined);
        if (needDc) {
            if (component->dcTable < 0 || component->dcTable > 3)
                ThrowJpegError(JpegMessage::DcNotAssigned);
            if (!tables.dc[static_cast<std::size_t>(component->dcTable)].IsDefined())
                ThrowJpegError(JpegMessage::DcNotDefined);
        }
        if (needAc) {
            if (component->acTable < 0 || component->acTable > 3)
                ThrowJpegError(JpegMessage::AcNotAssigned);
            if (!tables.ac[static_cast<std::size_t>(component->acTable)].IsDefined())
                ThrowJpegError(JpegMessage::AcNotDefined);
        }
    }
    if (frame.progressive) {
        if (scan.spectralStart == 0 && scan.spectralEnd != 0)
            ThrowJpegError(JpegMessage::ProgressiveDcAndAc);
        if (scan.spectralStart > scan.spectralEnd || scan.spectralEnd > 63 ||
            scan.approximationLow > 13 ||
            (scan.approximationHigh != 0 && scan.approximationHigh != scan.approximationLow + 1) ||
            (scan.spectralStart > 0 && count != 1))
            ThrowJpegError(JpegMessage::ProgressiveParameters);
    }
}

} // namespace tessivar
