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
    map.grid = std::move(parsed->grid);
    if (map.Width() < 1 || map.Height() < 1 || map.Width() > tessivar::kMaxMapSide ||
        map.Height() > tessivar::kMaxMapSide ||
        map.grid.cells.size() != static_cast<std::size_t>(map.Width()) * map.Height())
        mismatch("accepted a grid of an impossible size");
    for (const auto& cell : map.grid.cells)
        if (parsed->version == "VX01" && (cell.HFlip || cell.VFlip))
            mismatch("accepted a cell out of range");

    const auto saved = tessivar::SerializeMap(map.grid, parsed->tileSetPath);
    if (!saved.error().empty())
        mismatch("an accepted file could not be saved");
    if (saved->size() != 264 + 5 * map.grid.cells.size())
        mismatch("saved size is wrong");
    const auto reparsed = tessivar::ParseMapFile(*saved);
    if (!reparsed.ok())
        mismatch("the saved file is refused");
    if (reparsed->version != "VX02" || reparsed->tileSetPath != parsed->tileSetPath)
        mismatch("version or tile set path changed");
    if (!(reparsed->grid == map.grid))
        mismatch("cells changed");
    return 0;
}
