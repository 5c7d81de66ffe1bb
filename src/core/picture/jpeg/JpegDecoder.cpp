#include "core/picture/jpeg/JpegDecoder.h"

#include "core/picture/GraphicsExceptions.h"
#include "core/picture/jpeg/JpegInverseDct.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <utility>

namespace tessivar {

namespace {

[[noreturn]] void badData(const char* message) {
    throw EJpegBadData(message);
}

constexpr const char* kSegmentLengthMismatch = "Marker segment length does not match its contents";

int ceilDiv(std::int64_t value, std::int64_t divisor) {
    return static_cast<int>((value + divisor - 1) / divisor);
}

inline std::uint8_t clampSample(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// Hot row loops get an AVX2 copy besides the baseline one on x86-64, chosen at run time.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TESSIVAR_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define TESSIVAR_VECTOR_CLONES
#endif

// The row loops below work in fixed-size chunks so that the compiler can turn each
// chunk into vector instructions; the tails are handled one sample at a time.
constexpr int kChunk = 16;

inline void convertPixel(int luma, int blueDiff, int redDiff, std::uint8_t* out) {
    out[0] = clampSample(luma + ((7258 * blueDiff + 2048) >> 12));
    out[1] = clampSample(luma - ((1409 * blueDiff + 2925 * redDiff + 2048) >> 12));
    out[2] = clampSample(luma + ((5742 * redDiff + 2048) >> 12));
}

// YCbCr -> BGR with the integer multipliers 4096 x 1.402, 0.34414, 0.71414 and 1.772.
TESSIVAR_VECTOR_CLONES
void convertRow(const std::uint8_t* y, const std::uint8_t* cb, const std::uint8_t* cr,
                std::uint8_t* out, int width) {
    int x = 0;
    for (; x + kChunk <= width; x += kChunk) {
        std::uint8_t blue[kChunk];
        std::uint8_t green[kChunk];
        std::uint8_t red[kChunk];
        for (int i = 0; i < kChunk; ++i) {
            const int luma = y[x + i];
            const int blueDiff = cb[x + i] - 128;
            const int redDiff = cr[x + i] - 128;
            blue[i] = clampSample(luma + ((7258 * blueDiff + 2048) >> 12));
            green[i] = clampSample(luma - ((1409 * blueDiff + 2925 * redDiff + 2048) >> 12));
            red[i] = clampSample(luma + ((5742 * redDiff + 2048) >> 12));
        }
        std::uint8_t* pixel = out + 3 * x;
        for (int i = 0; i < kChunk; ++i) {
            pixel[3 * i] = blue[i];
            pixel[3 * i + 1] = green[i];
            pixel[3 * i + 2] = red[i];
        }
    }
    for (; x < width; ++x)
        convertPixel(y[x], cb[x] - 128, cr[x] - 128, out + 3 * x);
}

// Repeats each of the samples `ratio` times: out[x] = in[x / ratio] for x < width.
TESSIVAR_VECTOR_CLONES
void replicateRow(const std::uint8_t* in, std::uint8_t* out, int ratio, int width) {
    int x = 0;
    if (ratio == 2) {
        for (; x + 2 * kChunk <= width; x += 2 * kChunk) {
            const std::uint8_t* source = in + x / 2;
            for (int i = 0; i < kChunk; ++i) {
                out[x + 2 * i] = source[i];
                out[x + 2 * i + 1] = source[i];
            }
        }
    }
    for (; x < width; ++x)
        out[x] = in[x / ratio];
}

} // namespace

JpegDecoder::JpegDecoder(JpegDecoderLimits limits)
    : limits_(limits) {}

void JpegDecoder::reset() {
    for (auto& table : dcTables_)
        table = JpegHuffmanDecoder{};
    for (auto& table : acTables_)
        table = JpegHuffmanDecoder{};
    for (auto& table : quantizationTables_)
        table = JpegDecoderQuantizationTable{};
    // Only the frame's components were ever filled in.
    for (const int id : frameComponents_)
        components_[static_cast<std::size_t>(id)] = JpegDecoderComponent{};
    frameComponents_.clear();
    scanComponents_.clear();
    imageWidth_ = imageHeight_ = componentCount_ = 0;
    maxHorizontalFactor_ = maxVerticalFactor_ = 1;
    mcuRows_ = mcuColumns_ = 0;
    progressive_ = frameSeen_ = frameScanned_ = streaming_ = endOfImage_ = false;
    restartInterval_ = expectedRestart_ = endOfBandRun_ = scanCount_ = 0;
    data_ = nullptr;
    size_ = position_ = 0;
    resetBitReader();
}

std::uint8_t JpegDecoder::readByte() {
    if (position_ >= size_)
        badData("Premature end of file");
    return data_[position_++];
}

int JpegDecoder::readWord() {
    const int high = readByte();
    return (high << 8) | readByte();
}

void JpegDecoder::skipBytes(std::size_t count) {
    if (count > size_ - position_)
        badData("Premature end of file");
    position_ += count;
}

std::size_t JpegDecoder::segmentLength() {
    const int length = readWord();
    if (length < 2)
        badData(kSegmentLengthMismatch);
    const auto remaining = static_cast<std::size_t>(length - 2);
    if (remaining > size_ - position_)
        badData("Premature end of file");
    return remaining;
}

void JpegDecoder::ReadImage(std::span<const std::uint8_t> stream, BitmapImage& image) {
    reset();
    data_ = stream.data();
    size_ = stream.size();
    try {
        readJfifHeader();
        while (!endOfImage_) {
            // Skip to the next 0xFF; further 0xFF bytes are fill before the marker code.
            while (true) {
                if (position_ >= size_)
                    badData("End of Image Marker Not Found");
                if (data_[position_++] == 0xFF)
                    break;
            }
            int marker = 0xFF;
            while (marker == 0xFF) {
                if (position_ >= size_)
                    badData("End of Image Marker Not Found");
                marker = data_[position_++];
            }
            switch (marker) {
            case 0xC0:
            case 0xC1:
                readFrame(false);
                break;
            case 0xC2:
                readFrame(true);
                break;
            case 0xC3:
                badData("Lossless Huffman Coding Not Supported");
            case 0xC5:
                badData("Differential Sequential Huffman Coding Not Supported");
            case 0xC6:
                badData("Differential Progressive Huffman Coding Not Supported");
            case 0xC7:
                badData("Differential Lossless Huffman Coding Not Supported");
            case 0xC9:
            case 0xCA:
            case 0xCB:
            case 0xCD:
            case 0xCE:
            case 0xCF:
                badData("Cannot read image - Arithmetic Coding covered by patents");
            case 0xDE:
                badData("DHP marker not supported");
            case 0xC4:
                readHuffmanTables();
                break;
            case 0xDB:
                readQuantizationTables();
                break;
            case 0xDD:
                readRestartInterval();
                break;
            case 0xDA:
                readScan();
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
                badData("Unknown, unsupported, or reserved marker encountered");
            default:
                if ((marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE) {
                    skipBytes(segmentLength());
                } else if ((marker >= 0xD0 && marker <= 0xD7) || (marker >= 0xF0)) {
                    badData("Unknown, unsupported, or reserved marker encountered");
                }
                // 0x00..0xBF carry no meaning outside entropy-coded data: ignored.
                break;
            }
        }
        while (position_ < size_) {
            const std::uint8_t byte = data_[position_++];
            if (byte != '\r' && byte != '\n')
                badData("Extra Data After End of Image Marker");
        }
        finishImage(image);
    } catch (...) {
        // Release everything the frame allocated before passing the error on.
        reset();
        throw;
    }
    reset();
}

void JpegDecoder::readJfifHeader() {
    if (readByte() != 0xFF || readByte() != 0xD8)
        badData("Missing SOI Marker");
    if (readByte() != 0xFF || readByte() != 0xE0)
        badData("Missing JFIF APP0 Marker");
    std::uint8_t header[16];
    for (auto& byte : header)
        byte = readByte();
    if (std::memcmp(header + 2, "JFIF", 4) != 0)
        badData("Not a JFIF file");
    const int length = (header[0] << 8) | header[1];
    if (length > 16)
        skipBytes(static_cast<std::size_t>(length - 16)); // thumbnail
}

void JpegDecoder::readFrame(bool progressive) {
    const int length = readWord();
    if (readByte() != 8)
        badData("Only 8-bit data supported");
    const int height = readWord();
    const int width = readWord();
    const int count = readByte();
    if (count != 1 && count != 3)
        badData("JFIF only supports 1 and 3 component streams");
    if (length != 8 + 3 * count)
        badData("Invalid Frame Size");
    if (width == 0 || height == 0)
        badData("Frame width or height is 0");
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > limits_.maxPixels)
        throw EJpegBadData("Frame too large: " + std::to_string(width) + " x " +
                           std::to_string(height) + " is more than " +
                           std::to_string(limits_.maxPixels) + " pixels");

    for (const int id : frameComponents_)
        components_[static_cast<std::size_t>(id)] = JpegDecoderComponent{};
    frameComponents_.clear();
    scanComponents_.clear();
    frameSeen_ = frameScanned_ = streaming_ = false;

    int maxH = 1;
    int maxV = 1;
    for (int i = 0; i < count; ++i) {
        const int id = readByte();
        const int factors = readByte();
        const int table = readByte();
        if (id == 255)
            badData("Component identifier 255 is not supported");
        auto& component = components_[static_cast<std::size_t>(id)];
        if (component.defined)
            badData("Duplicate component identifier in frame");
        const int h = factors >> 4;
        const int v = factors & 15;
        if (h < 1 || h > 4 || v < 1 || v > 4)
            badData("Invalid sampling factor");
        if (table > 3)
            badData("Bad Quantization Table Index");
        component.defined = true;
        component.identifier = id;
        component.horizontalFactor = h;
        component.verticalFactor = v;
        component.quantizationTable = table;
        frameComponents_.push_back(id);
        maxH = std::max(maxH, h);
        maxV = std::max(maxV, v);
    }

    imageWidth_ = width;
    imageHeight_ = height;
    componentCount_ = count;
    maxHorizontalFactor_ = maxH;
    maxVerticalFactor_ = maxV;
    mcuColumns_ = ceilDiv(width, 8 * maxH);
    mcuRows_ = ceilDiv(height, 8 * maxV);
    progressive_ = progressive;
    for (const int id : frameComponents_) {
        auto& component = components_[static_cast<std::size_t>(id)];
        component.dataUnitColumns = mcuColumns_ * component.horizontalFactor;
        component.dataUnitRows = mcuRows_ * component.verticalFactor;
        // Component size ceil(X h / H) by ceil(Y v / V), in whole data units.
        component.scanColumns =
            ceilDiv(ceilDiv(std::int64_t{width} * component.horizontalFactor, maxH), 8);
        component.scanRows =
            ceilDiv(ceilDiv(std::int64_t{height} * component.verticalFactor, maxV), 8);
    }
    // The buffers are allocated when a scan first needs them (allocateComponent), so a
    // stream that only claims a large frame costs nothing.
    frameSeen_ = true;
}

void JpegDecoder::allocateComponent(JpegDecoderComponent& component) const {
    if (!component.dataUnits.empty())
        return;
    const auto units = static_cast<std::size_t>(component.dataUnitColumns) *
                       static_cast<std::size_t>(component.dataUnitRows);
    component.dataUnits.assign(units, JpegDecoderDataUnit{});
    component.unitRowBase = 0;
    if (progressive_)
        component.coefficients.assign(units * 64, 0);
}

void JpegDecoder::readHuffmanTables() {
    std::size_t remaining = segmentLength();
    while (remaining > 0) {
        if (remaining < 17)
            badData(kSegmentLengthMismatch);
        const int classAndIndex = readByte();
        const int tableClass = classAndIndex >> 4;
        const int index = classAndIndex & 15;
        if (index > 3)
            badData("Huffman Table Index outside range [0..3]");
        if (tableClass > 1)
            badData("Invalid Huffman Table Class");
        std::array<std::uint8_t, 16> counts{};
        int total = 0;
        for (auto& count : counts) {
            count = readByte();
            total += count;
        }
        if (total > 256)
            badData("Huffman count > 256");
        remaining -= 17;
        if (static_cast<std::size_t>(total) > remaining)
            badData(kSegmentLengthMismatch);
        const std::span<const std::uint8_t> symbols(data_ + position_,
                                                    static_cast<std::size_t>(total));
        position_ += static_cast<std::size_t>(total);
        remaining -= static_cast<std::size_t>(total);
        auto& table = tableClass == 0 ? dcTables_[static_cast<std::size_t>(index)]
                                      : acTables_[static_cast<std::size_t>(index)];
        table.Define(counts, symbols);
    }
}

void JpegDecoder::readQuantizationTables() {
    std::size_t remaining = segmentLength();
    while (remaining > 0) {
        const int precisionAndIndex = readByte();
        const int precision = precisionAndIndex >> 4;
        const int index = precisionAndIndex & 15;
        if (index > 3)
            badData("Quantization Table Index Too Large");
        if (precision == 1)
            badData("Only 8-bit Data is Supported");
        if (precision != 0)
            badData("Invalid Quantization Table Precision");
        if (remaining < 65)
            badData(kSegmentLengthMismatch);
        std::array<std::uint16_t, 64> values{};
        for (auto& value : values) {
            value = readByte();
            if (value == 0)
                badData("Zero value in quantization table");
        }
        remaining -= 65;
        quantizationTables_[static_cast<std::size_t>(index)].Define(values);
    }
}

void JpegDecoder::readRestartInterval() {
    if (segmentLength() != 2)
        badData(kSegmentLengthMismatch);
    restartInterval_ = readWord();
}

void JpegDecoder::readScan() {
    if (!frameSeen_)
        badData("Scan found before frame defined");
    if (++scanCount_ > limits_.maxScans)
        throw EJpegBadData("Too many scans (more than " + std::to_string(limits_.maxScans) + ")");
    const std::size_t length = segmentLength();
    const int count = readByte();
    if (count < 1 || count > 3)
        badData("Invalid component count in scan");
    if (length != static_cast<std::size_t>(4 + 2 * count))
        badData(kSegmentLengthMismatch);
    scanComponents_.clear();
    for (int i = 0; i < count; ++i) {
        const int id = readByte();
        const int tables = readByte();
        if (id == 255 || !components_[static_cast<std::size_t>(id)].defined)
            badData("Component Not Defined");
        auto& component = components_[static_cast<std::size_t>(id)];
        component.dcTable = tables >> 4;
        component.acTable = tables & 15;
        scanComponents_.push_back(&component);
    }
    spectralStart_ = readByte();
    spectralEnd_ = readByte();
    const int approximation = readByte();
    approximationHigh_ = approximation >> 4;
    approximationLow_ = approximation & 15;

    checkScanTables(spectralStart_);
    if (progressive_) {
        if (spectralStart_ == 0 && spectralEnd_ != 0)
            badData("Progressive scan contains DC and AC data");
        if (spectralStart_ > spectralEnd_ || spectralEnd_ > 63 || approximationLow_ > 13 ||
            (approximationHigh_ != 0 && approximationHigh_ != approximationLow_ + 1) ||
            (spectralStart_ > 0 && count != 1))
            badData("Error in progressive scan");
    }
    if (!progressive_ && !frameScanned_ && coversFrame()) {
        // The usual sequential file: one scan with every component. It is decoded one
        // MCU row at a time into small strips that are turned into pixels at once, so the
        // frame's data units never have to be held.
        streaming_ = true;
        for (auto* component : scanComponents_) {
            component->dataUnits.assign(static_cast<std::size_t>(component->dataUnitColumns) *
                                            (componentCount_ == 1 ? 1 : component->verticalFactor),
                                        JpegDecoderDataUnit{});
        }
        prepareOutput();
    } else if (streaming_) {
        badData("Sequential frame has more than one scan");
    } else {
        for (auto* component : scanComponents_)
            allocateComponent(*component);
    }
    frameScanned_ = true;
    decodeScanData();
}

bool JpegDecoder::coversFrame() const {
    if (scanComponents_.size() != static_cast<std::size_t>(componentCount_))
        return false;
    for (std::size_t i = 0; i < scanComponents_.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (scanComponents_[i] == scanComponents_[j])
                return false;
    return true;
}

void JpegDecoder::checkScanTables(int spectralStart) const {
    const bool needDc = !progressive_ || spectralStart == 0;
    const bool needAc = !progressive_ || spectralStart != 0;
    for (const JpegDecoderComponent* component : scanComponents_) {
        if (component->quantizationTable < 0 || component->quantizationTable > 3)
            throw EJpegFatal("INTERNAL ERROR - Quantization Table Not Assigned");
        if (!quantizationTables_[static_cast<std::size_t>(component->quantizationTable)]
                 .IsDefined())
            throw EJpegError("Quantization Table Not Defined");
        if (needDc) {
            if (component->dcTable < 0 || component->dcTable > 3)
                throw EJpegFatal("INTERNAL ERROR - DC Table Not Assigned");
            if (!dcTables_[static_cast<std::size_t>(component->dcTable)].IsDefined())
                throw EJpegFatal("INTERNAL ERROR - DC Table Not Defined");
        }
        if (needAc) {
            if (component->acTable < 0 || component->acTable > 3)
                throw EJpegFatal("INTERNAL ERROR - AC Table Not Assigned");
            if (!acTables_[static_cast<std::size_t>(component->acTable)].IsDefined())
                throw EJpegError("AC Table Not Defined");
        }
    }
}

// ---------------------------------------------------------------------------------------
// Entropy-coded data

void JpegDecoder::resetBitReader() {
    bitBuffer_ = 0;
    bitCount_ = 0;
    fakeBits_ = 0;
    stop_ = Stop::None;
}

void JpegDecoder::refill() {
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

void JpegDecoder::checkBitsAvailable() const {
    if (bitCount_ >= fakeBits_)
        return;
    switch (stop_) {
    case Stop::Dnl:
        badData("Unexpected Marker DNL");
    case Stop::Marker:
        badData("Unexpected Marker");
    default:
        badData("Premature end of file");
    }
}

inline int JpegDecoder::decodeSymbol(const JpegHuffmanDecoder& table) {
    if (bitCount_ < 32)
        refill();
    const auto entry =
        table
            .lookup[static_cast<std::size_t>(bitBuffer_ >> (64 - JpegHuffmanDecoder::kLookupBits))];
    if (entry != 0) {
        const int length = entry >> 8;
        bitBuffer_ <<= length;
        bitCount_ -= length;
        return entry & 0xFF;
    }
    return decodeSymbolSlow(table);
}

int JpegDecoder::decodeSymbolSlow(const JpegHuffmanDecoder& table) {
    const auto code16 = static_cast<std::int32_t>(bitBuffer_ >> 48);
    for (int length = JpegHuffmanDecoder::kLookupBits + 1; length <= 16; ++length) {
        const std::int32_t code = code16 >> (16 - length);
        if (code <= table.maxCode[static_cast<std::size_t>(length)]) {
            bitBuffer_ <<= length;
            bitCount_ -= length;
            return table.symbols[static_cast<std::size_t>(
                code + table.valueOffset[static_cast<std::size_t>(length)])];
        }
    }
    badData("Corrupt Scan Data");
}

// Takes `count` (0..16) bits; the caller has made sure they are in the buffer.
inline int JpegDecoder::receiveBits(int count) {
    if (count == 0)
        return 0;
    const auto value = static_cast<int>(bitBuffer_ >> (64 - count));
    bitBuffer_ <<= count;
    bitCount_ -= count;
    return value;
}

// Takes `count` bits and sign-extends them as a coefficient of magnitude category `count`.
inline int JpegDecoder::receiveExtend(int count) {
    if (count == 0)
        return 0;
    const int value = receiveBits(count);
    return value < (1 << (count - 1)) ? value - (1 << count) + 1 : value;
}

void JpegDecoder::processRestart() {
    // Whole unread bytes before the marker mean the interval held more data than its
    // MCUs needed.
    if (bitCount_ - fakeBits_ >= 8)
        badData("Missing Restart Marker");
    resetBitReader();
    if (readByte() != 0xFF)
        badData("Missing Restart Marker");
    int marker = 0xFF;
    while (marker == 0xFF)
        marker = readByte();
    if (marker < 0xD0 || marker > 0xD7)
        badData("Missing Restart Marker");
    if ((marker & 7) != expectedRestart_)
        badData("Incorrect Restart Marker");
    expectedRestart_ = (expectedRestart_ + 1) & 7;
    for (auto* component : scanComponents_)
        component->dcPredictor = 0;
    endOfBandRun_ = 0;
}

void JpegDecoder::decodeSequentialUnit(JpegDecoderComponent& component, int unitIndex) {
    alignas(16) std::int16_t block[64] = {};
    const auto& dc = dcTables_[static_cast<std::size_t>(component.dcTable)];
    const auto& ac = acTables_[static_cast<std::size_t>(component.acTable)];

    const int category = decodeSymbol(dc);
    if (category > 15)
        badData("Invalid value in input stream");
    // The predictor wraps like the 16-bit coefficient it feeds.
    component.dcPredictor =
        static_cast<std::int16_t>(component.dcPredictor + receiveExtend(category));
    block[0] = static_cast<std::int16_t>(component.dcPredictor);

    for (int k = 1; k < 64;) {
        if (bitCount_ < 32)
            refill();
        // Most coefficients: code and magnitude in one look-up.
        const std::int32_t fast = ac.fastAc[static_cast<std::size_t>(
            bitBuffer_ >> (64 - JpegHuffmanDecoder::kLookupBits))];
        if (fast != 0) {
            k += (fast >> 4) & 15;
            if (k > 63)
                throw EJpegFatal("Value out of range");
            const int length = fast & 15;
            bitBuffer_ <<= length;
            bitCount_ -= length;
            block[kJpegZigZagToNatural[static_cast<std::size_t>(k)]] =
                static_cast<std::int16_t>(fast >> 8);
            ++k;
            continue;
        }
        const int symbol = decodeSymbol(ac);
        const int run = symbol >> 4;
        const int size = symbol & 15;
        if (size == 0) {
            if (run != 15)
                break; // end of block
            k += 16;
            if (k > 64)
                throw EJpegFatal("Value out of range");
            continue;
        }
        k += run;
        if (k > 63)
            throw EJpegFatal("Value out of range");
        block[kJpegZigZagToNatural[static_cast<std::size_t>(k)]] =
            static_cast<std::int16_t>(receiveExtend(size));
        ++k;
    }
    JpegInverseDct(block,
                   quantizationTables_[static_cast<std::size_t>(component.quantizationTable)]
                       .IntegerScaled()
                       .data(),
                   component.dataUnits[static_cast<std::size_t>(unitIndex)].samples.data());
}

void JpegDecoder::decodeDcFirst(JpegDecoderComponent& component, std::int16_t* block) {
    const int category = decodeSymbol(dcTables_[static_cast<std::size_t>(component.dcTable)]);
    if (category > 15)
        badData("Invalid value in input stream");
    component.dcPredictor =
        static_cast<std::int16_t>(component.dcPredictor + receiveExtend(category));
    block[0] = static_cast<std::int16_t>(component.dcPredictor * (1 << approximationLow_));
}

void JpegDecoder::decodeDcRefine(std::int16_t* block) {
    if (bitCount_ < 32)
        refill();
    if (receiveBits(1) != 0)
        block[0] = static_cast<std::int16_t>(block[0] | (1 << approximationLow_));
}

void JpegDecoder::decodeAcFirst(const JpegDecoderComponent& component, std::int16_t* block) {
    if (endOfBandRun_ > 0) {
        --endOfBandRun_;
        return;
    }
    const auto& ac = acTables_[static_cast<std::size_t>(component.acTable)];
    for (int k = spectralStart_; k <= spectralEnd_; ++k) {
        const int symbol = decodeSymbol(ac);
        const int run = symbol >> 4;
        const int size = symbol & 15;
        if (size != 0) {
            k += run;
            if (k > spectralEnd_)
                badData("Data out of range");
            block[kJpegZigZagToNatural[static_cast<std::size_t>(k)]] =
                static_cast<std::int16_t>(receiveExtend(size) * (1 << approximationLow_));
        } else if (run == 15) {
            k += 15; // sixteen zero coefficients
        } else {
            endOfBandRun_ = (1 << run) - 1 + receiveBits(run);
            break;
        }
    }
}

void JpegDecoder::decodeAcRefine(const JpegDecoderComponent& component, std::int16_t* block) {
    const int plusBit = 1 << approximationLow_;
    const int minusBit = -plusBit;
    const auto& ac = acTables_[static_cast<std::size_t>(component.acTable)];
    int k = spectralStart_;

    // Appends a correction bit to a coefficient that is already non-zero.
    auto refine = [&](std::int16_t& coefficient) {
        if (bitCount_ < 32)
            refill();
        if (receiveBits(1) != 0 && (coefficient & plusBit) == 0)
            coefficient =
                static_cast<std::int16_t>(coefficient + (coefficient >= 0 ? plusBit : minusBit));
    };

    if (endOfBandRun_ == 0) {
        for (; k <= spectralEnd_; ++k) {
            const int symbol = decodeSymbol(ac);
            int run = symbol >> 4;
            const int size = symbol & 15;
            int value = 0;
            if (size != 0) {
                if (size != 1)
                    badData("Invalid value in input stream");
                value = receiveBits(1) != 0 ? plusBit : minusBit;
            } else if (run != 15) {
                endOfBandRun_ = (1 << run) + receiveBits(run);
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
                    badData("Data out of range");
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

void JpegDecoder::decodeScanData() {
    resetBitReader();
    endOfBandRun_ = 0;
    expectedRestart_ = 0;
    for (auto* component : scanComponents_)
        component->dcPredictor = 0;

    auto decodeUnit = [&](JpegDecoderComponent& component, int unitIndex) {
        if (!progressive_) {
            decodeSequentialUnit(component, unitIndex);
            return;
        }
        std::int16_t* block =
            component.coefficients.data() + std::size_t{64} * static_cast<std::size_t>(unitIndex);
        if (spectralStart_ == 0) {
            if (approximationHigh_ == 0)
                decodeDcFirst(component, block);
            else
                decodeDcRefine(block);
        } else if (approximationHigh_ == 0) {
            decodeAcFirst(component, block);
        } else {
            decodeAcRefine(component, block);
        }
    };

    int restartsToGo = restartInterval_;
    auto beforeMcu = [&] {
        if (restartInterval_ == 0)
            return;
        if (restartsToGo == 0) {
            processRestart();
            restartsToGo = restartInterval_;
        }
        --restartsToGo;
    };

    // Data unit rows are counted from the component's unitRowBase: 0 when the whole
    // frame is held, the strip's first row when streaming.
    if (scanComponents_.size() == 1) {
        // Non-interleaved: the component's own data units, row by row.
        JpegDecoderComponent& component = *scanComponents_[0];
        for (int row = 0; row < component.scanRows; ++row) {
            if (streaming_)
                component.unitRowBase = row;
            for (int column = 0; column < component.scanColumns; ++column) {
                beforeMcu();
                decodeUnit(component,
                           (row - component.unitRowBase) * component.dataUnitColumns + column);
                checkBitsAvailable();
            }
            if (streaming_)
                emitRows(row * 8, std::min(row * 8 + 8, imageHeight_));
        }
    } else {
        for (int mcuRow = 0; mcuRow < mcuRows_; ++mcuRow) {
            if (streaming_)
                for (JpegDecoderComponent* component : scanComponents_)
                    component->unitRowBase = mcuRow * component->verticalFactor;
            for (int mcuColumn = 0; mcuColumn < mcuColumns_; ++mcuColumn) {
                beforeMcu();
                for (JpegDecoderComponent* component : scanComponents_) {
                    const int h = component->horizontalFactor;
                    const int v = component->verticalFactor;
                    const int firstRow = mcuRow * v - component->unitRowBase;
                    for (int y = 0; y < v; ++y) {
                        const int rowStart = (firstRow + y) * component->dataUnitColumns;
                        for (int x = 0; x < h; ++x)
                            decodeUnit(*component, rowStart + mcuColumn * h + x);
                    }
                }
                checkBitsAvailable();
            }
            if (streaming_) {
                const int rows = 8 * maxVerticalFactor_;
                emitRows(mcuRow * rows, std::min(mcuRow * rows + rows, imageHeight_));
            }
        }
    }
    // Leave the reader at the marker (or wherever refilling stopped) for the marker loop.
    resetBitReader();
}

// ---------------------------------------------------------------------------------------
// Reconstruction

const std::uint8_t* JpegDecoder::upsampledRowFor(JpegDecoderComponent& component, int row) const {
    const int h = component.horizontalFactor;
    const int v = component.verticalFactor;
    const int sourceRow = maxVerticalFactor_ % v == 0
                              ? row / (maxVerticalFactor_ / v)
                              : static_cast<int>(std::int64_t{row} * v / maxVerticalFactor_);
    if (sourceRow != component.cachedRow) {
        const int columns = component.dataUnitColumns;
        const auto* units = component.dataUnits.data() +
                            static_cast<std::size_t>(sourceRow / 8 - component.unitRowBase) *
                                static_cast<std::size_t>(columns);
        const std::size_t offset = static_cast<std::size_t>(sourceRow % 8) * 8;
        std::uint8_t* line = component.sampleRow.data();
        for (int column = 0; column < columns; ++column)
            std::memcpy(line + 8 * column, units[column].samples.data() + offset, 8);
        component.cachedRow = sourceRow;
        if (h != maxHorizontalFactor_) {
            std::uint8_t* out = component.upsampledRow.data();
            if (maxHorizontalFactor_ % h == 0) {
                replicateRow(line, out, maxHorizontalFactor_ / h, imageWidth_);
            } else {
                for (int x = 0; x < imageWidth_; ++x)
                    out[x] = line[static_cast<std::int64_t>(x) * h / maxHorizontalFactor_];
            }
        }
    }
    return h == maxHorizontalFactor_ ? component.sampleRow.data() : component.upsampledRow.data();
}

void JpegDecoder::prepareOutput() {
    image_.SetSize(imageWidth_, imageHeight_, componentCount_ == 3 ? 24 : 8);
    for (const int id : frameComponents_) {
        auto& component = components_[static_cast<std::size_t>(id)];
        component.sampleRow.assign(static_cast<std::size_t>(component.dataUnitColumns) * 8, 0);
        component.upsampledRow.assign(static_cast<std::size_t>(imageWidth_), 0);
        component.cachedRow = -1;
    }
}

void JpegDecoder::emitRows(int firstRow, int endRow) {
    for (const int id : frameComponents_)
        components_[static_cast<std::size_t>(id)].cachedRow = -1; // the strip may have changed
    if (componentCount_ == 1) {
        auto& luma = components_[static_cast<std::size_t>(frameComponents_[0])];
        for (int y = firstRow; y < endRow; ++y)
            std::memcpy(image_.Row(y).data(), upsampledRowFor(luma, y),
                        static_cast<std::size_t>(imageWidth_));
        return;
    }
    auto& luma = components_[static_cast<std::size_t>(frameComponents_[0])];
    auto& blue = components_[static_cast<std::size_t>(frameComponents_[1])];
    auto& red = components_[static_cast<std::size_t>(frameComponents_[2])];
    for (int y = firstRow; y < endRow; ++y)
        convertRow(upsampledRowFor(luma, y), upsampledRowFor(blue, y), upsampledRowFor(red, y),
                   image_.Row(y).data(), imageWidth_);
}

void JpegDecoder::finishImage(BitmapImage& image) {
    if (!frameSeen_)
        badData("No frame before the End of Image Marker");
    if (!frameScanned_)
        badData("No scan before the End of Image Marker");
    if (!streaming_) {
        for (const int id : frameComponents_) {
            auto& component = components_[static_cast<std::size_t>(id)];
            allocateComponent(component); // a component no scan has named
            if (progressive_) {
                const auto* table =
                    quantizationTables_[static_cast<std::size_t>(component.quantizationTable)]
                        .IntegerScaled()
                        .data();
                for (std::size_t unit = 0; unit < component.dataUnits.size(); ++unit)
                    JpegInverseDct(component.coefficients.data() + 64 * unit, table,
                                   component.dataUnits[unit].samples.data());
                component.coefficients = {};
            }
        }
        prepareOutput();
        emitRows(0, imageHeight_);
    }
    // The caller's previous picture stays here as the buffer for the next decode.
    std::swap(image, image_);
}

} // namespace tessivar
