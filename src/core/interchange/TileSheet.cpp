#include "core/interchange/TileSheet.h"

#include "core/picture/PngWriter.h"

#include <algorithm>
#include <fstream>
#include <vector>

namespace tessivar {

namespace {

constexpr int kSheetTilesAcross = 16;
constexpr int kSheetBitDepth = 2;

} // namespace

std::optional<int> TileSheetBlockCount(std::span<const std::uint8_t> fileStart) {
    const std::string key = kTileSheetBlocksKey;
    std::size_t at = 8; // after the signature
    while (at + 8 <= fileStart.size()) {
        const std::uint32_t length = static_cast<std::uint32_t>(fileStart[at]) << 24 |
                                     static_cast<std::uint32_t>(fileStart[at + 1]) << 16 |
                                     static_cast<std::uint32_t>(fileStart[at + 2]) << 8 |
                                     fileStart[at + 3];
        const std::string type(fileStart.begin() + static_cast<std::ptrdiff_t>(at) + 4,
                               fileStart.begin() + static_cast<std::ptrdiff_t>(at) + 8);
        if (type == "IDAT" || length > fileStart.size() - at - 8)
            break;
        const auto data = fileStart.subspan(at + 8, length);
        if (type == "tEXt" && data.size() > key.size() &&
            std::equal(key.begin(), key.end(), data.begin()) && data[key.size()] == 0) {
            const std::string digits(data.begin() + static_cast<std::ptrdiff_t>(key.size()) + 1,
                                     data.end());
            if (digits.empty() || digits.size() > 3 ||
                digits.find_first_not_of("0123456789") != std::string::npos ||
                std::stoi(digits) > kMaxTiles)
                return std::nullopt;
            return std::stoi(digits);
        }
        at += std::size_t{12} + length;
    }
    return std::nullopt;
}

std::optional<int> TileSheetBlockCountOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> start(64 * 1024);
    in.read(reinterpret_cast<char*>(start.data()), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return TileSheetBlockCount(start);
}

int TileSheetColumns(const TileSheetLook& look) {
    if (look.Columns > 0)
        return look.Columns;
    return std::max(1, kSheetTilesAcross / look.Block.TilesAcross());
}

std::array<Rgb, kColorsPerPalette> TileSheetPalette(const TileSet& tileSet,
                                                    const TileSheetLook& look) {
    const Palette palette =
        look.Grey ? GreyRampPalette()
                  : tileSet.Palettes[static_cast<std::size_t>(
                        (look.PaletteSet < 0 ? tileSet.TilePaletteSet[0] : look.PaletteSet) & 7)]
                                    [static_cast<std::size_t>(look.Palette & 7)];
    std::array<Rgb, kColorsPerPalette> colors{};
    for (int c = 0; c < kColorsPerPalette; ++c)
        colors[static_cast<std::size_t>(c)] = DisplayColor(palette[static_cast<std::size_t>(c)]);
    return colors;
}

Status WriteTileSheet(const TileSet& tileSet, const TileSheetLook& look, AtomicFile& file) {
    const BlockSize block = look.Block;
    const int blocks = tileSet.TileCount / block.TilesPerBlock();
    if (blocks < 1)
        return Fail("The tile set has no Block of " + std::to_string(block.Width) + " x " +
                    std::to_string(block.Height) + " pixels to draw");
    const int columns = TileSheetColumns(look);
    const int rows = (blocks + columns - 1) / columns;
    const int blockWidth = block.TilesAcross() * kTileSide;
    const int blockHeight = block.TilesDown() * kTileSide;
    const long long width = static_cast<long long>(columns) * blockWidth;
    if (width > (1 << 24))
        return Fail("The sheet would be too wide");
    const auto palette = TileSheetPalette(tileSet, look);
    auto png = PngWriter::StartIndexed(file, static_cast<int>(width), rows * blockHeight, palette,
                                       kSheetBitDepth);
    if (!png)
        return Fail(png.error());
    if (Status s = (*png)->AddText(kTileSheetBlocksKey, std::to_string(blocks)); !s)
        return s;
    std::vector<std::uint8_t> strip(static_cast<std::size_t>(width) * blockHeight, 0);
    for (int row = 0; row < rows; ++row) {
        std::fill(strip.begin(), strip.end(), 0);
        for (int column = 0; column < columns && row * columns + column < blocks; ++column) {
            const int first = (row * columns + column) * block.TilesPerBlock();
            for (int y = 0; y < blockHeight; ++y) {
                std::uint8_t* out =
                    &strip[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(column * blockWidth)];
                for (int x = 0; x < blockWidth; ++x)
                    out[x] = tileSet.PixelIn(block, first, x, y) & 3;
            }
        }
        if (Status s = (*png)->WriteRows(strip); !s)
            return s;
    }
    return (*png)->Finish();
}

Status WriteTileSheet(const TileSet& tileSet, const TileSheetLook& look, const std::string& path) {
    auto file = AtomicFile::Open(path);
    if (!file)
        return Fail(file.error());
    if (Status written = WriteTileSheet(tileSet, look, *file); !written) {
        file->Abandon();
        return written;
    }
    return file->Commit();
}

} // namespace tessivar
