#include "core/export/SourceExport.h"

#include "core/export/RecordPacking.h"
#include "core/files/AtomicFile.h"
#include "core/files/TextWriter.h"
#include "core/model/TileSet.h"

#include <array>
#include <span>

namespace tessivar {

namespace {

constexpr std::size_t kFlushBytes = 1 << 16;

// Collects the bytes of byte-directive lines and hands them to the file in large pieces.
class ByteLines {
public:
    ByteLines(AtomicFile& file, SourceDialect dialect)
        : text_(file)
        , directive_(FirstDirective(dialect))
        , continuation_(ContinuationDirective(dialect)) {
        buffer_.reserve(kFlushBytes + 4096);
    }
    ~ByteLines() { flush(); }

    void text(std::string_view piece) {
        buffer_ += piece;
        if (buffer_.size() >= kFlushBytes)
            flush();
    }
    void endLine() { text("\r\n"); }
    void startRun() {
        buffer_ += directive_;
        count_ = 0;
    }
    // "$XX", then "," or, after every 16th byte of the run, the continuation directive;
    // the run's last byte gets no separator.
    void byte(std::uint8_t value, bool last) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        const char digits[3] = {'$', kHex[value >> 4], kHex[value & 15]};
        buffer_.append(digits, 3);
        if (!last) {
            if (++count_ % 16 == 0)
                buffer_ += continuation_;
            else
                buffer_ += ',';
        }
    }
    void flush() {
        text_.Write(buffer_);
        buffer_.clear();
    }

private:
    TextWriter text_;
    std::string buffer_;
    std::string_view directive_;
    std::string_view continuation_;
    long count_ = 0;
};

Result<AtomicFile> openOutput(const std::string& path) {
    auto file = AtomicFile::Open(path);
    if (!file)
        return Fail("Cannot create \"" + path + "\": " + file.error());
    return file;
}

Status commitOutput(AtomicFile& file, const std::string& path) {
    const Status committed = file.Commit();
    if (!committed)
        return Fail("Cannot write \"" + path + "\": " + committed.error());
    return Ok();
}

} // namespace

Status CheckExportFormat(const ExportFormat& format, bool forMap) {
    for (int i = 0; i < format.propertyCount; ++i) {
        const ExportProperty& property = format.properties[static_cast<std::size_t>(i)];
        const std::string row = "Property " + std::to_string(i + 1);
        if (property.width < 0)
            return Fail(row + " has a negative width.");
        if (property.kind == PropertyKind::Category &&
            (property.category < 0 || property.category >= kMaxCategories))
            return Fail(row + " names no tile information category.");
    }
    if (forMap)
        for (int s = 1; s <= format.sectionCount; ++s)
            if (SectionRecordBytes(format, s) * 8 > kMaxMapRecordBits)
                return Fail("Section " + std::to_string(s) + " (\"" + format.label(s) +
                            "\") is wider than 256 bits.");
    return Ok();
}

Status ExportTileSource(const TileSet& tileSet, const ExportFormat& givenFormat,
                        SourceDialect dialect, const std::vector<bool>& included,
                        const std::string& path) {
    ExportFormat format = givenFormat;
    RefreshTileDataWidths(format, tileSet.block);
    if (const Status checked = CheckExportFormat(format, false); !checked)
        return checked;
    auto file = openOutput(path);
    if (!file)
        return Fail(file.error());
    const int blocks = tileSet.blockCount();
    {
        ByteLines out(*file, dialect);
        out.text(";Tile data - Tessivar\r\n\r\n");
        std::vector<std::uint8_t> record;
        for (int s = 1; s <= format.sectionCount; ++s) {
            const int bytes = SectionRecordBytes(format, s);
            if (bytes == 0)
                continue;
            record.resize(static_cast<std::size_t>(bytes));
            if (const std::string label = format.label(s); !label.empty()) {
                out.text("\r\n" + label + ":");
                out.endLine();
            }
            for (int k = 0; k < blocks && k < static_cast<int>(included.size()); ++k) {
                if (!included[static_cast<std::size_t>(k)])
                    continue;
                out.text(" ;Tile " + std::to_string(k));
                out.endLine();
                out.startRun();
                BuildTileSectionRecord(tileSet, format, k, s, record);
                for (int i = 0; i < bytes; ++i)
                    out.byte(record[static_cast<std::size_t>(i)], i == bytes - 1);
                out.endLine();
            }
        }
    }
    return commitOutput(*file, path);
}

Status ExportMapSource(const TileSet& tileSet, const MapGrid& map, const ExportFormat& format,
                       SourceDialect dialect, std::int32_t blockNumberOffset,
                       const std::string& path) {
    if (const Status checked = CheckExportFormat(format, true); !checked)
        return checked;
    auto file = openOutput(path);
    if (!file)
        return Fail(file.error());
    const int tilesPerBlock = tileSet.TilesPerBlock();
    {
        ByteLines out(*file, dialect);
        out.text(";Map data - Tessivar\r\n\r\n");
        std::array<std::uint8_t, kMaxMapRecordBits / 8> record{};
        for (int s = 1; s <= format.sectionCount; ++s) {
            const int bytes = SectionRecordBytes(format, s);
            if (bytes == 0)
                continue;
            const std::span<std::uint8_t> used(record.data(), static_cast<std::size_t>(bytes));
            if (const std::string label = format.label(s); !label.empty()) {
                out.text("\r\n" + label + ":");
                out.endLine();
            }
            for (int y = 0; y < map.Height; ++y) {
                out.startRun();
                for (int x = 0; x < map.Width; ++x) {
                    BuildMapSectionRecord(tileSet, format, map.at(y, x), s, blockNumberOffset,
                                          tilesPerBlock, used);
                    const bool lastColumn = x == map.Width - 1;
                    for (int i = 0; i < bytes; ++i)
                        out.byte(record[static_cast<std::size_t>(i)], lastColumn && i == bytes - 1);
                }
                out.text(" ;Row " + std::to_string(y));
                out.endLine();
            }
        }
    }
    return commitOutput(*file, path);
}

} // namespace tessivar
