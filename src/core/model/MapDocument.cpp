#include "core/model/MapDocument.h"

#include "core/util/HugePages.h"

#include <algorithm>

namespace tessivar {

MapGrid::MapGrid(int width, int height, MapCell fill)
    : Width(width)
    , Height(height) {
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    Cells.reserve(count);
    AdviseHugePages(Cells.data(), count * sizeof(MapCell));
    Cells.assign(count, fill);
}

MapGrid MapGrid::Resized(int width, int height) const {
    MapGrid result(width, height);
    const int rows = std::min(height, Height);
    const int columns = std::min(width, Width);
    for (int r = 0; r < rows; ++r)
        std::copy_n(&At(r, 0), columns, &result.At(r, 0));
    return result;
}

MapDocument::MapDocument() {
    ResetToNewGrid(0);
}

void MapDocument::ReplaceMapGrid(int width, int height) {
    Grid = MapGrid(width, height);
}

void MapDocument::ResetToNewGrid(int paletteOfTileZero) {
    MapCell Cell;
    Cell.Palette = static_cast<std::uint8_t>(paletteOfTileZero);
    Grid = MapGrid(kDefaultMapSide, kDefaultMapSide, Cell);
}

std::string MapDocument::SizeLabel() const {
    return std::to_string(Height()) + "x" + std::to_string(Width());
}

} // namespace tessivar
