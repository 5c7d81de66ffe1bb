#pragma once

// The size a picture is converted to, and the checks on the dialog's numbers.

namespace tessivar {

struct ImportSize {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const ImportSize&, const ImportSize&) = default;
};

constexpr int kLargestImportSide = 16384;
constexpr int kDefaultDitherPercent = 20;
inline constexpr const char* kInvalidImportSettings = "Size or dither entered is invalid";

// The picture shrunk to fit 160 x 144 (height first, then width; divisions truncate),
// then each side raised to a multiple of 8. Smaller pictures are only raised.
ImportSize DefaultImportSize(int width, int height);

// 8..16384 pixels each way, multiples of 8, and a dither share of 0..100 percent.
bool ImportSettingsValid(ImportSize size, int ditherPercent);

} // namespace tessivar
