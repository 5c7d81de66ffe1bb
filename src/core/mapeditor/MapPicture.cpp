#include "core/mapeditor/MapPicture.h"

#include "core/files/AtomicFile.h"
#include "core/mapeditor/MapCanvasPainter.h"
#include "core/picture/BitmapWriter.h"
#include "core/picture/PngWriter.h"
#include "core/render/BlockPainter.h"

#include <array>

#include <algorithm>
#include <cctype>
#include <vector>

namespace tessivar {

namespace {

constexpr int kCellPixels = kTileSide;
constexpr int kCellBytes = kCellPixels * 3; // one pixel row of a cell

// The pixel rows of the picture in file byte order (blue, green, red for a bitmap, red,
// green, blue for PNG). A cell's square depends only on its Tile, palette and flips, so
// each distinct square is painted once, on first use, and then copied: at most 769
// Tiles (768 stands for every number past the slots, all blank) x 8 palettes x 4 flips.
class PictureRows {
public:
    PictureRows(const TileSet& tileSet, const MapGrid& grid, bool blueFirst)
        : tileSet_(tileSet)
        , grid_(grid)
        , blueFirst_(blueFirst)
        , squares_(kSquares * kSquareBytes)
        , painted_(kSquares, false)
        , scratch_(kCellPixels, kCellPixels) {}

    // Picture row y (0..7) of cell row `cellRow`, 3 x Width x 8 bytes.
    void row(int cellRow, int y, std::uint8_t* out) {
        const MapCell* cells = &grid_.at(cellRow, 0);
        for (int column = 0; column < grid_.Width; ++column) {
            const std::uint8_t* square = squareOf(cells[column]);
            std::copy_n(square + y * kCellBytes, kCellBytes, out);
            out += kCellBytes;
        }
    }

private:
    static constexpr int kSlots = kMaxTiles + 1;
    static constexpr int kSquares = kSlots * kPalettesPerSet * 4;
    static constexpr int kSquareBytes = kCellPixels * kCellBytes;

    const std::uint8_t* squareOf(const MapCell& cell) {
        const int slot = std::min<int>(cell.Tile, kMaxTiles);
        const int index =
            ((slot * kPalettesPerSet + (cell.Palette & 7)) * 2 + (cell.HFlip ? 1 : 0)) * 2 +
            (cell.VFlip ? 1 : 0);
        std::uint8_t* square = &squares_[static_cast<std::size_t>(index) * kSquareBytes];
        if (!painted_[static_cast<std::size_t>(index)]) {
            paint(cell, square);
            painted_[static_cast<std::size_t>(index)] = true;
        }
        return square;
    }

    void paint(const MapCell& cell, std::uint8_t* square) {
        BlockLook look;
        look.block = BlockSize{kCellPixels, kCellPixels}; // the first Tile of each Block
        look.paletteSet = 0;
        LookOfCell(look, cell);
        PaintBlock(tileSet_, look, scratch_, 0, 0);
        for (const std::uint32_t pixel : scratch_.pixels) {
            const auto red = static_cast<std::uint8_t>(pixel >> 16);
            const auto green = static_cast<std::uint8_t>(pixel >> 8);
            const auto blue = static_cast<std::uint8_t>(pixel);
            *square++ = blueFirst_ ? blue : red;
            *square++ = green;
            *square++ = blueFirst_ ? red : blue;
        }
    }

    const TileSet& tileSet_;
    const MapGrid& grid_;
    bool blueFirst_;
    std::vector<std::uint8_t> squares_;
    std::vector<bool> painted_;
    RgbImage scratch_;
};

Status writeBitmap(const TileSet& tileSet, const MapGrid& grid, AtomicFile& file) {
    const int width = grid.Width * kCellPixels;
    const int height = grid.Height * kCellPixels;
    const auto header = MakeBitmap24Header(width, height);
    if (!header)
        return Fail("The picture is too large for a bitmap file (" + header.error() + ")");
    file.Write(*header);
    const std::size_t stride = Bitmap24Stride(width);
    std::vector<std::uint8_t> strip(stride * kCellPixels, 0);
    PictureRows rows(tileSet, grid, true);
    // Bitmap rows run from the bottom up: the last cell row comes first, its last
    // pixel row first of all.
    for (int cellRow = grid.Height - 1; cellRow >= 0 && file.status().ok(); --cellRow) {
        for (int y = 0; y < kCellPixels; ++y)
            rows.row(cellRow, y,
                     strip.data() + static_cast<std::size_t>(kCellPixels - 1 - y) * stride);
        file.Write(strip);
    }
    return file.status();
}

Status writePng(const TileSet& tileSet, const MapGrid& grid, AtomicFile& file) {
    const int width = grid.Width * kCellPixels;
    auto png = PngWriter::Start(file, width, grid.Height * kCellPixels);
    if (!png)
        return Fail(png.error());
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    PictureRows rows(tileSet, grid, false);
    for (int cellRow = 0; cellRow < grid.Height; ++cellRow)
        for (int y = 0; y < kCellPixels; ++y) {
            rows.row(cellRow, y, row.data());
            if (Status s = (*png)->writeRow(row); !s)
                return s;
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

Status WriteMapPicture(const TileSet& tileSet, const MapGrid& grid, const std::string& path,
                       PictureFormat format) {
    if (grid.Width < 1 || grid.Height < 1)
        return Fail("The map is empty");
    auto file = AtomicFile::Open(path);
    if (!file)
        return Fail(file.error());
    if (const Status written = WriteMapPicture(tileSet, grid, *file, format); !written) {
        file->Abandon();
        return written;
    }
    return file->Commit();
}

Status WriteMapPicture(const TileSet& tileSet, const MapGrid& grid, AtomicFile& file,
                       PictureFormat format) {
    if (grid.Width < 1 || grid.Height < 1)
        return Fail("The map is empty");
    return format == PictureFormat::Png ? writePng(tileSet, grid, file)
                                        : writeBitmap(tileSet, grid, file);
}

} // namespace tessivar
