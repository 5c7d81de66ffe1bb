#include "core/picture/BmpReader.h"

#include "core/files/ByteReader.h"

#include <algorithm>
#include <bit>

namespace tessivar {

namespace {

constexpr std::uint64_t kFileHeaderBytes = 14;
constexpr int kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

std::string Hex(std::uint32_t value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += digits[(value >> shift) & 15];
    return text;
}

std::string At(std::uint64_t offset) {
    return " at byte " + std::to_string(offset);
}

} // namespace

BmpReader::BmpReader(InputFile file)
    : file_(std::move(file)) {}

Result<std::unique_ptr<BmpReader>> BmpReader::Open(InputFile file) {
    std::unique_ptr<BmpReader> reader(new BmpReader(std::move(file)));
    if (Status status = reader->ReadHeaders(); !status)
        return Fail(status.error());
    return reader;
}

Status BmpReader::ReadHeaders() {
    std::array<std::uint8_t, kFileHeaderBytes + 4> start{};
    if (!file_.ReadAt(0, start))
        return Fail("The file is too short for a bitmap");
    ByteReader head(start);
    if (head.U8() != 'B' || head.U8() != 'M')
        return Fail("It is not a Windows bitmap (it does not start with \"BM\")");
    head.I32(); // file size: often wrong, never needed
    head.I32(); // reserved
    dataOffset_ = static_cast<std::uint32_t>(head.I32());
    const auto headerBytes = static_cast<std::uint32_t>(head.I32());
    if (headerBytes != 12 && headerBytes != 40 && headerBytes != 52 && headerBytes != 56 &&
        headerBytes != 108 && headerBytes != 124)
        return Fail("The bitmap header has an unknown size of " + std::to_string(headerBytes) +
                    " bytes");
    // Room for the header and the three or four masks an info header may be followed by.
    std::vector<std::uint8_t> header(headerBytes + 16);
    const std::uint64_t headerOffset = kFileHeaderBytes;
    if (!file_.ReadAt(headerOffset, std::span(header).first(headerBytes)))
        return Fail("The file ends inside the bitmap header");
    file_.ReadAt(headerOffset + headerBytes, std::span(header).subspan(headerBytes));
    ByteReader info(std::span<const std::uint8_t>(header).subspan(4));
    long long width = 0, height = 0;
    std::uint32_t colorsUsed = 0;
    if (headerBytes == 12) {
        width = info.U16();
        height = info.U16();
        info.U16(); // planes
        bitCount_ = info.U16();
    } else {
        width = info.I32();
        height = info.I32();
        info.U16(); // planes
        bitCount_ = info.U16();
        compression_ = info.I32();
        info.I32(); // image size
        info.I32(); // horizontal resolution
        info.I32(); // vertical resolution
        colorsUsed = static_cast<std::uint32_t>(info.I32());
        info.I32(); // important colours
    }
    topDown_ = height < 0;
    height = std::abs(height);
    if (Status fits = CheckPictureSize(width, height); !fits)
        return Fail(fits.error());
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);

    switch (bitCount_) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return Fail("The bitmap has " + std::to_string(bitCount_) +
                    " bits a pixel; 1, 4, 8, 16, 24 and 32 can be read");
    }
    const bool masked = compression_ == kBitFields || compression_ == kAlphaBitFields;
    if (compression_ == kRle8 && bitCount_ != 8)
        return Fail("RLE8 compression needs 8 bits a pixel, not " + std::to_string(bitCount_));
    if (compression_ == kRle4 && bitCount_ != 4)
        return Fail("RLE4 compression needs 4 bits a pixel, not " + std::to_string(bitCount_));
    if (masked && bitCount_ != 16 && bitCount_ != 32)
        return Fail("Bit masks need 16 or 32 bits a pixel, not " + std::to_string(bitCount_));
    if (compression_ != kRgb && compression_ != kRle8 && compression_ != kRle4 && !masked)
        return Fail("The bitmap uses an unknown compression (" + std::to_string(compression_) +
                    ")");

    std::uint64_t paletteOffset = headerOffset + headerBytes;
    if (masked) {
        // Masks follow an info header; later headers hold them.
        ByteReader masks(std::span<const std::uint8_t>(header).subspan(40));
        const auto red = static_cast<std::uint32_t>(masks.I32());
        const auto green = static_cast<std::uint32_t>(masks.I32());
        const auto blue = static_cast<std::uint32_t>(masks.I32());
        if (headerBytes == 40) {
            paletteOffset += compression_ == kAlphaBitFields ? 16 : 12;
            if (paletteOffset > file_.size())
                return Fail("The file ends inside the bitmap's bit masks");
        }
        if (Status status = SetMasks(red, green, blue); !status)
            return status;
    } else if (bitCount_ == 16) {
        if (Status status = SetMasks(0x7C00, 0x03E0, 0x001F); !status)
            return status;
    } else if (bitCount_ == 32) {
        if (Status status = SetMasks(0xFF0000, 0xFF00, 0xFF); !status)
            return status;
    }
    if (bitCount_ <= 8)
        if (Status status = ReadPalette(paletteOffset, headerBytes == 12 ? 3 : 4, colorsUsed);
            !status)
            return status;

    if (dataOffset_ >= file_.size())
        return Fail("The pixel data offset " + std::to_string(dataOffset_) +
                    " lies past the end of the file (" + std::to_string(file_.size()) + " bytes)");
    if (compression_ == kRle8 || compression_ == kRle4)
        return IndexRleRows();
    stride_ =
        (static_cast<std::size_t>(width_) * static_cast<std::size_t>(bitCount_) + 31) / 32 * 4;
    const std::uint64_t needed =
        dataOffset_ + static_cast<std::uint64_t>(stride_) * static_cast<std::uint64_t>(height_);
    if (needed > file_.size())
        return Fail(
            "The pixel data ends after " + std::to_string((file_.size() - dataOffset_) / stride_) +
            " of " + std::to_string(height_) + " rows (the file has " +
            std::to_string(file_.size()) + " bytes, the rows need " + std::to_string(needed) + ")");
    raw_.resize(std::max(stride_, static_cast<std::size_t>(width_)));
    return Ok();
}

Status BmpReader::SetMasks(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    const std::uint32_t masks[] = {red, green, blue};
    const char* names[] = {"red", "green", "blue"};
    for (int c = 0; c < 3; ++c) {
        const std::uint32_t mask = masks[c];
        ChannelMask& channel = masks_[static_cast<std::size_t>(c)];
        channel.Mask = mask;
        if (mask == 0)
            continue;
        channel.Shift = std::countr_zero(mask);
        channel.Largest = mask >> channel.Shift;
        if ((channel.Largest & (channel.Largest + 1)) != 0 || (bitCount_ == 16 && mask > 0xFFFF))
            return Fail(std::string("The bitmap's ") + names[c] + " mask " + Hex(mask) +
                        " is not one run of bits within the pixel");
    }
    return Ok();
}

Status BmpReader::ReadPalette(std::uint64_t paletteOffset, int entryBytes,
                              std::uint32_t colorsUsed) {
    const std::uint32_t full = 1u << bitCount_;
    std::uint64_t count = colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
    // Some writers keep fewer entries than they declare: those before the pixels count.
    if (dataOffset_ > paletteOffset)
        count = std::min<std::uint64_t>(count, (dataOffset_ - paletteOffset) / entryBytes);
    if (count == 0)
        return Fail("The bitmap has no palette");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count) *
                                    static_cast<std::size_t>(entryBytes));
    if (!file_.ReadAt(paletteOffset, bytes))
        return Fail("The file ends inside the bitmap's palette");
    palette_.resize(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < palette_.size(); ++i)
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(i * entryBytes), 3,
                    palette_[i].begin());
    return Ok();
}

Status BmpReader::CheckIndex(std::uint8_t index, int storedRow, int column) const {
    if (index < palette_.size())
        return Ok();
    return Fail("Pixel " + std::to_string(column) + " of row " +
                std::to_string(PictureRow(storedRow)) + " uses palette entry " +
                std::to_string(index) + ", past the " + std::to_string(palette_.size()) +
                " entries of the palette");
}

// Finds where each stored row's codes begin, checking every code on the way.
Status BmpReader::IndexRleRows() {
    rleRows_.assign(static_cast<std::size_t>(height_), {});
    file_.Seek(dataOffset_);
    int column = 0;
    for (int row = 0;;) {
        if (row >= height_) {
            const std::uint64_t where = file_.Position();
            const int first = file_.NextByte();
            if (first < 0 || (first == 0 && file_.NextByte() == 1))
                break;
            return Fail("RLE codes go on past the last row" + At(where));
        }
        rleRows_[static_cast<std::size_t>(row)] = {file_.Position(), column};
        RleExit exit{};
        int rowsDown = 0;
        if (Status status = DecodeRleRow(row, column, nullptr, exit, rowsDown); !status)
            return status;
        if (exit == RleExit::EndOfBitmap)
            break;
        row += rowsDown;
    }
    raw_.resize(static_cast<std::size_t>(width_));
    return Ok();
}

// Decodes the codes of stored row `storedRow` from the file's position and `column` until
// they leave the row; `indexes` (when given) receives the palette indexes.
Status BmpReader::DecodeRleRow(int storedRow, int& column, std::uint8_t* indexes, RleExit& exit,
                               int& rowsDown) {
    const bool four = compression_ == kRle4;
    auto ended = [&] {
        if (!file_.ReadError().empty())
            return Fail("Cannot read the RLE data: " + file_.ReadError());
        return Fail("The RLE data ends" + At(file_.Position()) + " before its end-of-bitmap code");
    };
    auto pastRow = [&](std::uint64_t where) {
        return Fail("An RLE run passes the end of row " + std::to_string(PictureRow(storedRow)) +
                    At(where));
    };
    // Some writers code whole stored rows, padding included: pixels past the picture's
    // width but within the padding are dropped.
    const int padded =
        static_cast<int>((static_cast<long long>(width_) * bitCount_ + 31) / 32 * 32 / bitCount_);
    auto put = [&](std::uint8_t index) {
        if (column < width_) {
            if (Status status = CheckIndex(index, storedRow, column); !status)
                return status;
            if (indexes != nullptr)
                indexes[column] = index;
        }
        ++column;
        return Ok();
    };
    for (;;) {
        const std::uint64_t where = file_.Position();
        const int count = file_.NextByte();
        const int value = file_.NextByte();
        if (value < 0)
            return ended();
        if (count > 0) {
            if (count > padded - column)
                return pastRow(where);
            for (int i = 0; i < count; ++i) {
                const int index = four ? (i % 2 == 0 ? value >> 4 : value & 15) : value;
                if (Status status = put(static_cast<std::uint8_t>(index)); !status)
                    return status;
            }
            continue;
        }
        switch (value) {
        case 0:
            exit = RleExit::EndOfLine;
            rowsDown = 1;
            column = 0;
            return Ok();
        case 1:
            exit = RleExit::EndOfBitmap;
            return Ok();
        case 2: {
            const int right = file_.NextByte();
            const int down = file_.NextByte();
            if (down < 0)
                return ended();
            if (right > padded - column || down >= height_ - storedRow)
                return Fail("An RLE delta moves past the picture" + At(where));
            column += right;
            if (down == 0)
                continue;
            exit = RleExit::NextRows;
            rowsDown = down;
            return Ok();
        }
        default: {
            // Absolute mode: `value` pixels, padded to a whole number of 16-bit words.
            if (value > padded - column)
                return pastRow(where);
            const int bytes = four ? (value + 1) / 2 : value;
            int data = 0;
            for (int i = 0; i < value; ++i) {
                if (!four || i % 2 == 0)
                    data = file_.NextByte();
                if (data < 0)
                    return ended();
                const int index = four ? (i % 2 == 0 ? data >> 4 : data & 15) : data;
                if (Status status = put(static_cast<std::uint8_t>(index)); !status)
                    return status;
            }
            if (bytes % 2 == 1 && file_.NextByte() < 0)
                return ended();
        }
        }
    }
}

Status BmpReader::ReadRow(std::span<std::uint8_t> bgr) {
    if (!failure_)
        return failure_;
    if (nextRow_ >= height_ || bgr.size() != static_cast<std::size_t>(width_) * 3)
        return failure_ = Fail("No such picture row");
    const int storedRow = topDown_ ? nextRow_ : height_ - 1 - nextRow_;
    if (compression_ == kRle8 || compression_ == kRle4) {
        std::fill(raw_.begin(), raw_.end(), 0);
        const RleRowStart& start = rleRows_[static_cast<std::size_t>(storedRow)];
        if (start.Column >= 0) {
            file_.Seek(start.Offset);
            int column = start.Column;
            RleExit exit{};
            int rowsDown = 0;
            if (Status status = DecodeRleRow(storedRow, column, raw_.data(), exit, rowsDown);
                !status)
                return failure_ = status;
        }
    } else if (!file_.ReadAt(dataOffset_ + static_cast<std::uint64_t>(storedRow) * stride_,
                             std::span(raw_).first(stride_))) {
        return failure_ = Fail("Cannot read row " + std::to_string(nextRow_) + " of the bitmap" +
                               (file_.ReadError().empty() ? std::string(": the file got shorter")
                                                          : ": " + file_.ReadError()));
    }
    if (bitCount_ <= 8 && compression_ == kRgb) {
        // Unpack the indexes in place, from the last pixel back.
        const int perByte = 8 / bitCount_;
        const int mask = (1 << bitCount_) - 1;
        std::vector<std::uint8_t>& row = raw_;
        if (bitCount_ < 8) {
            for (int x = width_ - 1; x >= 0; --x) {
                const int shift = 8 - bitCount_ * (x % perByte + 1);
                row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(
                    (row[static_cast<std::size_t>(x / perByte)] >> shift) & mask);
            }
        }
        for (int x = 0; x < width_; ++x)
            if (Status status = CheckIndex(row[static_cast<std::size_t>(x)], storedRow, x); !status)
                return failure_ = status;
    }
    ExpandRow(bgr);
    ++nextRow_;
    return Ok();
}

Status BmpReader::SkipRow() {
    if (!failure_)
        return failure_;
    if (nextRow_ >= height_)
        return failure_ = Fail("No such picture row");
    ++nextRow_;
    return Ok();
}

void BmpReader::ExpandRow(std::span<std::uint8_t> bgr) {
    const auto width = static_cast<std::size_t>(width_);
    std::uint8_t* out = bgr.data();
    if (bitCount_ <= 8) {
        for (std::size_t x = 0; x < width; ++x, out += 3)
            std::copy_n(palette_[raw_[x]].begin(), 3, out);
    } else if (bitCount_ == 24) {
        std::copy_n(raw_.begin(), width * 3, out);
    } else {
        const int bytes = bitCount_ / 8;
        for (std::size_t x = 0; x < width; ++x, out += 3) {
            std::uint32_t pixel = 0;
            for (int b = bytes - 1; b >= 0; --b)
                pixel = pixel << 8 |
                        raw_[x * static_cast<std::size_t>(bytes) + static_cast<std::size_t>(b)];
            for (int c = 0; c < 3; ++c) {
                const ChannelMask& channel = masks_[static_cast<std::size_t>(c)];
                const std::uint64_t value = (pixel & channel.Mask) >> channel.Shift;
                out[2 - c] = channel.Largest == 0
                                 ? 0
                                 : static_cast<std::uint8_t>((value * 255 + channel.Largest / 2) /
                                                             channel.Largest);
            }
        }
    }
}

} // namespace tessivar
