// The tile sheet reader: the Block count record among a PNG file's first chunks, and the
// cutting of sheet rows (indexes or colours, any Block size) into Tiles.

#include "core/interchange/TileSheet.h"
#include "core/interchange/TileSheetImport.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto recorded = tessivar::TileSheetBlockCount(bytes);
    if (size < 5)
        return 0;
    tessivar::TileSheetRows rows;
    rows.Width = 8 * (1 + data[0] % 6);
    rows.Height = 8 * (1 + data[1] % 6);
    rows.Indexed = data[4] & 1;
    const tessivar::BlockSize block{1 + data[2] % 24, 1 + data[3] % 24};
    std::size_t at = 5;
    rows.Next = [&](std::span<std::uint8_t> row) {
        for (std::uint8_t& value : row) {
            value = at < size ? data[at] : 0;
            at = at + 1 < size ? at + 1 : 5;
        }
        return tessivar::Ok();
    };
    const auto cut = tessivar::CutTileSheet(rows, block, 64, recorded);
    if (cut)
        for (const auto value : cut->Indices)
            if (value > 3)
                __builtin_trap(); // a Tile pixel past ColorIndex 3
    return 0;
}
