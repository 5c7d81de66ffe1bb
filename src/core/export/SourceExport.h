#pragma once

// Tile data and map data as assembler source: a header comment, a label line per
// section, and byte-directive lines of at most 16 "$XX" bytes, CR LF line ends. The
// text is streamed into an atomic file: a failure leaves nothing behind.

#include "core/export/ExportFormat.h"
#include "core/model/MapDocument.h"
#include "core/util/Result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessivar {

class AtomicFile;
class TileSet;

// Why a format cannot be exported (a negative width or one above 65,536 bits, a category
// index outside the table, a label holding a control character, a record above 65,536
// bytes, for maps a section wider than 256 bits); empty when it can. The message names
// the property or section row.
Status CheckExportFormat(const ExportFormat& format, bool forMap);

// Writes the Blocks k = 0 .. tile count div TilesPerBlock - 1 whose `included` entry
// exists and is true, section by section. Tile-data widths follow the current Block size.
Status ExportTileSource(const TileSet& tileSet, const ExportFormat& format, SourceDialect dialect,
                        const std::vector<bool>& included, const std::string& path);
// The same text into a file the caller commits (as one output of several).
Status ExportTileSource(const TileSet& tileSet, const ExportFormat& format, SourceDialect dialect,
                        const std::vector<bool>& included, AtomicFile& file);

// Writes every row of the map for each section in turn; `blockNumberOffset` is added to
// every tile number.
Status ExportMapSource(const TileSet& tileSet, const MapGrid& map, const ExportFormat& format,
                       SourceDialect dialect, std::int32_t blockNumberOffset,
                       const std::string& path);
Status ExportMapSource(const TileSet& tileSet, const MapGrid& map, const ExportFormat& format,
                       SourceDialect dialect, std::int32_t blockNumberOffset, AtomicFile& file);

// The bytes that assembling ExportMapSource's text gives, in the same order, without
// labels, comments or directives: a binary map to include as it is.
Status ExportMapBinary(const TileSet& tileSet, const MapGrid& map, const ExportFormat& format,
                       std::int32_t blockNumberOffset, AtomicFile& file);
Status ExportMapBinary(const TileSet& tileSet, const MapGrid& map, const ExportFormat& format,
                       std::int32_t blockNumberOffset, const std::string& path);

} // namespace tessivar
