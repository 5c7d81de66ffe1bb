#include "core/files/MapFile.h"

#include "core/files/ByteReader.h"
#include "core/files/ByteWriter.h"
#include "core/files/TileSetFile.h"
#include "core/model/TileSet.h"

namespace tessivar {

namespace {

MapParseResult refuse(std::string reason) {
    MapParseResult result;
    result.reason = std::move(reason);
    return result;
}

std::string checkSide(int value, const char* what) {
    if (value >= 1 && value <= kMaxMapSide)
        return {};
    return std::string("the map ") + what + " " + std::to_string(value) + " is outside 1.." +
           std::to_string(kMaxMapSide);
}

} // namespace

MapParseResult ParseMapFile(std::span<const std::uint8_t> data) {
    ByteReader in(data);
    MapFileContents file;
    const auto magic = in.bytes(4);
    file.version.assign(magic.begin(), magic.end());
    if (file.version != "VX02" && file.version != "VX01") {
        MapParseResult result = refuse("not a map file (unknown magic)");
        result.badMagic = true;
        return result;
    }
    const bool withFlips = file.version == "VX02";
    file.tileSetPath = in.fixedString(kPathFieldBytes);
    const int width = in.u16();
    const int height = in.u16();
    if (in.failed())
        return refuse("the file ends early");
    for (auto problem : {checkSide(width, "width"), checkSide(height, "height")})
        if (!problem.empty())
            return refuse(problem);
    const std::size_t cellBytes = withFlips ? 5 : 3;
    if (in.remaining() < cellBytes * static_cast<std::size_t>(width) * height)
        return refuse("the file ends early");

    file.grid = MapGrid(width, height);
    for (auto& cell : file.grid.cells) {
        cell.Tile = in.u16();
        cell.Palette = in.u8();
        if (cell.Palette >= kPalettesPerSet)
            return refuse("a cell's palette number is above 7");
        if (withFlips) {
            cell.HFlip = in.u8();
            cell.VFlip = in.u8();
        }
    }
    return MapParseResult{true, false, {}, std::move(file)};
}

MapSerializeResult SerializeMap(const MapGrid& grid, const std::string& tileSetPath) {
    MapSerializeResult result;
    result.error = CheckPathFitsField(tileSetPath, "tile set path");
    if (!result.error.empty())
        return result;
    ByteWriter out;
    out.reserve(4 + kPathFieldBytes + 4 + grid.cells.size() * 5);
    out.raw("VX02");
    out.fixedString(tileSetPath, kPathFieldBytes);
    out.u16(grid.Width);
    out.u16(grid.Height);
    for (const auto& cell : grid.cells) {
        out.u16(cell.Tile);
        out.u8(cell.Palette);
        out.u8(cell.HFlip);
        out.u8(cell.VFlip);
    }
    result.bytes = out.take();
    return result;
}

} // namespace tessivar
