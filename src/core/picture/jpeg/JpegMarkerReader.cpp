#include "core/picture/jpeg/JpegMarkerReader.h"

#include "core/picture/jpeg/JpegMessages.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tessivar {

namespace {

int CeilDiv(std::int64_t value, std::int64_t divisor) {
    return static_cast<int>((value + divisor - 1) / divisor);
}

} // namespace

std::uint8_t JpegInput::ReadByte() {
    if (Position >= Size)
        ThrowJpegError(JpegMessage::PrematureEnd);
    return Data[Position++];
}

int JpegInput::ReadWord() {
    const int high = ReadByte();
    return (high << 8) | ReadByte();
}

void JpegMarkerReader::Start(std::span<const std::uint8_t> stream) {
    Input = {stream.data(), stream.size(), 0};
}

void JpegMarkerReader::SkipBytes(std::size_t count) {
    if (count > Input.Size - Input.Position)
        ThrowJpegError(JpegMessage::PrematureEnd);
    Input.Position += count;
}

std::size_t JpegMarkerReader::SegmentLength() {
    const int length = Input.ReadWord();
    if (length < 2)
        ThrowJpegError(JpegMessage::SegmentLength);
    const auto remaining = static_cast<std::size_t>(length - 2);
    if (remaining > Input.Size - Input.Position)
        ThrowJpegError(JpegMessage::PrematureEnd);
    return remaining;
}

void JpegMarkerReader::ReadJfifHeader() {
    if (Input.ReadByte() != 0xFF || Input.ReadByte() != 0xD8)
        ThrowJpegError(JpegMessage::MissingSoi);
    if (Input.ReadByte() != 0xFF || Input.ReadByte() != 0xE0)
        ThrowJpegError(JpegMessage::MissingApp0);
    std::uint8_t header[16];
    for (auto& byte : header)
        byte = Input.ReadByte();
    if (std::memcmp(header + 2, "JFIF", 4) != 0)
        ThrowJpegError(JpegMessage::NotJfif);
    const int length = (header[0] << 8) | header[1];
    if (length > 16)
        SkipBytes(static_cast<std::size_t>(length - 16)); // thumbnail
}

int JpegMarkerReader::NextMarker() {
    // Skip to the next 0xFF; further 0xFF bytes are fill before the marker code.
    while (true) {
        if (Input.Position >= Input.Size)
            ThrowJpegError(JpegMessage::NoEndOfImage);
        if (Input.Data[Input.Position++] == 0xFF)
            break;
    }
    int marker = 0xFF;
    while (marker == 0xFF) {
        if (Input.Position >= Input.Size)
            ThrowJpegError(JpegMessage::NoEndOfImage);
        marker = Input.Data[Input.Position++];
    }
    return marker;
}

void JpegMarkerReader::SkipSegment() {
    SkipBytes(SegmentLength());
}

void JpegMarkerReader::CheckTrailer() {
    while (Input.Position < Input.Size) {
        const std::uint8_t byte = Input.Data[Input.Position++];
        if (byte != '\r' && byte != '\n')
            ThrowJpegError(JpegMessage::ExtraData);
    }
}

void JpegMarkerReader::ReadFrame(JpegFrame& frame, bool progressive,
                                 const JpegDecoderLimits& limits) {
    const int length = Input.ReadWord();
    if (Input.ReadByte() != 8)
        ThrowJpegError(JpegMessage::FramePrecision);
    const int height = Input.ReadWord();
    const int width = Input.ReadWord();
    const int count = Input.ReadByte();
    if (count != 1 && count != 3)
        ThrowJpegError(JpegMessage::ComponentCount);
    if (length != 8 + 3 * count)
        ThrowJpegError(JpegMessage::FrameSize);
    if (width == 0 || height == 0)
        ThrowJpegError(JpegMessage::FrameEmpty);
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > limits.MaxPixels)
        ThrowJpegError(JpegMessage::FrameTooLarge, {std::to_string(width), std::to_string(height),
                                                    std::to_string(limits.MaxPixels)});

    frame.Clear();
    int maxH = 1;
    int maxV = 1;
    for (int i = 0; i < count; ++i) {
        const int id = Input.ReadByte();
        const int factors = Input.ReadByte();
        const int table = Input.ReadByte();
        if (id == 255)
            ThrowJpegError(JpegMessage::ComponentId255);
        auto& component = frame.Components[static_cast<std::size_t>(id)];
        if (component.Defined)
            ThrowJpegError(JpegMessage::DuplicateComponent);
        const int h = factors >> 4;
        const int v = factors & 15;
        if (h < 1 || h > 4 || v < 1 || v > 4)
            ThrowJpegError(JpegMessage::SamplingFactor);
        if (table > 3)
            ThrowJpegError(JpegMessage::FrameQuantizationIndex);
        component.Defined = true;
        component.Identifier = id;
        component.HorizontalFactor = h;
        component.VerticalFactor = v;
        component.QuantizationTable = table;
        frame.Order.push_back(id);
        maxH = std::max(maxH, h);
        maxV = std::max(maxV, v);
    }

    frame.Width = width;
    frame.Height = height;
    frame.ComponentCount = count;
    frame.MaxHorizontalFactor = maxH;
    frame.MaxVerticalFactor = maxV;
    frame.McuColumns = CeilDiv(width, 8 * maxH);
    frame.McuRows = CeilDiv(height, 8 * maxV);
    frame.Progressive = progressive;
    for (const int id : frame.Order) {
        auto& component = frame.Components[static_cast<std::size_t>(id)];
        component.DataUnitColumns = frame.McuColumns * component.HorizontalFactor;
        component.DataUnitRows = frame.McuRows * component.VerticalFactor;
        // Component size ceil(X h / H) by ceil(Y v / V), in whole data units.
        component.ScanColumns =
            CeilDiv(CeilDiv(std::int64_t{width} * component.HorizontalFactor, maxH), 8);
        component.ScanRows =
            CeilDiv(CeilDiv(std::int64_t{height} * component.VerticalFactor, maxV), 8);
    }
    // Buffers are allocated as the scans reach them, so a stream that only claims a large
    // frame costs nothing.
    frame.Seen = true;
}

void JpegMarkerReader::ReadHuffmanTables(JpegTables& tables) {
    std::size_t remaining = SegmentLength();
    while (remaining > 0) {
        if (remaining < 17)
            ThrowJpegError(JpegMessage::SegmentLength);
        const int classAndIndex = Input.ReadByte();
        const int tableClass = classAndIndex >> 4;
        const int index = classAndIndex & 15;
        if (index > 3)
            ThrowJpegError(JpegMessage::HuffmanIndex);
        if (tableClass > 1)
            ThrowJpegError(JpegMessage::HuffmanClass);
        std::array<std::uint8_t, 16> counts{};
        int total = 0;
        for (auto& count : counts) {
            count = Input.ReadByte();
            total += count;
        }
        if (total > 256)
            ThrowJpegError(JpegMessage::HuffmanCount);
        remaining -= 17;
        if (static_cast<std::size_t>(total) > remaining)
            ThrowJpegError(JpegMessage::SegmentLength);
        const std::span<const std::uint8_t> symbols(Input.Data + Input.Position,
                                                    static_cast<std::size_t>(total));
        Input.Position += static_cast<std::size_t>(total);
        remaining -= static_cast<std::size_t>(total);
        auto& table = tableClass == 0 ? tables.Dc[static_cast<std::size_t>(index)]
                                      : tables.Ac[static_cast<std::size_t>(index)];
        table.Define(counts, symbols);
    }
}

void JpegMarkerReader::ReadQuantizationTables(JpegTables& tables) {
    std::size_t remaining = SegmentLength();
    while (remaining > 0) {
        const int precisionAndIndex = Input.ReadByte();
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
            value = Input.ReadByte();
            if (value == 0)
                ThrowJpegError(JpegMessage::QuantizationZero);
        }
        remaining -= 65;
        tables.Quantization[static_cast<std::size_t>(index)].Define(values);
    }
}

int JpegMarkerReader::ReadRestartInterval() {
    if (SegmentLength() != 2)
        ThrowJpegError(JpegMessage::SegmentLength);
    return Input.ReadWord();
}

void JpegMarkerReader::ReadScanHeader(JpegFrame& frame, const JpegTables& tables, JpegScan& scan) {
    const std::size_t length = SegmentLength();
    const int count = Input.ReadByte();
    if (count < 1 || count > 3)
        ThrowJpegError(JpegMessage::ScanComponentCount);
    if (length != static_cast<std::size_t>(4 + 2 * count))
        ThrowJpegError(JpegMessage::SegmentLength);
    scan.Components.clear();
    for (int i = 0; i < count; ++i) {
        const int id = Input.ReadByte();
        const int selectors = Input.ReadByte();
        if (id == 255 || !frame.Components[static_cast<std::size_t>(id)].Defined)
            ThrowJpegError(JpegMessage::ScanComponentUnknown);
        auto& component = frame.Components[static_cast<std::size_t>(id)];
        component.DcTable = selectors >> 4;
        component.AcTable = selectors & 15;
        scan.Components.push_back(&component);
    }
    scan.SpectralStart = Input.ReadByte();
    scan.SpectralEnd = Input.ReadByte();
    const int approximation = Input.ReadByte();
    scan.ApproximationHigh = approximation >> 4;
    scan.ApproximationLow = approximation & 15;

    // The tables this scan will use must be there.
    const bool needDc = !frame.Progressive || scan.SpectralStart == 0;
    const bool needAc = !frame.Progressive || scan.SpectralStart != 0;
    for (const JpegDecoderComponent* component : scan.Components) {
        if (component->QuantizationTable < 0 || component->QuantizationTable > 3)
            ThrowJpegError(JpegMessage::QuantizationNotAssigned);
        if (!tables.Quantization[static_cast<std::size_t>(component->QuantizationTable)]
                 .IsDefined())
            ThrowJpegError(JpegMessage::QuantizationNotDefined);
        if (needDc) {
            if (component->DcTable < 0 || component->DcTable > 3)
                ThrowJpegError(JpegMessage::DcNotAssigned);
            if (!tables.Dc[static_cast<std::size_t>(component->DcTable)].IsDefined())
                ThrowJpegError(JpegMessage::DcNotDefined);
        }
        if (needAc) {
            if (component->AcTable < 0 || component->AcTable > 3)
                ThrowJpegError(JpegMessage::AcNotAssigned);
            if (!tables.Ac[static_cast<std::size_t>(component->AcTable)].IsDefined())
                ThrowJpegError(JpegMessage::AcNotDefined);
        }
    }
    if (frame.Progressive) {
        if (scan.SpectralStart == 0 && scan.SpectralEnd != 0)
            ThrowJpegError(JpegMessage::ProgressiveDcAndAc);
        if (scan.SpectralStart > scan.SpectralEnd || scan.SpectralEnd > 63 ||
            scan.ApproximationLow > 13 ||
            (scan.ApproximationHigh != 0 && scan.ApproximationHigh != scan.ApproximationLow + 1) ||
            (scan.SpectralStart > 0 && count != 1))
            ThrowJpegError(JpegMessage::ProgressiveParameters);
    }
}

} // namespace tessivar
