#include "core/export/RecordPacking.h"

#include "core/model/TileSet.h"

#include <algorithm>

namespace tessivar {

void PackNumericField(std::span<std::uint8_t> record, BitPosition& position, std::int32_t value,
                      std::int32_t width) {
    std::int32_t remaining = width;
    while (remaining > 0) {
        const int room = 8 - position.Bit;
        const std::uint8_t bits =
            static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) << position.Bit);
        if (remaining > room) {
            if (room > 0)
                record[static_cast<std::size_t>(position.Byte)] |= bits;
            remaining -= room;
            value >>= room; // arithmetic: the sign bit repeats
            ++position.Byte;
            position.Bit = 0;
        } else {
            const auto mask = static_cast<std::uint8_t>(((1u << remaining) - 1u) << position.Bit);
            record[static_cast<std::size_t>(position.Byte)] |= bits & mask;
            position.Bit += remaining;
            remaining = 0;
        }
    }
}

namespace {

// Tile data occupies whole bytes: it starts on the next byte when the fields before it
// left a byte partly or fully used, and leaves the position at the start of the byte
// after it.
void PackTileData(const TileSet& tileSet, const ExportProperty& property, int b,
                  std::span<std::uint8_t> record, BitPosition& position) {
    if (position.Bit != 0) {
        ++position.Byte;
        position.Bit = 0;
    }
    const BlockSize block = tileSet.Block;
    const int planeBytes = block.TilesAcross() * block.Height;
    const bool gray = property.Kind == PropertyKind::GrayTileData;
    const int dataBytes = planeBytes * (gray ? 2 : 1);
    if (position.Byte + dataBytes > static_cast<int>(record.size()))
        return; // widths not refreshed for this Block size: the record has no room
    std::uint8_t* out = record.data() + position.Byte;
    WriteBitPlane(tileSet, block, b, 2, false, out);
    if (gray)
        WriteBitPlane(tileSet, block, b, 1, false, out + planeBytes);
    position.Byte += dataBytes;
}

} // namespace

void BuildTileSectionRecord(const TileSet& tileSet, const ExportFormat& format, int k, int s,
                            std::span<std::uint8_t> record) {
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    const int b = k * tileSet.TilesPerBlock();
    BitPosition position;
    for (int i = 0; i < format.PropertyCount; ++i) {
        const ExportProperty& property = format.Properties[static_cast<std::size_t>(i)];
        if (property.Section != s || property.Width <= 0)
            continue;
        switch (property.Kind) {
        case PropertyKind::BwTileData:
        case PropertyKind::GrayTileData:
            PackTileData(tileSet, property, b, record, position);
            break;
        case PropertyKind::Category:
            PackNumericField(record, position,
                             tileSet.TileInfo[static_cast<std::size_t>(b)]
                                             [static_cast<std::size_t>(property.Category)],
                             property.Width);
            break;
        case PropertyKind::OneFiller:
            PackNumericField(record, position, -1, property.Width);
            break;
        default: // 0 filler; map kinds write zero bits in a tile record
            PackNumericField(record, position, 0, property.Width);
        }
    }
}

void BuildMapSectionRecord(const TileSet& tileSet, const ExportFormat& format, const MapCell& cell,
                           int s, std::int32_t blockNumberOffset, int tilesPerBlock,
                           std::span<std::uint8_t> record) {
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    BitPosition position;
    for (int i = 0; i < format.PropertyCount; ++i) {
        const ExportProperty& property = format.Properties[static_cast<std::size_t>(i)];
        if (property.Section != s || property.Width <= 0)
            continue;
        std::int32_t value = 0;
        switch (property.Kind) {
        case PropertyKind::TileNumber:
            value =
                static_cast<std::int32_t>(static_cast<std::uint32_t>(blockNumberOffset) +
                                          static_cast<std::uint32_t>(cell.Tile / tilesPerBlock));
            break;
        case PropertyKind::HorizontalFlip:
            value = cell.HFlip;
            break;
        case PropertyKind::VerticalFlip:
            value = cell.VFlip;
            break;
        case PropertyKind::OneFiller:
            value = -1;
            break;
        case PropertyKind::Category:
            if (cell.Tile < kMaxTiles)
                value = tileSet.TileInfo[cell.Tile][static_cast<std::size_t>(property.Category)];
            break;
        default:
            break;
        }
        PackNumericField(record, position, value, property.Width);
    }
}

} // namespace tessivar
