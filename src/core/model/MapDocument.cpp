#include "core/model/MapDocument.h"

#include "core/util/HugePages.h"

#include <algorithm>

namespace tessivar {

MapGrid::MapGrid(int width, int height, MapCell fill)
    : Width(width)
    , Height(height) {
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    cells.reserve(count);
    AdviseHugePages(cells.data(), count * sizeof(MapCell));
    cells.assign(count, fill);
}

MapGrid MapGrid::resized(int width, int height) const {
    MapGrid result(width, height);
    const int rows = std::min(height, Height);
    const int columns = std::min(width, Width);
    for (int r = 0; r < rows; ++r)
        std::copy_n(&at(r, 0), columns, &result.at(r, 0));
    return result;
}

MapDocument::MapDocument() {
    resetToNewGrid(0);
}

void MapDocument::ReplaceMapGrid(int width, int height) {
    grid = MapGrid(width, height);
}

void MapDocument::resetToNewGrid(int paletteOfTileZero) {
    MapCell cell;
    cell.Palette = static_cast<std::uint8_t>(paletteOfTileZero);
    grid = MapGrid(kDefaultMapSide, kDefaultMapSide, cell);
}

std::string MapDocument::sizeLabel() const {
    return std::to_string(Height()) + "x" + std::to_string(Width());
}

} // namespace tessivar
