// Any accepted map file must survive building the grid, saving and reloading unchanged.

#include "core/files/MapFile.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void mismatch(const char* what) {
    std::fprintf(stderr, "map round trip: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto parsed = tessivar::ParseMapFile({data, size});
    if (!parsed.ok())
        return 0;
    tessivar::MapDocument map;
    map.Grid = std::move(parsed->Grid);
    if (map.Width() < 1 || map.Height() < 1 || map.Width() > tessivar::kMaxMapSide ||
        map.Height() > tessivar::kMaxMapSide ||
        map.Grid.Cells.size() != static_cast<std::size_t>(map.Width()) * map.Height())
        mismatch("accepted a grid of an impossible size");
    for (const auto& cell : map.Grid.Cells)
        if (parsed->Version == "VX01" && (cell.HFlip || cell.VFlip))
            mismatch("accepted a cell out of range");

    const auto saved = tessivar::SerializeMap(map.Grid, parsed->TileSetPath);
    if (!saved.error().empty())
        mismatch("an accepted file could not be saved");
    if (saved->size() != 264 + 5 * map.Grid.Cells.size())
        mismatch("saved size is wrong");
    const auto reparsed = tessivar::ParseMapFile(*saved);
    if (!reparsed.ok())
        mismatch("the saved file is refused");
    if (reparsed->Version != "VX02" || reparsed->TileSetPath != parsed->TileSetPath)
        mismatch("version or tile set path changed");
    if (!(reparsed->Grid == map.Grid))
        mismatch("cells changed");
    return 0;
}
