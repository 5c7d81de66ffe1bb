#include "core/mapeditor/MapPicture.h"

#include "core/files/AtomicFile.h"
#include "core/mapeditor/MapCanvasPainter.h"
#include "core/picture/BitmapWriter.h"
#include "core/picture/PngWriter.h"
#include "core/render/BlockPainter.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace tessivar {

namespace {

constexpr int kCellPixels = kTileSide;

// Red, green and blue of a packed 0xFFRRGGBB pixel.
std::uint8_t redOf(std::uint32_t p) {
    return static_cast<std::uint8_t>(p >> 16);
}
std::uint8_t greenOf(std::uint32_t p) {
    return static_cast<std::uint8_t>(p >> 8);
}
std::uint8_t blueOf(std::uint32_t p) {
    return static_cast<std::uint8_t>(p);
}

Status writeBitmap(const TileSet& tileSet, const MapGrid& grid, AtomicFile& file) {
    const int width = grid.Width * kCellPixels;
    const int height = grid.Height * kCellPixels;
    std::array<std::uint8_t, kBitmap24HeaderBytes> header{};
    if (!MakeBitmap24Header(width, height, header))
        return Fail("The picture would be 4 GB or larger, too large for a bitmap file");
    file.Write(header);
    const std::size_t stride = Bitmap24Stride(width);
    std::vector<std::uint8_t> rows(stride * kCellPixels, 0);
    RgbImage strip(width, kCellPixels);
    // Bitmap rows run from the bottom up: the last cell row comes first.
    for (int cellRow = grid.Height - 1; cellRow >= 0 && file.status().ok(); --cellRow) {
        PaintMapPictureStrip(tileSet, grid, cellRow, strip);
        for (int y = 0; y < kCellPixels; ++y) {
            std::uint8_t* out =
                rows.data() + static_cast<std::size_t>(kCellPixels - 1 - y) * stride;
            const std::uint32_t* in = &strip.at(0, y);
            for (int x = 0; x < width; ++x) {
                *out++ = blueOf(in[x]);
                *out++ = greenOf(in[x]);
                *out++ = redOf(in[x]);
            }
        }
        file.Write(rows);
    }
    return file.status();
}

Status writePng(const TileSet& tileSet, const MapGrid& grid, AtomicFile& file) {
    const int width = grid.Width * kCellPixels;
    auto png = PngWriter::Start(file, width, grid.Height * kCellPixels);
    if (!png)
        return Fail(png.error());
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    RgbImage strip(width, kCellPixels);
    for (int cellRow = 0; cellRow < grid.Height; ++cellRow) {
        PaintMapPictureStrip(tileSet, grid, cellRow, strip);
        for (int y = 0; y < kCellPixels; ++y) {
            const std::uint32_t* in = &strip.at(0, y);
            std::uint8_t* out = row.data();
            for (int x = 0; x < width; ++x) {
                *out++ = redOf(in[x]);
                *out++ = greenOf(in[x]);
                *out++ = blueOf(in[x]);
            }
            if (Status s = (*png)->writeRow(row); !s)
                return s;
        }
    }
    return (*png)->finish();
}

} // namespace

PictureFormat PictureFormatFor(const std::string& path) {
    if (path.size() < 4)
        return PictureFormat::Bitmap;
    std::string ending = path.substr(path.size() - 4);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ending == ".png" ? PictureFormat::Png : PictureFormat::Bitmap;
}

void PaintMapPictureStrip(const TileSet& tileSet, const MapGrid& grid, int cellRow,
                          RgbImage& strip) {
    BlockLook look;
    look.block = BlockSize{kCellPixels, kCellPixels}; // the first Tile of each Block
    look.paletteSet = 0;
    for (int column = 0; column < grid.Width; ++column) {
        LookOfCell(look, grid.at(cellRow, column));
        PaintBlock(tileSet, look, strip, column * kCellPixels, 0);
    }
}

Status WriteMapPicture(const TileSet& tileSet, const MapGrid& grid, const std::string& path,
                       PictureFormat format) {
    if (grid.Width < 1 || grid.Height < 1)
        return Fail("The map is empty");
    if (format == PictureFormat::Bitmap &&
        Bitmap24FileBytes(grid.Width * kCellPixels, grid.Height * kCellPixels) > 0xFFFFFFFFu)
        return Fail("The picture would be 4 GB or larger, too large for a bitmap file");
    auto file = AtomicFile::Open(path);
    if (!file)
        return Fail(file.error());
    const Status written = format == PictureFormat::Png ? writePng(tileSet, grid, *file)
                                                        : writeBitmap(tileSet, grid, *file);
    if (!written) {
        file->Abandon();
        return written;
    }
    return file->Commit();
}

} // namespace tessivar
