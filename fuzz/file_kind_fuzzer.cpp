// Reading a file as a tile set or a map without naming the kind must give exactly what
// the two readers give on their own. The first byte names the kind, or leaves it open.

#include "core/files/FileKind.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void mismatch(const char* what) {
    std::fprintf(stderr, "file kind: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tessivar::FileKind;
    if (size == 0)
        return 0;
    const std::optional<FileKind> kind = data[0] % 3 == 0   ? std::optional(FileKind::TileSet)
                                         : data[0] % 3 == 1 ? std::optional(FileKind::Map)
                                                            : std::nullopt;
    const std::span<const std::uint8_t> file(data + 1, size - 1);
    const auto read = tessivar::ParseTileSetOrMap(file, kind);
    const bool asTileSet = kind != FileKind::Map && tessivar::ParseTileSetFile(file).ok();
    const bool asMap = kind != FileKind::TileSet && tessivar::ParseMapFile(file).ok();
    if (read.ok() != (asTileSet || asMap) || read.error().empty() != read.ok())
        mismatch("accepted or refused unlike the readers");
    if (!read.ok())
        return 0;
    if (read->TileSet.has_value() != asTileSet || read->Map.has_value() != asMap)
        mismatch("readings differ from the readers");
    if (read->Ambiguous() && kind)
        mismatch("two readings of a named kind");
    if (read->TileSet && read->TileSet->TileCount != static_cast<int>(read->TileSet->Tiles.size()))
        mismatch("tile count and Tiles disagree");
    return 0;
}
