// A tile binary import must read exactly the Tiles that fit from the chosen slot on,
// each pixel from its two bit planes, and leave every other Tile alone. The first two
// bytes choose the first slot.

#include "core/files/TileBinary.h"
#include "core/model/TileSet.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

[[noreturn]] void mismatch(const char* what) {
    std::fprintf(stderr, "tile binary import: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tessivar::kMaxTiles;
    if (size < 2)
        return 0;
    const int first = (data[0] | data[1] << 8) % kMaxTiles;
    const std::span<const std::uint8_t> binary(data + 2, size - 2);
    static const auto fresh = std::make_unique<const tessivar::TileSet>();
    static const auto tileSet = std::make_unique<tessivar::TileSet>();
    *tileSet = *fresh;
    const auto imported = tessivar::ImportTileBinary(binary, first, *tileSet);

    const int inFile = static_cast<int>(binary.size() / 16);
    const int fits = kMaxTiles - first < inFile ? kMaxTiles - first : inFile;
    if (imported.TilesInFile != inFile || imported.TilesRead != fits)
        mismatch("wrong Tile counts");
    // With the file's Tiles put back as they were, the set is the fresh one again.
    static const auto restored = std::make_unique<tessivar::TileSet>();
    *restored = *tileSet;
    std::copy_n(fresh->Tiles.begin() + first, fits, restored->Tiles.begin() + first);
    if (!(*restored == *fresh))
        mismatch("more than the file's Tiles changed");
    const auto& after = tileSet->Tiles;
    for (int t = 0; t < fits; ++t) {
        for (int i = 0; i < 64; ++i) {
            const std::uint8_t* rows = binary.data() + t * 16 + i / 8 * 2;
            const int bit = 7 - i % 8;
            if (after[first + t][i] != ((rows[0] >> bit & 1) | (rows[1] >> bit & 1) << 1))
                mismatch("a pixel differs");
        }
    }
    return 0;
}
