#pragma once

// Tile set and map files share the magics "VX01" and "VX02", and a map whose cells are
// zeros also reads as a valid tile set of 0 Tiles. The file name's extension tells the
// kind; a file named otherwise is read both ways, and only one reading may succeed.

#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"
#include "core/util/Result.h"

#include <optional>
#include <span>
#include <string>

namespace tessivar {

enum class FileKind { TileSet, Map };

// ".vxt" is a tile set and ".vxm" a map, in any letter case; nothing for other names.
std::optional<FileKind> FileKindFromExtension(const std::string& path);

// "tile set" or "map", for messages.
const char* FileKindName(FileKind kind);

// One or both readings of a file. Both are set only when the caller did not name the
// kind and the bytes are valid as either; the caller then has to ask which is meant.
struct TileSetOrMap {
    std::optional<TileSetFileContents> TileSet;
    std::optional<MapFileContents> Map;

    bool Ambiguous() const { return TileSet && Map; }
    FileKind Kind() const { return TileSet ? FileKind::TileSet : FileKind::Map; }
};

// Reads the data as `kind`, or as both kinds when it is not given. Refused when no
// reading succeeds, with the reason of the kind the file's magic points to.
Result<TileSetOrMap> ParseTileSetOrMap(std::span<const std::uint8_t> data,
                                       std::optional<FileKind> kind);

} // namespace tessivar
