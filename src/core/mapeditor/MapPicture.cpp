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

// The pixel rows of the picture in file byte order: 3 bytes a pixel (blue, green, red)
// for a bitmap, 1 byte (the colour's palette index) for PNG. A cell's square depends
// only on its Tile, palette and flips, so each distinct square is painted once, on first
// use, and then copied: at most 769 Tiles (768 stands for every number past the slots,
// all blank) x 8 palettes x 4 flips.
class PictureRows {
public:
    // `palette` (sorted) is the PNG picture's palette; empty for a bitmap.
    PictureRows(const TileSet& tileSet, const MapGrid& grid, std::vector<std::uint32_t> palette)
        : tileSet_(tileSet)
        , grid_(grid)
        , palette_(std::move(palette))
        , pixelBytes_(palette_.empty() ? 3 : 1)
        , squares_(static_cast<std::size_t>(kSquares) * kCellPixels * kCellPixels * pixelBytes_)
        , painted_(kSquares, false)
        , scratch_(kCellPixels, kCellPixels) {}

    // Every colour the picture of `grid` shows, sorted, painting each Tile and palette
    // pair in use once.
    static std::vector<std::uint32_t> ColorsInUse(const TileSet& tileSet, const MapGrid& grid) {
        std::vector<bool> seen(kSlots * kPalettesPerSet, false);
        std::vector<std::uint32_t> colors;
        RgbImage scratch(kCellPixels, kCellPixels);
        for (const MapCell& cell : grid.Cells) {
            const MapCell plain{cell.Tile, cell.Palette, 0, 0};
            const auto pair = static_cast<std::size_t>(SquareIndex(plain) / 4);
            if (seen[pair])
                continue;
            seen[pair] = true;
            PaintCell(tileSet, plain, scratch);
            for (const std::uint32_t pixel : scratch.Pixels)
                if (std::find(colors.begin(), colors.end(), pixel) == colors.end())
                    colors.push_back(pixel);
        }
        std::sort(colors.begin(), colors.end());
        return colors;
    }

    // Bytes of one picture row.
    std::size_t RowBytes() const {
        return static_cast<std::size_t>(grid_.Width) * kCellPixels * pixelBytes_;
    }

    // Picture row y (0..7) of cell row `cellRow`, rowBytes() bytes.
    void Row(int cellRow, int y, std::uint8_t* out) {
        const MapCell* cells = &grid_.At(cellRow, 0);
        const std::size_t squareRow = static_cast<std::size_t>(kCellPixels) * pixelBytes_;
        for (int column = 0; column < grid_.Width; ++column) {
            const std::uint8_t* square = SquareOf(cells[column]);
            std::copy_n(square + y * squareRow, squareRow, out);
            out += squareRow;
        }
    }

private:
    static constexpr int kSlots = kMaxTiles + 1;
    static constexpr int kSquares = kSlots * kPalettesPerSet * 4;

    static int SquareIndex(const MapCell& cell) {
        const int slot = std::min<int>(cell.Tile, kMaxTiles);
        return ((slot * kPalettesPerSet + (cell.Palette & 7)) * 2 + (cell.HFlip ? 1 : 0)) * 2 +
               (cell.VFlip ? 1 : 0);
    }

    static void PaintCell(const TileSet& tileSet, const MapCell& cell, RgbImage& out) {
        BlockLook look;
        look.Block = BlockSize{kCellPixels, kCellPixels}; // the first Tile of each Block
        look.PaletteSet = 0;
        LookOfCell(look, cell);
        PaintBlock(tileSet, look, out, 0, 0);
    }

    const std::uint8_t* SquareOf(const MapCell& cell) {
        const auto index = static_cast<std::size_t>(SquareIndex(cell));
        std::uint8_t* square =
            &squares_[index * kCellPixels * kCellPixels * static_cast<std::size_t>(pixelBytes_)];
        if (!painted_[index]) {
            Paint(cell, square);
            painted_[index] = true;
        }
        return square;
    }

    void Paint(const MapCell& cell, std::uint8_t* square) {
        PaintCell(tileSet_, cell, scratch_);
        for (const std::uint32_t pixel : scratch_.Pixels) {
            if (pixelBytes_ == 1) {
                *square++ = static_cast<std::uint8_t>(
                    std::lower_bound(palette_.begin(), palette_.end(), pixel) - palette_.begin());
                continue;
            }
            *square++ = static_cast<std::uint8_t>(pixel);       // blue
            *square++ = static_cast<std::uint8_t>(pixel >> 8);  // green
            *square++ = static_cast<std::uint8_t>(pixel >> 16); // red
        }
    }

    const TileSet& tileSet_;
    const MapGrid& grid_;
    std::vector<std::uint32_t> palette_;
    int pixelBytes_;
    std::vector<std::uint8_t> squares_;
    std::vector<bool> painted_;
    RgbImage scratch_;
};

Status WriteBitmap(const TileSet& tileSet, const MapGrid& grid, AtomicFile& file) {
    const int width = grid.Width * kCellPixels;
    const int height = grid.Height * kCellPixels;
    const auto header = MakeBitmap24Header(width, height);
    if (!header)
        return Fail("The picture is too large for a bitmap file (" + header.error() + ")");
    file.Write(*header);
    const std::size_t stride = Bitmap24Stride(width);
    std::vector<std::uint8_t> strip(stride * kCellPixels, 0);
    PictureRows rows(tileSet, grid, {});
    // Bitmap rows run from the bottom up: the last cell row comes first, its last
    // pixel row first of all.
    for (int cellRow = grid.Height - 1; cellRow >= 0 && file.Outcome().ok(); --cellRow) {
        for (int y = 0; y < kCellPixels; ++y)
            rows.Row(cellRow, y,
                     strip.data() + static_cast<std::size_t>(kCellPixels - 1 - y) * stride);
        file.Write(strip);
    }
    return file.Outcome();
}

// An indexed PNG picture whose palette holds the colours in use (at most 8 palettes x 4
// colours), at the smallest bit depth they allow.
Status WritePng(const TileSet& tileSet, const MapGrid& grid, AtomicFile& file) {
    std::vector<std::uint32_t> colors = PictureRows::ColorsInUse(tileSet, grid);
    std::vector<Rgb> palette;
    for (const std::uint32_t color : colors)
        palette.push_back(Rgb{static_cast<int>(color >> 16 & 0xFF),
                              static_cast<int>(color >> 8 & 0xFF), static_cast<int>(color & 0xFF)});
    auto png =
        PngWriter::StartIndexed(file, grid.Width * kCellPixels, grid.Height * kCellPixels, palette,
                                SmallestPngBitDepth(static_cast<int>(colors.size())));
    if (!png)
        return Fail(png.error());
    PictureRows rows(tileSet, grid, std::move(colors));
    std::vector<std::uint8_t> strip(rows.RowBytes() * kCellPixels);
    for (int cellRow = 0; cellRow < grid.Height; ++cellRow) {
        for (int y = 0; y < kCellPixels; ++y)
            rows.Row(cellRow, y, strip.data() + static_cast<std::size_t>(y) * rows.RowBytes());
        if (Status s = (*png)->WriteRows(strip); !s)
            return s;
    }
    return (*png)->Finish();
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
    return format == PictureFormat::Png ? WritePng(tileSet, grid, file)
                                        : WriteBitmap(tileSet, grid, file);
}

} // namespace tessivar
