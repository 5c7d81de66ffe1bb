#include "core/imageimport/ImportSize.h"

#include <cstdint>

namespace tessivar {

namespace {

constexpr int kFullScreenWidth = 160;
constexpr int kFullScreenHeight = 144;

int RoundUpToEight(std::int64_t value) {
    return static_cast<int>((value + 7) / 8 * 8);
}

} // namespace

ImportSize DefaultImportSize(int width, int height) {
    std::int64_t w = width;
    std::int64_t h = height;
    if (h > kFullScreenHeight) {
        w = w * kFullScreenHeight / h;
        h = kFullScreenHeight;
    }
    if (w > kFullScreenWidth) {
        h = h * kFullScreenWidth / w;
        w = kFullScreenWidth;
    }
    return {RoundUpToEight(w), RoundUpToEight(h)};
}

bool ImportSettingsValid(ImportSize size, int ditherPercent) {
    auto sideValid = [](int side) {
        return side >= 8 && side <= kLargestImportSide && side % 8 == 0;
    };
    return sideValid(size.Width) && sideValid(size.Height) && ditherPercent >= 0 &&
           ditherPercent <= 100;
}

} // namespace tessivar
