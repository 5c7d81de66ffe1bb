#include "core/picture/jpeg/JpegDecoder.h"

#include "core/picture/jpeg/JpegInverseDct.h"
#include "core/picture/jpeg/JpegMessages.h"
#include "core/picture/jpeg/JpegUpsampler.h"

#include <algorithm>
#include <string>
#include <utility>

namespace tessivar {

JpegDecoder::JpegDecoder(JpegDecoderLimits limits)
    : limits_(limits) {}

void JpegDecoder::Reset() {
    tables_ = JpegTables{};
    frame_.Clear();
    scan_.Components.clear();
    frameScanned_ = streaming_ = endOfImage_ = false;
    restartInterval_ = scanCount_ = 0;
    markers_.Stop();
}

void JpegDecoder::ReadImage(std::span<const std::uint8_t> stream, BitmapImage& image) {
    sink_ = nullptr;
    Decode(stream);
    // The caller's previous picture stays here as the buffer for the next decode.
    std::swap(image, image_);
}

void JpegDecoder::DecodeRows(std::span<const std::uint8_t> stream, const JpegRowSink& sink) {
    sink_ = &sink;
    try {
        Decode(stream);
    } catch (...) {
        sink_ = nullptr;
        throw;
    }
    sink_ = nullptr;
}

void JpegDecoder::Decode(std::span<const std::uint8_t> stream) {
    Reset();
    markers_.Start(stream);
    try {
        markers_.ReadJfifHeader();
        ReadMarkers();
        markers_.CheckTrailer();
        if (!frame_.Seen)
            ThrowJpegError(JpegMessage::NoFrame);
        if (!frameScanned_)
            ThrowJpegError(JpegMessage::NoScan);
        if (!streaming_)
            ReconstructHeldFrame();
    } catch (...) {
        // Release everything the frame allocated before passing the error on.
        Reset();
        throw;
    }
    Reset();
}

void JpegDecoder::PrepareImage() {
    const int stripHeight = 8 * frame_.MaxVerticalFactor;
    JpegUpsampler::Prepare(frame_, image_,
                           sink_ != nullptr ? std::min(stripHeight, frame_.Height) : frame_.Height);
    if (sink_ != nullptr)
        sink_->StartFrame(frame_.Width, frame_.Height, frame_.ComponentCount == 3 ? 24 : 8);
}

void JpegDecoder::EmitRows(int firstRow, int endRow) {
    if (sink_ == nullptr) {
        JpegUpsampler::EmitRows(frame_, image_, firstRow, endRow, 0);
        return;
    }
    JpegUpsampler::EmitRows(frame_, image_, firstRow, endRow, firstRow);
    for (int row = firstRow; row < endRow; ++row)
        sink_->Row(row, image_.Row(row - firstRow));
}

void JpegDecoder::ReadMarkers() {
    while (!endOfImage_) {
        const int marker = markers_.NextMarker();
        switch (marker) {
        case 0xC0:
        case 0xC1:
        case 0xC2:
            markers_.ReadFrame(frame_, marker == 0xC2, limits_);
            scan_.Components.clear();
            frameScanned_ = streaming_ = false;
            break;
        case 0xC3:
            ThrowJpegError(JpegMessage::Lossless);
        case 0xC5:
            ThrowJpegError(JpegMessage::DifferentialSequential);
        case 0xC6:
            ThrowJpegError(JpegMessage::DifferentialProgressive);
        case 0xC7:
            ThrowJpegError(JpegMessage::DifferentialLossless);
        case 0xC9:
        case 0xCA:
        case 0xCB:
        case 0xCD:
        case 0xCE:
        case 0xCF:
            ThrowJpegError(JpegMessage::Arithmetic);
        case 0xDE:
            ThrowJpegError(JpegMessage::Dhp);
        case 0xC4:
            markers_.ReadHuffmanTables(tables_);
            break;
        case 0xDB:
            markers_.ReadQuantizationTables(tables_);
            break;
        case 0xDD:
            restartInterval_ = markers_.ReadRestartInterval();
            break;
        case 0xDA:
            ReadScan();
            break;
        case 0xD9:
            endOfImage_ = true;
            break;
        case 0xD8:
            break;
        case 0xC8:
        case 0xCC:
        case 0xDC:
        case 0xDF:
            ThrowJpegError(JpegMessage::UnknownMarker);
        default:
            if ((marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE)
                markers_.SkipSegment();
            else if ((marker >= 0xD0 && marker <= 0xD7) || (marker >= 0xF0))
                ThrowJpegError(JpegMessage::UnknownMarker);
            // 0x00..0xBF carry no meaning outside entropy-coded data: ignored.
            break;
        }
    }
}

void JpegDecoder::ReadScan() {
    if (!frame_.Seen)
        ThrowJpegError(JpegMessage::ScanBeforeFrame);
    if (++scanCount_ > limits_.MaxScans)
        ThrowJpegError(JpegMessage::TooManyScans, {std::to_string(limits_.MaxScans)});
    markers_.ReadScanHeader(frame_, tables_, scan_);

    if (!frame_.Progressive && !frameScanned_ && CoversFrame()) {
        // The usual sequential file: one scan with every component. It is decoded one
        // MCU row at a time into small strips that are turned into pixels at once, so the
        // frame's data units never have to be held.
        streaming_ = true;
        AllocateStrips(frame_.ComponentCount != 1);
        PrepareImage();
    } else if (streaming_) {
        ThrowJpegError(JpegMessage::SequentialScans);
    } else if (!frameScanned_) {
        for (const int id : frame_.Order) {
            auto& component = frame_.Components[static_cast<std::size_t>(id)];
            component.Coefficients.Reset(component.DataUnitColumns, component.DataUnitRows);
        }
    }
    if (!frame_.Progressive && !streaming_)
        for (auto* component : scan_.Components)
            component->ScanDequantization =
                tables_.Quantization[static_cast<std::size_t>(component->QuantizationTable)]
                    .IntegerScaled();
    frameScanned_ = true;
    entropy_.DecodeScan(frame_, scan_, tables_, restartInterval_, streaming_,
                        [this](int firstRow, int endRow) { EmitRows(firstRow, endRow); });
}

bool JpegDecoder::CoversFrame() const {
    const auto& components = scan_.Components;
    if (components.size() != static_cast<std::size_t>(frame_.ComponentCount))
        return false;
    for (std::size_t i = 0; i < components.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (components[i] == components[j])
                return false;
    return true;
}

// One strip of data units per component: the rows of one MCU row, or a single row.
void JpegDecoder::AllocateStrips(bool wholeMcuRows) {
    for (const int id : frame_.Order) {
        auto& component = frame_.Components[static_cast<std::size_t>(id)];
        const int rows = wholeMcuRows ? component.VerticalFactor : 1;
        component.DataUnits.assign(static_cast<std::size_t>(component.DataUnitColumns) *
                                       static_cast<std::size_t>(rows),
                                   JpegDecoderDataUnit{});
        component.UnitRowBase = 0;
    }
}

// Turns the held coefficients into pixels one MCU row at a time, releasing each
// coefficient row once it is transformed. In progressive frames rows no scan reached
// hold zero coefficients; in sequential ones data units never decoded are black.
void JpegDecoder::ReconstructHeldFrame() {
    AllocateStrips(true);
    PrepareImage();
    alignas(16) static constexpr std::int16_t kZeroBlock[64] = {};
    const int stripHeight = 8 * frame_.MaxVerticalFactor;
    for (int mcuRow = 0; mcuRow < frame_.McuRows; ++mcuRow) {
        for (const int id : frame_.Order) {
            auto& component = frame_.Components[static_cast<std::size_t>(id)];
            const auto* table =
                frame_.Progressive
                    ? tables_.Quantization[static_cast<std::size_t>(component.QuantizationTable)]
                          .IntegerScaled()
                          .data()
                    : component.ScanDequantization.data();
            const int v = component.VerticalFactor;
            component.UnitRowBase = mcuRow * v;
            for (int y = 0; y < v; ++y) {
                const int row = mcuRow * v + y;
                auto* units = component.DataUnits.data() +
                              static_cast<std::size_t>(y) *
                                  static_cast<std::size_t>(component.DataUnitColumns);
                const std::int16_t* line = component.Coefficients.FindRow(row);
                for (int column = 0; column < component.DataUnitColumns; ++column) {
                    if (line == nullptr && !frame_.Progressive)
                        units[column].Samples.fill(0); // never decoded
                    else
                        JpegInverseDct(line != nullptr ? line + std::size_t{64} *
                                                                    static_cast<std::size_t>(column)
                                                       : kZeroBlock,
                                       table, units[column].Samples.data());
                }
                component.Coefficients.ReleaseRow(row);
            }
        }
        EmitRows(mcuRow * stripHeight, std::min(mcuRow * stripHeight + stripHeight, frame_.Height));
    }
}

} // namespace tessivar
