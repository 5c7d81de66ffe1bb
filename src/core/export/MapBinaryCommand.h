#pragma once

// The map editor's "Binary" export: the bytes of the map export's current format and
// Tile # offset, as assembling its source would give them, for including as they are.

#include "core/export/ExportFormat.h"
#include "core/model/MapDocument.h"
#include "core/model/TileSet.h"

#include <cstdint>

namespace tessivar {

class UserPrompts;

inline constexpr const char* kMapBinaryFilter = "Binary Map (*.bin)|*.bin|All Files (*.*)|*.*";

// Asks for a file and writes it; a failure is reported as "File Error". True when a
// file was written.
bool ExportMapBinaryCommand(const TileSet& tileSet, const MapGrid& map, const ExportFormat& format,
                            std::int32_t blockNumberOffset, UserPrompts& prompts);

} // namespace tessivar
