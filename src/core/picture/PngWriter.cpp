#include "core/picture/PngWriter.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <thread>

namespace tessivar {

namespace {

constexpr int kLevel = 3;
constexpr std::size_t kWindow = 32 * 1024;
constexpr std::size_t kIdatBytes = 256 * 1024;
constexpr std::uint8_t kColorTypeRgb = 2;
constexpr std::uint8_t kColorTypeIndexed = 3;
constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

} // namespace

int SmallestPngBitDepth(int colors) {
    return colors <= 2 ? 1 : colors <= 4 ? 2 : colors <= 16 ? 4 : 8;
}

// One raw deflate stream that compresses a piece of the picture's data after priming
// its window with the data just before it, and ends it on a byte boundary, so that the
// pieces joined in order form one stream.
struct PngWriter::Deflater {
    z_stream Stream{};
    bool Ready = false;

    Deflater() {
        Ready = deflateInit2(&Stream, kLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~Deflater() {
        if (Ready)
            deflateEnd(&Stream);
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // Compresses `data` into `out`; the last piece of all (`last`) closes the stream.
    bool Compress(std::span<const std::uint8_t> dictionary, std::span<const std::uint8_t> data,
                  bool last, std::vector<std::uint8_t>& out) {
        if (!Ready || deflateReset(&Stream) != Z_OK)
            return false;
        if (!dictionary.empty() &&
            deflateSetDictionary(&Stream, dictionary.data(),
                                 static_cast<uInt>(dictionary.size())) != Z_OK)
            return false;
        out.resize(deflateBound(&Stream, static_cast<uLong>(data.size())) + 16);
        Stream.next_in = const_cast<Bytef*>(data.data());
        Stream.avail_in = static_cast<uInt>(data.size());
        Stream.next_out = out.data();
        Stream.avail_out = static_cast<uInt>(out.size());
        const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
        int result = deflate(&Stream, flush);
        while (result == Z_OK && Stream.avail_out == 0) {
            const std::size_t done = out.size();
            out.resize(done * 2);
            Stream.next_out = out.data() + done;
            Stream.avail_out = static_cast<uInt>(out.size() - done);
            result = deflate(&Stream, flush);
        }
        out.resize(out.size() - Stream.avail_out);
        return last ? result == Z_STREAM_END : result == Z_OK || result == Z_BUF_ERROR;
    }
};

PngWriter::PngWriter(AtomicFile& file, int width, int height, int bitDepth, int paletteSize)
    : file_(file)
    , width_(width)
    , height_(height)
    , bitDepth_(bitDepth)
    , paletteSize_(paletteSize)
    , rowBytes_(static_cast<std::size_t>(width) * (paletteSize > 0 ? 1 : 3))
    , packedRowBytes_(paletteSize > 0 ? (static_cast<std::size_t>(width) * bitDepth + 7) / 8
                                      : static_cast<std::size_t>(width) * 3) {
    deflaters_[0] = std::make_unique<Deflater>();
    deflaters_[1] = std::make_unique<Deflater>();
}

PngWriter::~PngWriter() = default;

Result<std::unique_ptr<PngWriter>> PngWriter::Start(AtomicFile& file, int width, int height) {
    if (width < 1 || height < 1)
        return Fail("The picture is empty");
    if (width > (1 << 24) || height > (1 << 24))
        return Fail("The picture is too large");
    std::unique_ptr<PngWriter> writer(new PngWriter(file, width, height, 8, 0));
    if (Status s = writer->WriteHeader(kColorTypeRgb, {}); !s)
        return Fail(s.error());
    return writer;
}

Result<std::unique_ptr<PngWriter>> PngWriter::StartIndexed(AtomicFile& file, int width, int height,
                                                           std::span<const Rgb> palette,
                                                           int bitDepth) {
    if (width < 1 || height < 1)
        return Fail("The picture is empty");
    if (width > (1 << 24) || height > (1 << 24))
        return Fail("The picture is too large");
    if (bitDepth != 1 && bitDepth != 2 && bitDepth != 4 && bitDepth != 8)
        return Fail("An indexed picture has 1, 2, 4 or 8 bits a pixel");
    if (palette.empty() || palette.size() > (std::size_t{1} << bitDepth))
        return Fail("The palette does not fit the bit depth");
    std::unique_ptr<PngWriter> writer(
        new PngWriter(file, width, height, bitDepth, static_cast<int>(palette.size())));
    if (Status s = writer->WriteHeader(kColorTypeIndexed, palette); !s)
        return Fail(s.error());
    return writer;
}

Status PngWriter::WriteHeader(std::uint8_t colorType, std::span<const Rgb> palette) {
    if (!deflaters_[0]->Ready || !deflaters_[1]->Ready)
        return Fail("Out of memory");
    file_.Write(kSignature);
    std::vector<std::uint8_t> header;
    Put32(header, static_cast<std::uint32_t>(width_));
    Put32(header, static_cast<std::uint32_t>(height_));
    header.insert(header.end(), {static_cast<std::uint8_t>(bitDepth_), colorType, 0, 0, 0});
    Chunk("IHDR", header);
    if (!palette.empty()) {
        std::vector<std::uint8_t> entries;
        for (const Rgb& color : palette)
            entries.insert(entries.end(), {static_cast<std::uint8_t>(color.Red),
                                           static_cast<std::uint8_t>(color.Green),
                                           static_cast<std::uint8_t>(color.Blue)});
        Chunk("PLTE", entries);
    }
    // The zlib header: deflate with a 32 KiB window, a fast level.
    idat_ = {0x78, 0x5E};
    return file_.Outcome();
}

void PngWriter::Chunk(const char* type, std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> head;
    Put32(head, static_cast<std::uint32_t>(data.size()));
    head.insert(head.end(), type, type + 4);
    uLong crc = crc32(0, head.data() + 4, 4);
    if (!data.empty()) // zlib starts afresh when given no buffer
        crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
    file_.Write(head);
    file_.Write(data);
    std::vector<std::uint8_t> tail;
    Put32(tail, static_cast<std::uint32_t>(crc));
    file_.Write(tail);
}

void PngWriter::PackRows(std::span<const std::uint8_t> rows, std::vector<std::uint8_t>& out) const {
    const int perByte = 8 / bitDepth_;
    for (std::size_t start = 0; start < rows.size(); start += rowBytes_) {
        const std::uint8_t* row = rows.data() + start;
        out.push_back(0); // filter type None
        if (paletteSize_ == 0 || bitDepth_ == 8) {
            out.insert(out.end(), row, row + rowBytes_);
            continue;
        }
        for (int x = 0; x < width_; x += perByte) {
            std::uint8_t byte = 0;
            for (int i = 0; i < perByte; ++i) {
                byte = static_cast<std::uint8_t>(byte << bitDepth_);
                if (x + i < width_)
                    byte |= row[x + i];
            }
            out.push_back(byte);
        }
    }
}

void PngWriter::WriteCompressed(std::span<const std::uint8_t> compressed) {
    idat_.insert(idat_.end(), compressed.begin(), compressed.end());
    if (idat_.size() >= kIdatBytes) {
        Chunk("IDAT", idat_);
        idat_.clear();
    }
}

Status PngWriter::AddText(const std::string& keyword, const std::string& text) {
    if (rowsWritten_ > 0)
        return Fail("Text goes before the rows");
    if (keyword.empty() || keyword.size() > 79 || keyword.find('\0') != std::string::npos ||
        text.find('\0') != std::string::npos)
        return Fail("A text chunk needs a keyword of 1 to 79 characters");
    std::vector<std::uint8_t> data(keyword.begin(), keyword.end());
    data.push_back(0);
    data.insert(data.end(), text.begin(), text.end());
    Chunk("tEXt", data);
    return file_.Outcome();
}

Status PngWriter::WriteRows(std::span<const std::uint8_t> rows) {
    if (rows.size() % rowBytes_ != 0)
        return Fail("A picture row has the wrong length");
    const auto count = static_cast<int>(rows.size() / rowBytes_);
    if (count > height_ - rowsWritten_)
        return Fail("More rows than the picture has");
    if (paletteSize_ > 0) {
        const std::uint8_t highest = rows.empty() ? 0 : *std::max_element(rows.begin(), rows.end());
        if (highest >= paletteSize_)
            return Fail("A pixel's colour index is past the palette");
    }
    if (count == 0)
        return file_.Outcome();
    rowsWritten_ += count;
    // packed_ holds the last window of data already compressed, then the rows waiting.
    const std::size_t history = compressedUpTo_;
    PackRows(rows, packed_);
    const bool last = rowsWritten_ == height_;
    if (packed_.size() - history < kParallelStripBytes && !last)
        return file_.Outcome();

    const std::span<const std::uint8_t> all(packed_);
    const std::span<const std::uint8_t> fresh = all.subspan(history);
    const std::size_t half = fresh.size() >= kParallelStripBytes ? fresh.size() / 2 : fresh.size();
    const auto windowBefore = [&](std::size_t end) {
        const std::size_t from = end > kWindow ? end - kWindow : 0;
        return all.subspan(from, end - from);
    };
    const auto second = fresh.subspan(half);
    bool secondOk = true;
    std::thread helper;
    if (!second.empty())
        helper = std::thread([&] {
            secondOk =
                deflaters_[1]->Compress(windowBefore(history + half), second, last, compressed_[1]);
        });
    const bool firstOk = deflaters_[0]->Compress(windowBefore(history), fresh.first(half),
                                                 last && second.empty(), compressed_[0]);
    if (helper.joinable())
        helper.join();
    if (!firstOk || !secondOk)
        return Fail("The picture could not be compressed");
    adler_ =
        static_cast<std::uint32_t>(adler32(adler_, fresh.data(), static_cast<uInt>(fresh.size())));
    WriteCompressed(compressed_[0]);
    if (!second.empty())
        WriteCompressed(compressed_[1]);
    // Keep the last window as the next piece's dictionary.
    const std::size_t keep = std::min(kWindow, packed_.size());
    packed_.erase(packed_.begin(), packed_.end() - static_cast<std::ptrdiff_t>(keep));
    compressedUpTo_ = packed_.size();
    return file_.Outcome();
}

Status PngWriter::Finish() {
    if (rowsWritten_ != height_)
        return Fail("The picture is missing rows");
    Put32(idat_, adler_);
    Chunk("IDAT", idat_);
    idat_.clear();
    Chunk("IEND", {});
    return file_.Outcome();
}

} // namespace tessivar
