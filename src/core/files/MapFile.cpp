#include "core/files/MapFile.h"

#include "core/files/ByteReader.h"
#include "core/files/ByteWriter.h"
#include "core/files/TileSetFile.h"
#include "core/model/TileSet.h"

namespace tessivar {

namespace {

Status CheckSide(int value, const char* what) {
    if (value >= 1 && value <= kMaxMapSide)
        return Ok();
    return Fail(std::string("the map ") + what + " " + std::to_string(value) + " is outside 1.." +
                std::to_string(kMaxMapSide));
}

} // namespace

bool HasMapMagic(std::span<const std::uint8_t> data) {
    const std::string magic = FileMagic(data);
    return magic == "VX02" || magic == "VX01";
}

Result<MapFileContents> ParseMapFile(std::span<const std::uint8_t> data) {
    if (!HasMapMagic(data))
        return Fail("not a map file (unknown magic)");
    ByteReader in(data);
    MapFileContents file;
    const auto magic = in.Bytes(4);
    file.Version.assign(magic.begin(), magic.end());
    const bool withFlips = file.Version == "VX02";
    file.TileSetPath = in.FixedString(kPathFieldBytes);
    const int width = in.U16();
    const int height = in.U16();
    if (in.Failed())
        return Fail("the file ends early");
    for (const Status& side : {CheckSide(width, "width"), CheckSide(height, "height")})
        if (!side)
            return Fail(side.error());
    const std::size_t cellBytes = withFlips ? 5 : 3;
    if (in.Remaining() < cellBytes * static_cast<std::size_t>(width) * height)
        return Fail("the file ends early");

    file.Grid = MapGrid(width, height);
    // The size was checked above: the cells are read straight from the bytes.
    const std::uint8_t* at = in.Bytes(cellBytes * file.Grid.Cells.size()).data();
    for (auto& cell : file.Grid.Cells) {
        cell.Tile = static_cast<std::uint16_t>(at[0] | at[1] << 8);
        cell.Palette = at[2]; // 0..255 as stored; pictures use the low 3 bits
        if (withFlips) {
            cell.HFlip = at[3];
            cell.VFlip = at[4];
        }
        at += cellBytes;
    }
    return file;
}

Result<std::vector<std::uint8_t>> SerializeMap(const MapGrid& grid,
                                               const std::string& tileSetPath) {
    if (Status fits = CheckPathFitsField(tileSetPath, "tile set path"); !fits)
        return Fail(fits.error());
    ByteWriter out;
    out.Reserve(4 + kPathFieldBytes + 4 + grid.Cells.size() * 5);
    out.Raw("VX02");
    out.FixedString(tileSetPath, kPathFieldBytes);
    out.U16(grid.Width);
    out.U16(grid.Height);
    for (const auto& cell : grid.Cells) {
        out.U16(cell.Tile);
        out.U8(cell.Palette);
        out.U8(cell.HFlip);
        out.U8(cell.VFlip);
    }
    return out.Take();
}

} // namespace tessivar
