#pragma once

// Export formats as small JSON files, so a format made in a dialog can be reused by the
// command-line tool and the other way round:
//   {"properties":[{"kind":"bw","category":0,"bits":64,"section":1}],"sections":["tileData"]}
// Kinds: "bw", "gray", "zero", "one", "tile", "hflip", "vflip", "category".

#include "core/export/ExportFormat.h"
#include "core/util/Result.h"

#include <string>
#include <string_view>

namespace tessivar {

std::string FormatToJson(const ExportFormat& format);

// Reads a format; `forMap` decides which kinds are allowed (no tile data in a map, no
// map kinds in a tile export). Tile-data widths are taken from the Block size at export.
Result<ExportFormat> ParseFormatJson(std::string_view text, bool forMap);

inline constexpr const char* kFormatFileFilter = "Export Format (*.json)|*.json";
Result<ExportFormat> ReadFormatFile(const std::string& path, bool forMap);
Status WriteFormatFile(const std::string& path, const ExportFormat& format);

} // namespace tessivar
