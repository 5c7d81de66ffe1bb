#include "core/export/RecordPacking.h"

#include "core/model/TileSet.h"

#include <algorithm>

namespace tessivar {

void PackNumericField(std::span<std::uint8_t> record, BitPosition& position, std::int32_t value,
                      std::int32_t width) {
    std::int32_t remaining = width;
    while (remaining > 0) {
        const int room = 8 - position.bit;
        const std::uint8_t bits =
            static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) << position.bit);
        if (remaining > room) {
            if (room > 0)
                record[static_cast<std::size_t>(position.byte)] |= bits;
            remaining -= room;
            value >>= room; // arithmetic: the sign bit repeats
            ++position.byte;
            position.bit = 0;
        } else {
            const auto mask = static_cast<std::uint8_t>(((1u << remaining) - 1u) << position.bit);
            record[static_cast<std::size_t>(position.byte)] |= bits & mask;
            position.bit += remaining;
            remaining = 0;
        }
    }
}

namespace {

// Tile data occupies whole bytes: it starts on the next byte when the fields before it
// left a byte partly or fully used, and leaves the position at the start of the byte
// after it.
void packTileData(const TileSet& tileSet, const ExportProperty& property, int b,
                  std::span<std::uint8_t> record, BitPosition& position) {
    if (position.bit != 0) {
        ++position.byte;
        position.bit = 0;
    }
    const BlockSize block = tileSet.block;
    const int planeBytes = block.tilesAcross() * block.height;
    const bool gray = property.kind == PropertyKind::GrayTileData;
    const int dataBytes = planeBytes * (gray ? 2 : 1);
    if (position.byte + dataBytes > static_cast<int>(record.size()))
        return; // widths not refreshed for this Block size: the record has no room
    std::uint8_t* out = record.data() + position.byte;
    WriteBitPlane(tileSet, block, b, 2, false, out);
    if (gray)
        WriteBitPlane(tileSet, block, b, 1, false, out + planeBytes);
    position.byte += dataBytes;
}

} // namespace

void BuildTileSectionRecord(const TileSet& tileSet, const ExportFormat& format, int k, int s,
                            std::span<std::uint8_t> record) {
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    const int b = k * tileSet.TilesPerBlock();
    BitPosition position;
    for (int i = 0; i < format.propertyCount; ++i) {
        const ExportProperty& property = format.properties[static_cast<std::size_t>(i)];
        if (property.section != s || property.width <= 0)
            continue;
        switch (property.kind) {
        case PropertyKind::BwTileData:
        case PropertyKind::GrayTileData:
            packTileData(tileSet, property, b, record, position);
            break;
        case PropertyKind::Category:
            PackNumericField(record, position,
                             tileSet.tileInfo[static_cast<std::size_t>(b)]
                                             [static_cast<std::size_t>(property.category)],
                             property.width);
            break;
        case PropertyKind::OneFiller:
            PackNumericField(record, position, -1, property.width);
            break;
        default: // 0 filler; map kinds write zero bits in a tile record
            PackNumericField(record, position, 0, property.width);
        }
    }
}

void BuildMapSectionRecord(const TileSet& tileSet, const ExportFormat& format, const MapCell& cell,
                           int s, std::int32_t blockNumberOffset, int tilesPerBlock,
                           std::span<std::uint8_t> record) {
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    BitPosition position;
    for (int i = 0; i < format.propertyCount; ++i) {
        const ExportProperty& property = format.properties[static_cast<std::size_t>(i)];
        if (property.section != s || property.width <= 0)
            continue;
        std::int32_t value = 0;
        switch (property.kind) {
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
                value = tileSet.tileInfo[cell.Tile][static_cast<std::size_t>(property.category)];
            break;
        default:
            break;
        }
        PackNumericField(record, position, value, property.width);
    }
}

} // namespace tessivar
