// Costs of the map editor on the largest map (2048 x 2048 cells): a fill of the whole
// map, a repaint of the canvas part a window of the default size shows, one animation
// tick with every Tile animated, and the map picture written as a bitmap (next to a plain
// copy of a file of the same size) and as an indexed PNG picture.

#include "core/mapeditor/MapAnimation.h"
#include "core/mapeditor/MapCanvasPainter.h"
#include "core/mapeditor/MapFill.h"
#include "core/mapeditor/MapPicture.h"
#include "core/workspace/Workspace.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <optional>

namespace tessivar {
namespace {

constexpr int kLargest = kMaxMapSide;
// The canvas area of the map editor at its default window size, in screen pixels.
constexpr int kViewWidth = 576;
constexpr int kViewHeight = 366;

class SilentPrompts : public UserPrompts {
public:
    void ShowMessage(const std::string&, const std::string&) override {}
    Answer AskYesNoCancel(const std::string&, const std::string&) override {
        return Answer::Cancel;
    }
    std::optional<std::string> ChooseFileToOpen(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChooseFileToSave(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<Rgb> ChooseColor(const Rgb&) override { return std::nullopt; }
};

struct LargeMap {
    SilentPrompts prompts;
    std::unique_ptr<Workspace> workspace = std::make_unique<Workspace>(prompts);

    explicit LargeMap(int side) {
        workspace->CurrentTileSet.TileCount = kMaxTiles;
        workspace->Map.ReplaceMapGrid(side, side);
        for (int t = 0; t < kMaxTiles; ++t)
            for (int i = 0; i < kTileBytes; ++i)
                workspace->CurrentTileSet.Tiles[t][i] = static_cast<ColorIndex>((t + i) & 3);
    }
    void scatterTiles() {
        for (std::size_t i = 0; i < workspace->Map.Grid.Cells.size(); ++i)
            workspace->Map.Grid.Cells[i] = {
                static_cast<std::uint16_t>(i * 7 % kMaxTiles), static_cast<std::uint8_t>(i % 8),
                static_cast<std::uint8_t>(i & 1), static_cast<std::uint8_t>(i >> 1 & 1)};
    }
};

void BM_FillWholeMap(benchmark::State& state) {
    LargeMap map(kLargest);
    std::uint16_t tile = 0;
    for (auto _ : state) {
        const MapCell stamp{static_cast<std::uint16_t>(tile + 1), 0, 0, 0};
        benchmark::DoNotOptimize(FloodFillMap(map.workspace->Map.Grid, 1000, 1000, tile, stamp));
        tile = static_cast<std::uint16_t>(tile + 1);
    }
    state.SetItemsProcessed(state.iterations() * kLargest * kLargest);
}
BENCHMARK(BM_FillWholeMap)->Unit(benchmark::kMillisecond);

// The same fill as the map editor's tool, with its undo step recorded.
void BM_FillWholeMapUndoable(benchmark::State& state) {
    LargeMap map(kLargest);
    MapEditorState editor;
    Workspace& ws = *map.workspace;
    MapHistory history(ws.Map, [&ws](const DocumentChange& change) { ws.Apply(change); });
    MapStroke stroke(ws.CurrentTileSet, ws.Map, editor, history);
    stroke.SetTool(MapTool::Fill);
    for (auto _ : state) {
        editor.LeftBlock = editor.LeftBlock == 1 ? 2 : 1;
        ws.Apply(stroke.MouseDown(MouseButton::Left, 3, 3).Change);
        ws.Apply(stroke.MouseUp().Change);
    }
    state.SetItemsProcessed(state.iterations() * kLargest * kLargest);
}
BENCHMARK(BM_FillWholeMapUndoable)->Unit(benchmark::kMillisecond);

// Repaint of the visible part, scrolled to the middle of the map: the cost must not
// depend on the map's size.
void BM_RepaintVisibleCanvas(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    LargeMap map(side);
    map.scatterTiles();
    MapEditorState editor;
    Workspace& ws = *map.workspace;
    MapHistory history(ws.Map, [](const DocumentChange&) {});
    const MapStroke stroke(ws.CurrentTileSet, ws.Map, editor, history);
    const CellGeometry grid = MapCanvasGrid(map.workspace->CurrentTileSet, map.workspace->Map);
    const int scrollX = std::max(0, grid.Width() / 2 - kViewWidth);
    const int scrollY = std::max(0, grid.Height() / 2 - kViewHeight);
    const CellRange cells =
        grid.CellsTouching({scrollX, scrollY, scrollX + kViewWidth - 1, scrollY + kViewHeight - 1});
    const int originX = grid.CellLeft(cells.FirstColumn);
    const int originY = grid.CellTop(cells.FirstRow);
    RgbImage picture(grid.CellLeft(cells.LastColumn + 1) - originX,
                     grid.CellTop(cells.LastRow + 1) - originY);
    for (auto _ : state) {
        PaintMapCanvas(map.workspace->CurrentTileSet, stroke, grid, cells, 0xFF808080u, picture,
                       originX, originY);
        benchmark::DoNotOptimize(picture.Pixels.data());
    }
    const int count =
        (cells.LastColumn - cells.FirstColumn + 1) * (cells.LastRow - cells.FirstRow + 1);
    state.counters["cells"] = count;
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_RepaintVisibleCanvas)->Arg(64)->Arg(kLargest)->Unit(benchmark::kMicrosecond);

void BM_AnimationTickAllTilesAnimated(benchmark::State& state) {
    LargeMap map(kLargest);
    map.scatterTiles();
    TileSet& tiles = map.workspace->CurrentTileSet;
    for (int t = 0; t < kMaxTiles; ++t) {
        tiles.TileInfo[t][0] = 1;                   // "Animated"
        tiles.TileInfo[t][1] = (t + 1) % kMaxTiles; // "AnimNext"
        tiles.TileInfo[t][2] = 0;                   // "AnimDelay": a step every tick
    }
    const CellGeometry grid = MapCanvasGrid(tiles, map.workspace->Map);
    const CellRange visible =
        VisibleMapCells(grid.Width() / 2, grid.Height() / 2, kViewWidth, kViewHeight,
                        grid.CellLeft(1), grid.CellTop(1), kLargest, kLargest);
    RgbImage canvasPart(kViewWidth + 3 * grid.CellLeft(1), kViewHeight + 3 * grid.CellTop(1));
    const int originX = grid.CellLeft(visible.FirstColumn);
    const int originY = grid.CellTop(visible.FirstRow);
    MapAnimation animation;
    std::int64_t drawn = 0;
    for (auto _ : state) {
        animation.Tick(tiles, map.workspace->Map.Grid, visible,
                       [&](int column, int row, int frame, int palette) {
                           PaintMapFrame(tiles, grid, column, row, frame, palette, canvasPart,
                                         originX, originY);
                           ++drawn;
                       });
    }
    state.counters["cells_drawn_per_tick"] =
        static_cast<double>(drawn) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_AnimationTickAllTilesAnimated)->Unit(benchmark::kMicrosecond);

long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

std::string scratchFile(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void BM_MapPictureBitmap(benchmark::State& state) {
    LargeMap map(kLargest);
    map.scatterTiles();
    const std::string path = scratchFile("tessivar-bench-map.bmp");
    for (auto _ : state) {
        const Status written = WriteMapPicture(
            map.workspace->CurrentTileSet, map.workspace->Map.Grid, path, PictureFormat::Bitmap);
        if (!written)
            state.SkipWithError(written.error().c_str());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
    state.counters["peak_MB"] = static_cast<double>(peakMegabytes());
    std::filesystem::remove(path);
}
BENCHMARK(BM_MapPictureBitmap)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same map as an indexed PNG picture. Arg 0: the grey ramp in every palette (4
// colours, 2 bits a pixel); 1: eight palettes of distinct colours (32 colours, 8 bits).
void BM_MapPicturePng(benchmark::State& state) {
    LargeMap map(kLargest);
    map.scatterTiles();
    if (state.range(0) == 1)
        for (int p = 0; p < kPalettesPerSet; ++p)
            for (int c = 0; c < kColorsPerPalette; ++c)
                map.workspace->CurrentTileSet.Palettes[0][p][c] = {p * 4, c * 8, 31 - p};
    const std::string path = scratchFile("tessivar-bench-map.png");
    for (auto _ : state) {
        const Status written = WriteMapPicture(map.workspace->CurrentTileSet,
                                               map.workspace->Map.Grid, path, PictureFormat::Png);
        if (!written)
            state.SkipWithError(written.error().c_str());
    }
    state.counters["file_MB"] =
        static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = static_cast<double>(peakMegabytes());
    std::filesystem::remove(path);
}
BENCHMARK(BM_MapPicturePng)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// The yardstick: copying a file of the picture's size on the same disk, synced to disk
// as the picture is.
void BM_CopyFileOfPictureSize(benchmark::State& state) {
    const std::string from = scratchFile("tessivar-bench-copy-from.bin");
    const std::string to = scratchFile("tessivar-bench-copy-to.bin");
    const std::uintmax_t bytes = 54 + 192ull * kLargest * kLargest;
    {
        const int fd = ::open(from.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<char> block(1 << 20, 'x');
        for (std::uintmax_t left = bytes; left > 0;) {
            const std::size_t n =
                static_cast<std::size_t>(std::min<std::uintmax_t>(left, block.size()));
            if (::write(fd, block.data(), n) != static_cast<ssize_t>(n))
                break;
            left -= n;
        }
        ::fsync(fd);
        ::close(fd);
    }
    const bool userSpace = state.range(0) == 1;
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        if (userSpace) {
            // Read and write through a buffer, as a program without kernel copy does.
            const int in = ::open(from.c_str(), O_RDONLY);
            const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            for (ssize_t n; (n = ::read(in, buffer.data(), buffer.size())) > 0;)
                if (::write(out, buffer.data(), static_cast<std::size_t>(n)) != n)
                    break;
            ::fsync(out);
            ::close(out);
            ::close(in);
        } else {
            std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
            const int fd = ::open(to.c_str(), O_WRONLY);
            ::fsync(fd);
            ::close(fd);
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
    std::filesystem::remove(from);
    std::filesystem::remove(to);
}
// Arg 0: std::filesystem::copy_file (a kernel-side copy); 1: read and write in user space.
BENCHMARK(BM_CopyFileOfPictureSize)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace tessivar
