#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessivar {

struct MapCell {
    std::uint16_t Tile = 0; // first Tile of the Block shown in the cell
    std::uint8_t Palette = 0;
    std::uint8_t HFlip = 0;
    std::uint8_t VFlip = 0;

    friend bool operator==(const MapCell&, const MapCell&) = default;
};

constexpr int kMaxMapSide = 2048;
constexpr int kDefaultMapSide = 32;

// A rectangular grid of cells, row-major, row 0 at the top.
struct MapGrid {
    int Width = 0;
    int Height = 0;
    std::vector<MapCell> Cells;

    MapGrid() = default;
    MapGrid(int width, int height, MapCell fill = {});

    MapCell& At(int row, int column) {
        return Cells[static_cast<std::size_t>(row) * Width + column];
    }
    const MapCell& At(int row, int column) const {
        return Cells[static_cast<std::size_t>(row) * Width + column];
    }
    // A grid of the new size that keeps the top-left part; added cells are empty.
    MapGrid Resized(int width, int height) const;

    friend bool operator==(const MapGrid&, const MapGrid&) = default;
};

// The one map being edited. Its cells name Tiles of the tile set in memory.
class MapDocument {
public:
    MapDocument();

    int Width() const { return Grid.Width; }
    int Height() const { return Grid.Height; }
    MapCell& Cell(int row, int column) { return Grid.At(row, column); }
    const MapCell& Cell(int row, int column) const { return Grid.At(row, column); }

    // An empty grid of the given size, every field 0.
    void ReplaceMapGrid(int width, int height);
    // New's grid: 32 x 32 cells of Tile 0 with the given palette.
    void ResetToNewGrid(int paletteOfTileZero);
    void MarkMapModified() { MapModified = true; }
    void ForgetMapFileName() { MapFileName.clear(); }
    // "Rows x columns" as the size panel shows it.
    std::string SizeLabel() const;

    MapGrid Grid;
    // The file Save writes and the window title names; empty for an untitled map.
    std::string MapFileName;
    bool MapModified = false;
};

} // namespace tessivar
