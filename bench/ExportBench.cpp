// Source export of the largest inputs: a 2048 x 2048 map at one byte a cell and a full
// 768-Tile set with the grayscale preset.

#include "core/export/SourceExport.h"
#include "core/model/TileSet.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace tessivar {
namespace {

// In memory where the machine has a memory file system, so that the figure is the
// export's and not the disk's (the file is flushed to disk before it is renamed).
std::filesystem::path scratchFile(const char* name) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", error)
                                             ? std::filesystem::path("/dev/shm")
                                             : std::filesystem::temp_directory_path();
    return folder / (std::string("tessivar-export-bench-") + std::to_string(::getpid()) + name);
}

void BM_ExportLargestMapZ80(benchmark::State& state) {
    MapGrid map(kMaxMapSide, kMaxMapSide);
    for (std::size_t i = 0; i < map.Cells.size(); ++i)
        map.Cells[i].Tile = static_cast<std::uint16_t>(i % 256);
    const TileSet set;
    const auto path = scratchFile(".asm");
    for (auto _ : state) {
        const Status status =
            ExportMapSource(set, map, MapFormatPreset(), SourceDialect::Z80, 0, path.string());
        if (!status)
            state.SkipWithError(status.error().c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}

void BM_ExportFullTileSetGray(benchmark::State& state) {
    TileSet set;
    set.TileCount = kMaxTiles;
    for (int t = 0; t < kMaxTiles; ++t)
        for (int i = 0; i < kTileBytes; ++i)
            set.Tiles[t][i] = static_cast<ColorIndex>((t + i) % 4);
    const std::vector<bool> included(kMaxTiles, true);
    const auto path = scratchFile(".asm");
    for (auto _ : state) {
        const Status status =
            ExportTileSource(set, TileFormatPreset(TilePreset::GrayOnly, set.Block),
                             SourceDialect::Z80, included, path.string());
        if (!status)
            state.SkipWithError(status.error().c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}

BENCHMARK(BM_ExportLargestMapZ80)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_ExportFullTileSetGray)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace
} // namespace tessivar
