#include "core/files/FileKind.h"

#include "core/files/FileIo.h"

namespace tessivar {

std::optional<FileKind> FileKindFromExtension(const std::string& path) {
    const std::string extension = LowerExtensionOf(path);
    if (extension == ".vxt")
        return FileKind::TileSet;
    if (extension == ".vxm")
        return FileKind::Map;
    return std::nullopt;
}

const char* FileKindName(FileKind kind) {
    return kind == FileKind::TileSet ? "tile set" : "map";
}

Result<TileSetOrMap> ParseTileSetOrMap(std::span<const std::uint8_t> data,
                                       std::optional<FileKind> kind) {
    TileSetOrMap read;
    std::string tileSetReason;
    std::string mapReason;
    if (kind != FileKind::Map) {
        auto tileSet = ParseTileSetFile(data);
        if (tileSet)
            read.TileSet = std::move(*tileSet);
        else
            tileSetReason = tileSet.error();
    }
    if (kind != FileKind::TileSet) {
        auto map = ParseMapFile(data);
        if (map)
            read.Map = std::move(*map);
        else
            mapReason = map.error();
    }
    if (read.TileSet || read.Map)
        return read;
    if (kind)
        return Fail(*kind == FileKind::TileSet ? tileSetReason : mapReason);
    // "VX01" and "VX02" open both kinds; "VX03" only a tile set.
    if (HasTileSetMagic(data))
        return Fail(HasMapMagic(data)
                        ? "as a tile set: " + tileSetReason + "; as a map: " + mapReason
                        : tileSetReason);
    return Fail("not a tile set or map file (unknown magic)");
}

} // namespace tessivar
