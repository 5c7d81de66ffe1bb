#pragma once

#include <initializer_list>
#include <string>

namespace tessivar {

// Every failure the JPEG reader reports. The texts and the exception class of each sit
// in one table (JpegMessages.cpp).
enum class JpegMessage {
    PrematureEnd,
    MissingSoi,
    MissingApp0,
    NotJfif,
    NoEndOfImage,
    ExtraData,
    Lossless,
    DifferentialSequential,
    DifferentialProgressive,
    DifferentialLossless,
    Arithmetic,
    Dhp,
    UnknownMarker,
    SegmentLength,
    FramePrecision,
    ComponentCount,
    FrameSize,
    FrameEmpty,
    FrameTooLarge,
    ComponentId255,
    DuplicateComponent,
    SamplingFactor,
    FrameQuantizationIndex,
    HuffmanIndex,
    HuffmanClass,
    HuffmanCount,
    HuffmanSymbolCount,
    HuffmanLengths,
    QuantizationIndex,
    QuantizationSixteenBit,
    QuantizationPrecision,
    QuantizationZero,
    ScanBeforeFrame,
    TooManyScans,
    ScanComponentCount,
    ScanComponentUnknown,
    QuantizationNotAssigned,
    QuantizationNotDefined,
    DcNotAssigned,
    DcNotDefined,
    AcNotAssigned,
    AcNotDefined,
    ProgressiveDcAndAc,
    ProgressiveParameters,
    SequentialScans,
    UnexpectedDnl,
    UnexpectedMarker,
    CorruptScanData,
    InvalidValue,
    ValueOutOfRange,
    DataOutOfRange,
    MissingRestart,
    IncorrectRestart,
    NoFrame,
    NoScan,
};

// Throws the message's exception (EJpegBadData, EJpegError or EJpegFatal), with each '%'
// of its text replaced by the next of `values`.
[[noreturn]] void ThrowJpegError(JpegMessage message,
                                 std::initializer_list<std::string> values = {});

} // namespace tessivar
