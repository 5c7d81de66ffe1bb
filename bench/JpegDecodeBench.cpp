// Decoding a 4000 x 3000 photo-like JPEG (4:2:0, quality 90), baseline and progressive,
// with our decoder and, for comparison in the same run, with djpeg (integer transform,
// no fancy upsampling) on the same files. The files are made with cjpeg at start.

#include "core/picture/jpeg/JpegDecoder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include <sys/resource.h>
#include <time.h>

namespace tessivar {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kDjpegRuns = 5;

// Smooth gradients, a few soft shapes, fine texture and noise: roughly the statistics
// of a photograph, so the entropy-coded data has a realistic density.
std::vector<std::uint8_t> photoLikePicture() {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
    std::vector<double> columnWave(kWidth);
    std::vector<double> rowWave(kHeight);
    for (int x = 0; x < kWidth; ++x)
        columnWave[static_cast<std::size_t>(x)] = std::sin(x / 310.0);
    for (int y = 0; y < kHeight; ++y)
        rowWave[static_cast<std::size_t>(y)] = std::cos(y / 270.0);
    std::uint32_t state = 1;
    std::size_t i = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double base = 0.5 + 0.25 * columnWave[static_cast<std::size_t>(x)] +
                                0.2 * rowWave[static_cast<std::size_t>(y)];
            const int dx = x - 2600;
            const int dy = y - 1200;
            const bool disc = dx * dx + dy * dy < 700 * 700;
            const int texture = ((x * 7 + y * 3) % 23) - 11 + ((x / 3 + y / 5) % 9);
            for (int c = 0; c < 3; ++c) {
                state = state * 1664525u + 1013904223u;
                const int noise = static_cast<int>(state >> 28) - 8;
                double value = 255.0 * base * (0.7 + 0.15 * c) + texture + noise;
                if (disc)
                    value = 255.0 - value * 0.6;
                rgb[i++] = static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
            }
        }
    }
    return rgb;
}

struct Fixture {
    fs::path folder;
    fs::path baseline;
    fs::path progressive;
    std::vector<std::uint8_t> baselineBytes;
    std::vector<std::uint8_t> progressiveBytes;
    std::string problem;

    Fixture() {
        folder = fs::temp_directory_path() / ("tessivar-jpeg-bench-" + std::to_string(getpid()));
        fs::create_directories(folder);
        if (std::system("command -v cjpeg >/dev/null 2>&1 && command -v djpeg >/dev/null 2>&1")) {
            problem = "cjpeg/djpeg (libjpeg-turbo-progs) not installed";
            return;
        }
        const fs::path source = folder / "photo.ppm";
        {
            const auto rgb = photoLikePicture();
            std::ofstream out(source, std::ios::binary);
            out << "P6\n" << kWidth << " " << kHeight << "\n255\n";
            out.write(reinterpret_cast<const char*>(rgb.data()),
                      static_cast<std::streamsize>(rgb.size()));
        }
        baseline = folder / "baseline.jpg";
        progressive = folder / "progressive.jpg";
        for (const auto& [target, options] :
             {std::pair{baseline, ""}, std::pair{progressive, "-progressive"}}) {
            const std::string command = "cjpeg -quality 90 -sample 2x2 " + std::string(options) +
                                        " -outfile '" + target.string() + "' '" + source.string() +
                                        "'";
            if (std::system(command.c_str()) != 0)
                problem = "cjpeg failed";
        }
        baselineBytes = read(baseline);
        progressiveBytes = read(progressive);
    }
    ~Fixture() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    static std::vector<std::uint8_t> read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

// The machine is shared, so time is measured as CPU time (user + system) as well as
// wall-clock time: ours on the decoding thread, djpeg's as the children's usage.
struct Timing {
    double cpu = 0.0;
    double wall = 0.0;
};

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double childrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// One djpeg run on `file`, writing its default output (a PPM picture, streamed row by
// row) to /dev/null.
Timing timeDjpeg(const fs::path& file) {
    const std::string command = "djpeg -nosmooth -dct int '" + file.string() + "' >/dev/null";
    const double cpuBefore = childrenCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0)
        return {-1.0, -1.0};
    return {childrenCpuSeconds() - cpuBefore,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()};
}

Timing median(std::vector<Timing> times) {
    Timing result;
    auto middle = [&](auto member) {
        std::sort(times.begin(), times.end(),
                  [&](const Timing& a, const Timing& b) { return a.*member < b.*member; });
        return times[times.size() / 2].*member;
    };
    result.cpu = middle(&Timing::cpu);
    result.wall = middle(&Timing::wall);
    return result;
}

void decodeWithOurs(benchmark::State& state, bool progressive) {
    Fixture& data = fixture();
    if (!data.problem.empty()) {
        state.SkipWithError(data.problem.c_str());
        return;
    }
    const auto& bytes = progressive ? data.progressiveBytes : data.baselineBytes;
    JpegDecoder decoder;
    BitmapImage image;
    std::vector<Timing> times;
    for (auto _ : state) {
        const double cpuBefore = threadCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        decoder.ReadImage(bytes, image);
        times.push_back(
            {threadCpuSeconds() - cpuBefore,
             std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()});
        benchmark::DoNotOptimize(image.Row(0).data());
    }
    const Timing ours = median(times);
    // djpeg timed in the same run, right after ours, on the same file.
    std::vector<Timing> djpegTimes;
    for (int i = 0; i < kDjpegRuns; ++i)
        djpegTimes.push_back(timeDjpeg(progressive ? data.progressive : data.baseline));
    const Timing djpeg = median(djpegTimes);
    state.counters["ours_cpu_ms"] = ours.cpu * 1000.0;
    state.counters["djpeg_cpu_ms"] = djpeg.cpu * 1000.0;
    state.counters["ratio_cpu"] = ours.cpu / djpeg.cpu;
    state.counters["ours_wall_ms"] = ours.wall * 1000.0;
    state.counters["djpeg_wall_ms"] = djpeg.wall * 1000.0;
    state.counters["ratio_wall"] = ours.wall / djpeg.wall;
    state.SetLabel(std::to_string(bytes.size()) + " bytes");
}

void djpegManual(benchmark::State& state, bool progressive) {
    Fixture& data = fixture();
    if (!data.problem.empty()) {
        state.SkipWithError(data.problem.c_str());
        return;
    }
    for (auto _ : state)
        state.SetIterationTime(timeDjpeg(progressive ? data.progressive : data.baseline).wall);
}

void BM_JpegDecodeBaseline(benchmark::State& state) {
    decodeWithOurs(state, false);
}
void BM_JpegDecodeProgressive(benchmark::State& state) {
    decodeWithOurs(state, true);
}
void BM_DjpegBaseline(benchmark::State& state) {
    djpegManual(state, false);
}
void BM_DjpegProgressive(benchmark::State& state) {
    djpegManual(state, true);
}

BENCHMARK(BM_JpegDecodeBaseline)->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_DjpegBaseline)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(7);
BENCHMARK(BM_JpegDecodeProgressive)->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_DjpegProgressive)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(7);

} // namespace
} // namespace tessivar
