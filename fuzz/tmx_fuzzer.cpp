// Any accepted TMX map must come back unchanged through the TMX writer and reader.

#include "core/interchange/TmxExport.h"
#include "core/interchange/TmxImport.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed = tessivar::ParseTmx({data, size});
    if (!parsed.ok())
        return 0;
    const auto& grid = parsed->Grid;
    if (grid.Cells.size() != static_cast<std::size_t>(grid.Width) * grid.Height ||
        !tessivar::CheckTmxCells(grid).ok()) {
        std::fprintf(stderr, "tmx: accepted cells the map cannot hold\n");
        std::abort();
    }
    static const auto tileSet = std::make_unique<tessivar::TileSet>();
    const auto text = tessivar::MakeTmxDocument(*tileSet, grid, parsed->TileSetPath, "f.tmx");
    if (!text.ok())
        return 0; // a tile set path that XML text cannot carry
    const auto again =
        tessivar::ParseTmx({reinterpret_cast<const std::uint8_t*>(text->data()), text->size()});
    if (!again.ok() || !(again->Grid == grid) || again->TileSetPath != parsed->TileSetPath) {
        std::fprintf(stderr, "tmx: the written map reads back differently\n");
        std::abort();
    }
    return 0;
}
