// Any accepted tile set file must survive apply, save and reload unchanged.

#include "core/files/TileSetFile.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using tessivar::TileSet;

[[noreturn]] void mismatch(const char* what) {
    std::fprintf(stderr, "tile set round trip: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed = tessivar::ParseTileSetFile({data, size});
    if (!parsed.ok())
        return 0;
    // Heap, not stack: a tile set is a quarter of a megabyte. Copying a fresh one is
    // much cheaper than building it again for every input.
    static const auto fresh = std::make_unique<const TileSet>();
    static const auto loaded = std::make_unique<TileSet>();
    static const auto reloaded = std::make_unique<TileSet>();
    *loaded = *fresh;
    tessivar::ApplyTileSetFile(*parsed, *loaded);

    const auto saved = tessivar::SerializeTileSet(*loaded, parsed->AssociatedMap);
    if (!saved.error().empty())
        mismatch("an accepted file could not be saved");
    const auto reparsed = tessivar::ParseTileSetFile(*saved);
    if (!reparsed.ok())
        mismatch("the saved file is refused");
    if (reparsed->Version != "VX03" || reparsed->AssociatedMap != parsed->AssociatedMap)
        mismatch("version or map path changed");
    *reloaded = *fresh;
    tessivar::ApplyTileSetFile(*reparsed, *reloaded);
    if (!(*loaded == *reloaded))
        mismatch("contents changed");
    if (tessivar::SerializeTileSet(*reloaded, reparsed->AssociatedMap).value() != *saved)
        mismatch("saving is not stable");
    return 0;
}
