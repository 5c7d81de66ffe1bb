// Loading and saving the largest files the editor handles: a 2048 x 2048 map and a full
// tile set of 768 Tiles with 64 categories.

#include "core/files/AtomicFile.h"
#include "core/files/FileIo.h"
#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace tessivar {
namespace {

MapGrid largestMap() {
    MapGrid grid(kMaxMapSide, kMaxMapSide);
    for (std::size_t i = 0; i < grid.Cells.size(); ++i) {
        auto& cell = grid.Cells[i];
        cell.Tile = static_cast<std::uint16_t>(i % kMaxTiles);
        cell.Palette = static_cast<std::uint8_t>(i % kPalettesPerSet);
        cell.HFlip = static_cast<std::uint8_t>(i & 1);
        cell.VFlip = static_cast<std::uint8_t>((i >> 1) & 1);
    }
    return grid;
}

TileSet fullTileSet() {
    TileSet set;
    set.TileCount = kMaxTiles;
    for (int t = 0; t < kMaxTiles; ++t) {
        for (int i = 0; i < kTileBytes; ++i)
            set.Tiles[t][i] = static_cast<ColorIndex>((t + i) % 4);
        set.TilePalette[t] = t % kPalettesPerSet;
        set.TilePaletteSet[t] = (t / 8) % kPaletteSets;
        for (int c = 0; c < kMaxCategories; ++c)
            set.TileInfo[t][c] = t * c;
    }
    for (int c = 3; c < kMaxCategories; ++c)
        set.Categories[c].SetName("Category" + std::to_string(c));
    set.CategoryCount = kMaxCategories;
    return set;
}

// A private folder for the saved files, removed at the end of each benchmark.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tessivar-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const char* name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void BM_LoadLargestMap(benchmark::State& state) {
    const auto bytes = SerializeMap(largestMap(), "tiles.vxt").value();
    MapDocument map;
    for (auto _ : state) {
        auto parsed = ParseMapFile(bytes);
        if (!parsed.ok())
            state.SkipWithError(parsed.error().c_str());
        map.Grid = std::move(parsed->Grid);
        benchmark::DoNotOptimize(map.Grid.Cells.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_SaveLargestMap(benchmark::State& state) {
    const MapGrid grid = largestMap();
    ScratchFolder folder;
    const std::string path = folder.file("map.vxm");
    std::size_t size = 0;
    for (auto _ : state) {
        const auto serialized = SerializeMap(grid, "tiles.vxt");
        size = serialized->size();
        const auto saved = SaveFileAtomically(path, *serialized);
        if (!saved)
            state.SkipWithError(saved.error().c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_LoadFullTileSet(benchmark::State& state) {
    const auto bytes = SerializeTileSet(fullTileSet(), "map.vxm").value();
    TileSet tileSet;
    for (auto _ : state) {
        const auto parsed = ParseTileSetFile(bytes);
        if (!parsed.ok())
            state.SkipWithError(parsed.error().c_str());
        ApplyTileSetFile(*parsed, tileSet);
        benchmark::DoNotOptimize(tileSet.Tiles.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_SaveFullTileSet(benchmark::State& state) {
    const TileSet tileSet = fullTileSet();
    ScratchFolder folder;
    const std::string path = folder.file("tiles.vxt");
    std::size_t size = 0;
    for (auto _ : state) {
        const auto serialized = SerializeTileSet(tileSet, "map.vxm");
        size = serialized->size();
        const auto saved = SaveFileAtomically(path, *serialized);
        if (!saved)
            state.SkipWithError(saved.error().c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// Saving includes the flush to disk, whose time varies a lot: report medians.
BENCHMARK(BM_LoadLargestMap)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_SaveLargestMap)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_LoadFullTileSet)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_SaveFullTileSet)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace
} // namespace tessivar
