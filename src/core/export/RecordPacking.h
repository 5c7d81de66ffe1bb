#pragma once

// Packing of the bytes one Block or one map position contributes to one section.

#include "core/export/ExportFormat.h"
#include "core/files/BitPlanes.h"
#include "core/model/MapDocument.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tessivar {

class TileSet;

// Where the next field goes: a byte of the record and a bit in it (0..8; 8 means the
// byte is full and the next field starts on the next byte).
struct BitPosition {
    int Byte = 0;
    int Bit = 0;
};

// Appends the low `width` bits of `value` at `position`, least significant bit first,
// filling each byte from bit 0 upward, and advances the position. Beyond 32 bits the
// value's sign bit repeats. The caller sizes the record for the field.
void PackNumericField(std::span<std::uint8_t> record, BitPosition& position, std::int32_t value,
                      std::int32_t width);

// The record of Block k for section s, bytes(s) long (SectionRecordBytes). The format's
// tile-data widths must match `tileSet.block` (RefreshTileDataWidths).
void BuildTileSectionRecord(const TileSet& tileSet, const ExportFormat& format, int k, int s,
                            std::span<std::uint8_t> record);

// The record of one map position for section s. `blockNumberOffset` is added to every
// tile number; `tilesPerBlock` turns a cell's first Tile into its Block number.
void BuildMapSectionRecord(const TileSet& tileSet, const ExportFormat& format, const MapCell& cell,
                           int s, std::int32_t blockNumberOffset, int tilesPerBlock,
                           std::span<std::uint8_t> record);

} // namespace tessivar
