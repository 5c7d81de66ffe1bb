// Costs of the tile editor's two heaviest operations on the largest Block (240 x 128,
// 480 Tiles): a flood fill of the whole Block, and painting the whole canvas at the
// automatic zoom of 3 with its pixel grid into a 32-bit buffer.

#include "core/model/TileSet.h"
#include "core/render/CanvasPainter.h"
#include "core/tileeditor/EditorLayout.h"
#include "core/tileeditor/TileStroke.h"

#include <benchmark/benchmark.h>

namespace tessivar {
namespace {

constexpr BlockSize kLargestBlock{kMaxBlockWidth, kMaxBlockHeight};

void BM_FloodFillLargestBlock(benchmark::State& state) {
    TileSet tileSet;
    tileSet.Block = kLargestBlock;
    tileSet.TileCount = tileSet.TilesPerBlock();
    ColorIndex color = 1;
    for (auto _ : state) {
        // Alternating colours so every run fills all 30 720 pixels.
        FloodFillBlock(tileSet, 0, {0, 0}, color, 2);
        color = color == 1 ? 2 : 1;
        benchmark::DoNotOptimize(tileSet.Tiles[0][0]);
    }
    state.SetItemsProcessed(state.iterations() * kLargestBlock.Width * kLargestBlock.Height);
}
BENCHMARK(BM_FloodFillLargestBlock)->Unit(benchmark::kMicrosecond);

void BM_PaintCanvasLargestBlock(benchmark::State& state) {
    TileSet tileSet;
    tileSet.Block = kLargestBlock;
    tileSet.TileCount = tileSet.TilesPerBlock();
    for (int y = 0; y < kLargestBlock.Height; ++y)
        for (int x = 0; x < kLargestBlock.Width; ++x)
            tileSet.SetBlockPixel(0, x, y, static_cast<ColorIndex>((x ^ y) & 3));
    const int zoom = AutomaticZoomFor(kLargestBlock).CanvasZoom;
    const CanvasLook look{0, 0, 0, zoom, Rgb{0, 0, 0}, {}};
    RgbImage canvas(kLargestBlock.Width * zoom, kLargestBlock.Height * zoom);
    const CellRange everything{0, kLargestBlock.Width - 1, 0, kLargestBlock.Height - 1};
    for (auto _ : state) {
        PaintTileCanvas(tileSet, look, everything, canvas);
        benchmark::DoNotOptimize(canvas.Pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * kLargestBlock.Width * kLargestBlock.Height);
}
BENCHMARK(BM_PaintCanvasLargestBlock)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tessivar
