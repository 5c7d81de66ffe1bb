#include "core/interchange/TileSheetCutter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

namespace tessivar {

namespace {

// Brightness in thousandths of a grey level; equal ones are told apart by their value.
std::int64_t Brightness(std::uint32_t rgb) {
    return 299 * static_cast<std::int64_t>(rgb >> 16 & 0xFF) +
           587 * static_cast<std::int64_t>(rgb >> 8 & 0xFF) +
           114 * static_cast<std::int64_t>(rgb & 0xFF);
}

std::string Where(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

} // namespace

TileSheetCutter::TileSheetCutter(int width, int height, BlockSize block)
    : width_(width)
    , height_(height)
    , block_(block) {
    const std::size_t tiles =
        static_cast<std::size_t>(width / kTileSide) * static_cast<std::size_t>(height / kTileSide);
    const bool plain = block.TilesPerBlock() == 1;
    tiles_.Width = plain ? width : static_cast<int>(tiles) * kTileSide;
    tiles_.Height = plain ? height : kTileSide;
    tiles_.Indices.resize(tiles * kTileBytes);
}

Result<TileSheetCutter> TileSheetCutter::Start(int width, int height, BlockSize block,
                                               std::size_t maxTiles) {
    const int blockWidth = block.TilesAcross() * kTileSide;
    const int blockHeight = block.TilesDown() * kTileSide;
    if (width < 1 || height < 1 || width % blockWidth != 0 || height % blockHeight != 0)
        return Fail("The sheet is " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels: its sides must be multiples of the Blocks' " +
                    std::to_string(blockWidth) + " x " + std::to_string(blockHeight) + " pixels");
    const std::size_t tiles =
        static_cast<std::size_t>(width / kTileSide) * static_cast<std::size_t>(height / kTileSide);
    if (tiles > maxTiles)
        return Fail("The sheet holds " + std::to_string(tiles) + " Tiles, more than the " +
                    std::to_string(maxTiles) + " that fit");
    return TileSheetCutter(width, height, block);
}

void TileSheetCutter::Store(int x, ColorIndex value) {
    const int y = row_;
    std::size_t at;
    if (block_.TilesPerBlock() == 1) {
        at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
             static_cast<std::size_t>(x);
    } else {
        const int blockWidth = block_.TilesAcross() * kTileSide;
        const int blockHeight = block_.TilesDown() * kTileSide;
        const int blocksAcross = width_ / blockWidth;
        const int blockNumber = (y / blockHeight) * blocksAcross + x / blockWidth;
        const int tile = blockNumber * block_.TilesPerBlock() +
                         block_.TileOffsetOf(x % blockWidth, y % blockHeight);
        at = static_cast<std::size_t>(y % kTileSide) * static_cast<std::size_t>(tiles_.Width) +
             static_cast<std::size_t>(tile * kTileSide + x % kTileSide);
    }
    tiles_.Indices[at] = value;
}

Status TileSheetCutter::AddIndexRow(std::span<const std::uint8_t> indexes) {
    if (row_ >= height_ || indexes.size() != static_cast<std::size_t>(width_))
        return Fail("A sheet row has the wrong length");
    for (int x = 0; x < width_; ++x) {
        const std::uint8_t index = indexes[static_cast<std::size_t>(x)];
        if (index >= kColorsPerPalette)
            return Fail("The pixel at " + Where(x, row_) + " has palette index " +
                        std::to_string(index) + "; a tile sheet uses indexes 0 to 3");
        Store(x, index);
    }
    ++row_;
    return Ok();
}

Status TileSheetCutter::AddColorRow(std::span<const std::uint8_t> bgr) {
    if (row_ >= height_ || bgr.size() != static_cast<std::size_t>(width_) * 3)
        return Fail("A sheet row has the wrong length");
    byBrightness_ = true;
    for (int x = 0; x < width_; ++x) {
        const std::uint8_t* pixel = &bgr[static_cast<std::size_t>(x) * 3];
        const std::uint32_t rgb =
            std::uint32_t{pixel[2]} << 16 | std::uint32_t{pixel[1]} << 8 | pixel[0];
        auto found = std::find(colors_.begin(), colors_.end(), rgb);
        if (found == colors_.end()) {
            if (colors_.size() == static_cast<std::size_t>(kColorsPerPalette)) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "#%06X", static_cast<unsigned>(rgb));
                return Fail("The sheet has more than four colours: the pixel at " + Where(x, row_) +
                            " is " + hex);
            }
            found = colors_.insert(colors_.end(), rgb);
        }
        Store(x, static_cast<ColorIndex>(found - colors_.begin()));
    }
    ++row_;
    return Ok();
}

ConvertedPicture TileSheetCutter::Finish(std::size_t keepTiles) && {
    if (byBrightness_) {
        // Number the colours by brightness, the lightest 0.
        std::vector<std::uint32_t> sorted = colors_;
        std::sort(sorted.begin(), sorted.end(), [](std::uint32_t a, std::uint32_t b) {
            return Brightness(a) != Brightness(b) ? Brightness(a) > Brightness(b) : a > b;
        });
        std::array<ColorIndex, kColorsPerPalette> renumber{};
        for (std::size_t i = 0; i < colors_.size(); ++i)
            renumber[i] = static_cast<ColorIndex>(
                std::find(sorted.begin(), sorted.end(), colors_[i]) - sorted.begin());
        for (ColorIndex& value : tiles_.Indices)
            value = renumber[value];
    }
    const std::size_t tiles = tiles_.Indices.size() / kTileBytes;
    if (keepTiles >= tiles)
        return std::move(tiles_);
    ConvertedPicture strip;
    strip.Width = static_cast<int>(keepTiles) * kTileSide;
    strip.Height = kTileSide;
    strip.Indices.resize(keepTiles * kTileBytes);
    const int across = tiles_.Width / kTileSide;
    for (int t = 0; t < static_cast<int>(keepTiles); ++t)
        for (int y = 0; y < kTileSide; ++y)
            for (int x = 0; x < kTileSide; ++x)
                strip.Indices[static_cast<std::size_t>(y * strip.Width + t * kTileSide + x)] =
                    tiles_.At(t % across * kTileSide + x, t / across * kTileSide + y);
    return strip;
}

} // namespace tessivar
