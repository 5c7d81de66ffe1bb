// The image import: a screen-sized picture end to end, a 16384 x 16384 picture of 500
// distinct Tiles in random flips (hashed duplicate search, mode full, with a map), and
// the direct pairwise search on a 1024 x 1024 picture for comparison.

#include "core/imageimport/ImageImport.h"
#include "core/imageimport/PictureConversion.h"

#include "../tests/core/imageimport/ImportTestSupport.h"
#include "../tests/core/imageimport/PairwiseReference.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace tessivar {
namespace {

void BM_Import160x144(benchmark::State& state) {
    std::mt19937 random(1);
    BitmapImage source;
    source.SetSize(160, 144, 24);
    for (int y = 0; y < 144; ++y)
        for (auto& byte : source.Row(y))
            byte = static_cast<std::uint8_t>((y * 3 + random() % 40) & 0xFF);
    auto tileSet = std::make_unique<TileSet>();
    MapDocument map;
    for (auto _ : state) {
        tileSet->ResetForNew();
        const auto picture = ConvertPicture(source, {{160, 144}, 20, true});
        const auto summary = ImportConvertedImage({*tileSet, map, 0, 0, 0, {}}, *picture,
                                                  {DuplicateMode::Full, true, true});
        benchmark::DoNotOptimize(summary.ok());
    }
}
BENCHMARK(BM_Import160x144)->Unit(benchmark::kMillisecond);

// A side x side picture of 500 distinct Tiles, each placed in a random flip.
std::vector<Tile> manyTiles(int side) {
    std::mt19937 random(2);
    std::vector<Tile> pool(500);
    for (Tile& tile : pool)
        tile = testing::RandomTile(random);
    std::vector<Tile> tiles(static_cast<std::size_t>(side / 8) * (side / 8));
    for (Tile& tile : tiles)
        tile = testing::Oriented(pool[random() % pool.size()], random() % 4);
    return tiles;
}

void BM_LargeImportFullWithMap(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const ConvertedPicture picture = testing::PictureOfTiles(manyTiles(side), side / 8);
    auto tileSet = std::make_unique<TileSet>();
    MapDocument map;
    for (auto _ : state) {
        const auto summary = ImportConvertedImage({*tileSet, map, 0, 0, 0, {}}, picture,
                                                  {DuplicateMode::Full, true, true});
        if (!summary.ok() || summary->TilesKept != 500)
            state.SkipWithError("unexpected import result");
    }
}
BENCHMARK(BM_LargeImportFullWithMap)
    ->Arg(1024)
    ->Arg(8192)
    ->Arg(16384)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_PairwiseReference(benchmark::State& state) {
    const std::vector<Tile> tiles = manyTiles(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<Tile> entries = tiles;
        benchmark::DoNotOptimize(testing::pairwiseRemoval(entries, DuplicateMode::Full));
    }
}
BENCHMARK(BM_PairwiseReference)->Arg(1024)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace tessivar
