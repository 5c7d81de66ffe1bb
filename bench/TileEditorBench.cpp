// Costs of the tile editor's two heaviest operations on the largest Block (240 x 128,
// 480 Tiles): a flood fill of the whole Block, and painting the whole canvas at the
// automatic zoom of 3 with its pixel grid into a 32-bit buffer.

#include "core/model/TileSet.h"
#include "core/render/CanvasPainter.h"
#include "core/tileeditor/EditorLayout.h"
#include "core/tileeditor/FloodFill.h"

#include <benchmark/benchmark.h>

namespace tessivar {
namespace {

constexpr BlockSize kLargestBlock{kMaxBlockWidth, kMaxBlockHeight};

void BM_FloodFillLargestBlock(benchmark::State& state) {
    TileSet tileSet;
    tileSet.block = kLargestBlock;
    tileSet.tileCount = tileSet.TilesPerBlock();
    ColorIndex color = 1;
    for (auto _ : state) {
        // Alternating colours so every run fills all 30 720 pixels.
        FloodFillBlock(tileSet, 0, {0, 0}, color, 2);
        color = color == 1 ? 2 : 1;
        benchmark::DoNotOptimize(tileSet.tiles[0][0]);
    }
    state.SetItemsProcessed(state.iterations() * kLargestBlock.width * kLargestBlock.height);
}
BENCHMARK(BM_FloodFillLargestBlock)->Unit(benchmark::kMicrosecond);

void BM_PaintCanvasLargestBlock(benchmark::State& state) {
    TileSet tileSet;
    tileSet.block = kLargestBlock;
    tileSet.tileCount = tileSet.TilesPerBlock();
    for (int y = 0; y < kLargestBlock.height; ++y)
        for (int x = 0; x < kLargestBlock.width; ++x)
            tileSet.SetBlockPixel(0, x, y, static_cast<ColorIndex>((x ^ y) & 3));
    const int zoom = AutomaticZoomFor(kLargestBlock).canvasZoom;
    const CanvasLook look{0, 0, 0, zoom, Rgb{0, 0, 0}, {}};
    RgbImage canvas(kLargestBlock.width * zoom, kLargestBlock.height * zoom);
    const CellRange everything{0, kLargestBlock.width - 1, 0, kLargestBlock.height - 1};
    for (auto _ : state) {
        PaintTileCanvas(tileSet, look, everything, canvas);
        benchmark::DoNotOptimize(canvas.pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * kLargestBlock.width * kLargestBlock.height);
}
BENCHMARK(BM_PaintCanvasLargestBlock)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tessivar
