#include "core/files/TileBinary.h"

#include "core/files/AtomicFile.h"
#include "core/files/BitPlanes.h"
#include "core/model/TileSet.h"

#include <algorithm>

namespace tessivar {

std::vector<std::uint8_t> SerializeTileBinary(const TileSet& tileSet) {
    const BlockSize block = tileSet.Block;
    const int step = block.TilesPerBlock();
    const std::size_t planeBytes = static_cast<std::size_t>(block.TilesAcross() * block.Height);
    const std::size_t blocks = static_cast<std::size_t>((tileSet.TileCount + step - 1) / step);
    std::vector<std::uint8_t> bytes(blocks * 2 * planeBytes);
    std::uint8_t* out = bytes.data();
    for (int b = 0; b < tileSet.TileCount; b += step) {
        WriteBitPlane(tileSet, block, b, 2, true, out);
        WriteBitPlane(tileSet, block, b, 1, true, out + planeBytes);
        out += 2 * planeBytes;
    }
    return bytes;
}

Status ExportTileBinary(const TileSet& tileSet, const std::string& path) {
    const Status saved = SaveFileAtomically(path, SerializeTileBinary(tileSet));
    if (!saved)
        return Fail("Cannot write \"" + path + "\": " + saved.error());
    return Ok();
}

TileBinaryImport ImportTileBinary(std::span<const std::uint8_t> data, int firstTile,
                                  TileSet& tileSet) {
    TileBinaryImport result;
    result.TilesInFile = static_cast<int>(data.size() / 16);
    result.TilesRead = std::clamp(kMaxTiles - firstTile, 0, result.TilesInFile);
    for (int t = 0; t < result.TilesRead; ++t) {
        Tile& tile = tileSet.Tiles[static_cast<std::size_t>(firstTile + t)];
        const std::uint8_t* rows = data.data() + static_cast<std::size_t>(t) * 16;
        for (int y = 0; y < 8; ++y) {
            const std::uint8_t low = rows[2 * y];
            const std::uint8_t high = rows[2 * y + 1];
            for (int x = 0; x < 8; ++x)
                tile[static_cast<std::size_t>(y * 8 + x)] = static_cast<ColorIndex>(
                    ((low >> (7 - x)) & 1) | (((high >> (7 - x)) & 1) << 1));
        }
    }
    return result;
}

} // namespace tessivar
