#include "core/files/BitPlanes.h"

#include "core/model/TileSet.h"

#include <algorithm>

namespace tessivar {

void WriteBitPlane(const TileSet& tileSet, BlockSize block, int b, int planeMask,
                   bool storedBeyondBlock, std::uint8_t* out) {
    const int across = block.TilesAcross();
    for (int y = 0; y < block.Height; ++y) {
        for (int j = 0; j < across; ++j) {
            const int tile = b + block.TileOffsetOf(8 * j, y);
            if (tile >= kMaxTiles) {
                *out++ = 0;
                continue;
            }
            const ColorIndex* row = &tileSet.Tiles[static_cast<std::size_t>(tile)][(y % 8) * 8];
            const int columns = storedBeyondBlock ? 8 : std::min(8, block.Width - 8 * j);
            std::uint8_t byte = 0;
            for (int x = 0; x < columns; ++x)
                if (row[x] & planeMask)
                    byte |= static_cast<std::uint8_t>(0x80u >> x);
            *out++ = byte;
        }
    }
}

} // namespace tessivar
