#include "core/export/SourceExport.h"

#include "core/export/RecordPacking.h"
#include "core/files/AtomicFile.h"
#include "core/model/TileSet.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <span>

namespace tessivar {

namespace {

constexpr std::size_t kFlushBytes = 1 << 16;

// "$XX," for every byte value.
constexpr std::array<std::array<char, 4>, 256> kByteTexts = [] {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::array<std::array<char, 4>, 256> texts{};
    for (int v = 0; v < 256; ++v)
        texts[static_cast<std::size_t>(v)] = {'$', kHex[v >> 4], kHex[v & 15], ','};
    return texts;
}();

// Collects byte-directive lines and hands them to the file in large pieces.
class ByteLines {
public:
    ByteLines(AtomicFile& file, SourceDialect dialect)
        : file_(file)
        , directive_(FirstDirective(dialect))
        , continuation_(ContinuationDirective(dialect)) {
        buffer_.reserve(kFlushBytes * 2);
    }
    ~ByteLines() { Flush(); }

    void Text(std::string_view piece) {
        buffer_ += piece;
        if (buffer_.size() >= kFlushBytes)
            Flush();
    }
    void EndLine() { Text("\r\n"); }

    // One run of bytes after the first directive: "$XX" each, separated by "," or, after
    // every 16th byte, by the continuation directive.
    void Run(std::span<const std::uint8_t> bytes) {
        buffer_ += directive_;
        for (std::size_t start = 0; start < bytes.size(); start += 16) {
            const std::size_t count = std::min<std::size_t>(16, bytes.size() - start);
            const std::size_t at = buffer_.size();
            buffer_.resize(at + 4 * count);
            char* out = buffer_.data() + at;
            for (std::size_t i = 0; i < count; ++i, out += 4)
                std::memcpy(out, kByteTexts[bytes[start + i]].data(), 4);
            buffer_.pop_back(); // the separator after the line's last byte
            if (start + count < bytes.size())
                buffer_ += continuation_;
            if (buffer_.size() >= kFlushBytes)
                Flush();
        }
    }
    void Flush() {
        file_.Write(buffer_);
        buffer_.clear();
    }

private:
    AtomicFile& file_;
    std::string buffer_;
    std::string_view directive_;
    std::string_view continuation_;
};

void WriteLabel(ByteLines& out, const std::string& label) {
    if (label.empty())
        return;
    out.Text("\r\n" + label + ":");
    out.EndLine();
}

Status ExportToPath(const std::string& path, const std::function<Status(AtomicFile&)>& write) {
    auto file = AtomicFile::Open(path);
    if (!file)
        return Fail("Cannot create \"" + path + "\": " + file.error());
    if (const Status written = write(*file); !written)
        return written;
    if (const Status committed = file->Commit(); !committed)
        return Fail("Cannot write \"" + path + "\": " + committed.error());
    return Ok();
}

// The records of the map cells of one section, made once for each distinct cell: a
// cell's record depends only on its Tile and its two flips.
class MapRecords {
public:
    MapRecords(const TileSet& tileSet, const ExportFormat& format, int s, std::int32_t offset,
               int tilesPerBlock, std::size_t bytes)
        : tileSet_(tileSet)
        , format_(format)
        , section_(s)
        , offset_(offset)
        , tilesPerBlock_(tilesPerBlock)
        , bytes_(bytes)
        , made_(kKeys, 0)
        , records_(kKeys * bytes) {}

    // Appends the record of `cell` to `out`.
    void Append(const MapCell& cell, std::uint8_t* out) {
        if (cell.HFlip > 1 || cell.VFlip > 1) {
            BuildMapSectionRecord(tileSet_, format_, cell, section_, offset_, tilesPerBlock_,
                                  std::span(out, bytes_));
            return;
        }
        const std::size_t key = std::size_t{cell.Tile} * 4 + cell.HFlip * 2u + cell.VFlip;
        std::uint8_t* record = records_.data() + key * bytes_;
        if (!made_[key]) {
            BuildMapSectionRecord(tileSet_, format_, cell, section_, offset_, tilesPerBlock_,
                                  std::span(record, bytes_));
            made_[key] = 1;
        }
        if (bytes_ == 1)
            *out = *record;
        else
            std::memcpy(out, record, bytes_);
    }

private:
    static constexpr std::size_t kKeys = std::size_t{65536} * 4;
    const TileSet& tileSet_;
    const ExportFormat& format_;
    int section_;
    std::int32_t offset_;
    int tilesPerBlock_;
    std::size_t bytes_;
    std::vector<std::uint8_t> made_;
    std::vector<std::uint8_t> records_;
};

} // namespace

Status CheckExportFormat(const ExportFormat& format, bool forMap) {
    for (int i = 0; i < format.PropertyCount; ++i) {
        const ExportProperty& property = format.Properties[static_cast<std::size_t>(i)];
        const std::string row = "Property " + std::to_string(i + 1);
        if (property.Width < 0)
            return Fail(row + " has a negative width.");
        if (property.Width > kMaxFieldBits)
            return Fail(row + " is " + std::to_string(property.Width) +
                        " bits wide; a field holds at most 65,536 bits.");
        if (property.Kind == PropertyKind::Category &&
            (property.Category < 0 || property.Category >= kMaxCategories))
            return Fail(row + " names no tile information category.");
    }
    for (int s = 1; s <= format.SectionCount; ++s) {
        const std::string section =
            "Section " + std::to_string(s) + " (\"" + format.Label(s) + "\")";
        if (!IsValidLabel(format.Label(s)))
            return Fail("Section " + std::to_string(s) +
                        " has a label holding a control character.");
        const std::int64_t bytes = SectionRecordBytes(format, s);
        if (forMap && bytes * 8 > kMaxMapRecordBits)
            return Fail(section + " is wider than 256 bits.");
        if (bytes > kMaxRecordBytes)
            return Fail(section + " needs " + std::to_string(bytes) +
                        " bytes a record; a record holds at most 65,536 bytes.");
    }
    return Ok();
}

Status ExportTileSource(const TileSet& tileSet, const ExportFormat& givenFormat,
                        SourceDialect dialect, const std::vector<bool>& included,
                        AtomicFile& file) {
    ExportFormat format = givenFormat;
    RefreshTileDataWidths(format, tileSet.Block);
    if (const Status checked = CheckExportFormat(format, false); !checked)
        return checked;
    const int blocks = tileSet.BlockCount();
    ByteLines out(file, dialect);
    out.Text(";Tile data - Tessivar\r\n\r\n");
    std::vector<std::uint8_t> record;
    for (int s = 1; s <= format.SectionCount; ++s) {
        const auto bytes = static_cast<std::size_t>(SectionRecordBytes(format, s));
        if (bytes == 0)
            continue;
        record.resize(bytes);
        WriteLabel(out, format.Label(s));
        for (int k = 0; k < blocks && k < static_cast<int>(included.size()); ++k) {
            if (!included[static_cast<std::size_t>(k)])
                continue;
            out.Text(" ;Tile " + std::to_string(k));
            out.EndLine();
            BuildTileSectionRecord(tileSet, format, k, s, record);
            out.Run(record);
            out.EndLine();
        }
    }
    return Ok();
}

Status ExportTileSource(const TileSet& tileSet, const ExportFormat& format, SourceDialect dialect,
                        const std::vector<bool>& included, const std::string& path) {
    return ExportToPath(path, [&](AtomicFile& file) {
        return ExportTileSource(tileSet, format, dialect, included, file);
    });
}

Status ExportMapSource(const TileSet& tileSet, const MapGrid& map, const ExportFormat& format,
                       SourceDialect dialect, std::int32_t blockNumberOffset, AtomicFile& file) {
    if (const Status checked = CheckExportFormat(format, true); !checked)
        return checked;
    const int tilesPerBlock = tileSet.TilesPerBlock();
    ByteLines out(file, dialect);
    out.Text(";Map data - Tessivar\r\n\r\n");
    std::vector<std::uint8_t> row;
    for (int s = 1; s <= format.SectionCount; ++s) {
        const auto bytes = static_cast<std::size_t>(SectionRecordBytes(format, s));
        if (bytes == 0)
            continue;
        WriteLabel(out, format.Label(s));
        MapRecords records(tileSet, format, s, blockNumberOffset, tilesPerBlock, bytes);
        row.resize(bytes * static_cast<std::size_t>(map.Width));
        for (int y = 0; y < map.Height; ++y) {
            for (int x = 0; x < map.Width; ++x)
                records.Append(map.At(y, x), row.data() + bytes * static_cast<std::size_t>(x));
            out.Run(row);
            out.Text(" ;Row " + std::to_string(y));
            out.EndLine();
        }
    }
    return Ok();
}

namespace {

// The records of a map in the order both map exports write them: for each section with
// bytes, a label, then each row's records left to right. `visit` receives
// section(label), row(y), record(bytes, lastOfRow) and RowEnd(y).
template <typename Visitor>
void VisitMapRecords(const TileSet& tileSet, const MapGrid& map, const ExportFormat& format,
                     std::int32_t blockNumberOffset, Visitor& visit) {
    const int tilesPerBlock = tileSet.TilesPerBlock();
    std::vector<std::uint8_t> record;
    for (int s = 1; s <= format.SectionCount; ++s) {
        const int bytes = SectionRecordBytes(format, s);
        if (bytes == 0)
            continue;
        record.resize(static_cast<std::size_t>(bytes));
        const std::span<std::uint8_t> used(record);
        visit.Section(format.Label(s));
        for (int y = 0; y < map.Height; ++y) {
            visit.Row();
            for (int x = 0; x < map.Width; ++x) {
                BuildMapSectionRecord(tileSet, format, map.At(y, x), s, blockNumberOffset,
                                      tilesPerBlock, used);
                visit.Record(used, x == map.Width - 1);
            }
            visit.RowEnd(y);
        }
    }
}

// The bytes alone, a row at a time.
struct BinaryRecords {
    AtomicFile& File;
    std::vector<std::uint8_t> RowBytes;
    void Section(const std::string&) {}
    void Row() { RowBytes.clear(); }
    void Record(std::span<const std::uint8_t> bytes, bool) {
        RowBytes.insert(RowBytes.end(), bytes.begin(), bytes.end());
    }
    void RowEnd(int) { File.Write(RowBytes); }
};

} // namespace

Status ExportMapSource(const TileSet& tileSet, const MapGrid& map, const ExportFormat& format,
                       SourceDialect dialect, std::int32_t blockNumberOffset,
                       const std::string& path) {
    if (const Status checked = CheckExportFormat(format, true); !checked)
        return checked;
    return ExportToPath(path, [&](AtomicFile& file) {
        return ExportMapSource(tileSet, map, format, dialect, blockNumberOffset, file);
    });
}

Status ExportMapBinary(const TileSet& tileSet, const MapGrid& map, const ExportFormat& format,
                       std::int32_t blockNumberOffset, AtomicFile& file) {
    if (const Status checked = CheckExportFormat(format, true); !checked)
        return checked;
    BinaryRecords records{file, {}};
    VisitMapRecords(tileSet, map, format, blockNumberOffset, records);
    return Ok();
}

Status ExportMapBinary(const TileSet& tileSet, const MapGrid& map, const ExportFormat& format,
                       std::int32_t blockNumberOffset, const std::string& path) {
    return ExportToPath(path, [&](AtomicFile& file) {
        return ExportMapBinary(tileSet, map, format, blockNumberOffset, file);
    });
}

} // namespace tessivar
