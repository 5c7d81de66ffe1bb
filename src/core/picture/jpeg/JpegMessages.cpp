#include "core/picture/jpeg/JpegMessages.h"

#include "core/picture/GraphicsExceptions.h"

#include <array>
#include <cstddef>

namespace tessivar {

namespace {

enum class Kind { BadData, Error, Fatal };

struct Entry {
    JpegMessage Message;
    Kind MessageKind;
    const char* Text;
};

constexpr Entry kMessages[] = {
    {JpegMessage::PrematureEnd, Kind::BadData, "Premature end of file"},
    {JpegMessage::MissingSoi, Kind::BadData, "Missing SOI Marker"},
    {JpegMessage::MissingApp0, Kind::BadData, "Missing JFIF APP0 Marker"},
    {JpegMessage::NotJfif, Kind::BadData, "Not a JFIF file"},
    {JpegMessage::NoEndOfImage, Kind::BadData, "End of Image Marker Not Found"},
    {JpegMessage::ExtraData, Kind::BadData, "Extra Data After End of Image Marker"},
    {JpegMessage::Lossless, Kind::BadData, "Lossless Huffman Coding Not Supported"},
    {JpegMessage::DifferentialSequential, Kind::BadData,
     "Differential Sequential Huffman Coding Not Supported"},
    {JpegMessage::DifferentialProgressive, Kind::BadData,
     "Differential Progressive Huffman Coding Not Supported"},
    {JpegMessage::DifferentialLossless, Kind::BadData,
     "Differential Lossless Huffman Coding Not Supported"},
    {JpegMessage::Arithmetic, Kind::BadData,
     "Cannot read image - Arithmetic Coding covered by patents"},
    {JpegMessage::Dhp, Kind::BadData, "DHP marker not supported"},
    {JpegMessage::UnknownMarker, Kind::BadData,
     "Unknown, unsupported, or reserved marker encountered"},
    {JpegMessage::SegmentLength, Kind::BadData,
     "Marker segment length does not match its contents"},
    {JpegMessage::FramePrecision, Kind::BadData, "Only 8-bit data supported"},
    {JpegMessage::ComponentCount, Kind::BadData, "JFIF only supports 1 and 3 component streams"},
    {JpegMessage::FrameSize, Kind::BadData, "Invalid Frame Size"},
    {JpegMessage::FrameEmpty, Kind::BadData, "Frame width or height is 0"},
    {JpegMessage::FrameTooLarge, Kind::BadData, "Frame too large: % x % is more than % pixels"},
    {JpegMessage::ComponentId255, Kind::BadData, "Component identifier 255 is not supported"},
    {JpegMessage::DuplicateComponent, Kind::BadData, "Duplicate component identifier in frame"},
    {JpegMessage::SamplingFactor, Kind::BadData, "Invalid sampling factor"},
    {JpegMessage::FrameQuantizationIndex, Kind::BadData, "Bad Quantization Table Index"},
    {JpegMessage::HuffmanIndex, Kind::BadData, "Huffman Table Index outside range [0..3]"},
    {JpegMessage::HuffmanClass, Kind::BadData, "Invalid Huffman Table Class"},
    {JpegMessage::HuffmanCount, Kind::BadData, "Huffman count > 256"},
    {JpegMessage::HuffmanSymbolCount, Kind::Fatal,
     "INTERNAL ERROR - Huffman symbol count mismatch"},
    {JpegMessage::HuffmanLengths, Kind::BadData, "Bad Huffman Code Length"},
    {JpegMessage::QuantizationIndex, Kind::BadData, "Quantization Table Index Too Large"},
    {JpegMessage::QuantizationSixteenBit, Kind::BadData, "Only 8-bit Data is Supported"},
    {JpegMessage::QuantizationPrecision, Kind::BadData, "Invalid Quantization Table Precision"},
    {JpegMessage::QuantizationZero, Kind::BadData, "Zero value in quantization table"},
    {JpegMessage::ScanBeforeFrame, Kind::BadData, "Scan found before frame defined"},
    {JpegMessage::TooManyScans, Kind::BadData, "Too many scans (more than %)"},
    {JpegMessage::ScanComponentCount, Kind::BadData, "Invalid component count in scan"},
    {JpegMessage::ScanComponentUnknown, Kind::BadData, "Component Not Defined"},
    {JpegMessage::QuantizationNotAssigned, Kind::Fatal,
     "INTERNAL ERROR - Quantization Table Not Assigned"},
    {JpegMessage::QuantizationNotDefined, Kind::Error, "Quantization Table Not Defined"},
    {JpegMessage::DcNotAssigned, Kind::Fatal, "INTERNAL ERROR - DC Table Not Assigned"},
    {JpegMessage::DcNotDefined, Kind::Fatal, "INTERNAL ERROR - DC Table Not Defined"},
    {JpegMessage::AcNotAssigned, Kind::Fatal, "INTERNAL ERROR - AC Table Not Assigned"},
    {JpegMessage::AcNotDefined, Kind::Error, "AC Table Not Defined"},
    {JpegMessage::ProgressiveDcAndAc, Kind::BadData, "Progressive scan contains DC and AC data"},
    {JpegMessage::ProgressiveParameters, Kind::BadData, "Error in progressive scan"},
    {JpegMessage::SequentialScans, Kind::BadData, "Sequential frame has more than one scan"},
    {JpegMessage::UnexpectedDnl, Kind::BadData, "Unexpected Marker DNL"},
    {JpegMessage::UnexpectedMarker, Kind::BadData, "Unexpected Marker"},
    {JpegMessage::CorruptScanData, Kind::BadData, "Corrupt Scan Data"},
    {JpegMessage::InvalidValue, Kind::BadData, "Invalid value in input stream"},
    {JpegMessage::ValueOutOfRange, Kind::Fatal, "Value out of range"},
    {JpegMessage::DataOutOfRange, Kind::BadData, "Data out of range"},
    {JpegMessage::MissingRestart, Kind::BadData, "Missing Restart Marker"},
    {JpegMessage::IncorrectRestart, Kind::BadData, "Incorrect Restart Marker"},
    {JpegMessage::NoFrame, Kind::BadData, "No frame before the End of Image Marker"},
    {JpegMessage::NoScan, Kind::BadData, "No scan before the End of Image Marker"},
};

constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < std::size(kMessages); ++i)
        if (static_cast<std::size_t>(kMessages[i].Message) != i)
            return false;
    return static_cast<std::size_t>(JpegMessage::NoScan) + 1 == std::size(kMessages);
}
static_assert(InEnumOrder(), "kMessages must list every JpegMessage in declaration order");

const Entry& EntryOf(JpegMessage message) {
    return kMessages[static_cast<std::size_t>(message)];
}

} // namespace

void ThrowJpegError(JpegMessage message, std::initializer_list<std::string> values) {
    const Entry& found = EntryOf(message);
    std::string text;
    auto value = values.begin();
    for (const char* c = found.Text; *c != '\0'; ++c) {
        if (*c == '%' && value != values.end())
            text += *value++;
        else
            text += *c;
    }
    switch (found.MessageKind) {
    case Kind::Error:
        throw EJpegError(text);
    case Kind::Fatal:
        throw EJpegFatal(text);
    case Kind::BadData:
        break;
    }
    throw EJpegBadData(text);
}

} // namespace tessivar
