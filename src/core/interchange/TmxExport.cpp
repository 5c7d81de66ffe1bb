#include "core/interchange/TmxExport.h"

#include "core/files/AtomicFile.h"
#include "core/interchange/TileSheet.h"
#include "core/interchange/TmxMap.h"
#include "core/tileinfo/TileInfoTypes.h"
#include "core/util/TextEncoding.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>

namespace tessivar {

namespace {

std::string CellName(int row, int column) {
    return "the cell at row " + std::to_string(row) + ", column " + std::to_string(column);
}

std::array<bool, kTmxPalettes> PalettesUsed(const MapGrid& grid) {
    std::array<bool, kTmxPalettes> used{};
    for (const MapCell& cell : grid.Cells)
        used[cell.Palette & 7] = true;
    return used;
}

// Text leaving for XML: valid UTF-8 without control characters other than tab.
bool FitsXml(const std::string& text) {
    return IsValidUtf8(text) && std::none_of(text.begin(), text.end(), [](char c) {
               return static_cast<unsigned char>(c) < 0x20 && c != '\t';
           });
}

// The frames of Tile t's animation chain: t, then along "AnimNext" while the Tiles stay
// in use and the chain has not come back to one of its frames.
std::vector<int> AnimationFrames(const TileSet& tileSet, int t, int inUse) {
    std::vector<int> frames{t};
    for (int next = tileSet.TileInfo[t][kAnimNextCategory];
         next >= 0 && next < inUse && std::find(frames.begin(), frames.end(), next) == frames.end();
         next = tileSet.TileInfo[next][kAnimNextCategory])
        frames.push_back(next);
    return frames;
}

void AddTileInfo(pugi::xml_node tileset, const TileSet& tileSet, int tiles) {
    const int inUse = std::min(std::clamp(tileSet.TileCount, 0, kMaxTiles), tiles);
    const int categories = std::clamp(tileSet.CategoryCount, 0, kMaxCategories);
    for (int t = 0; t < inUse; ++t) {
        const auto& values = tileSet.TileInfo[t];
        const bool animated = categories > kAnimatedCategory && values[kAnimatedCategory] != 0;
        const bool anyValue = std::any_of(values.begin(), values.begin() + categories,
                                          [](std::int32_t v) { return v != 0; });
        if (!anyValue)
            continue;
        pugi::xml_node tile = tileset.append_child("tile");
        tile.append_attribute("id") = t;
        pugi::xml_node properties = tile.append_child("properties");
        for (int c = 0; c < categories; ++c) {
            if (values[c] == 0)
                continue; // an absent property reads as false or 0
            pugi::xml_node property = properties.append_child("property");
            property.append_attribute("name") =
                TextAsUtf8(tileSet.Categories[c].NameText()).c_str();
            const bool boolean = tileSet.Categories[c].Type == CategoryType::Boolean;
            property.append_attribute("type") = boolean ? "bool" : "int";
            if (boolean)
                property.append_attribute("value") = "true";
            else
                property.append_attribute("value") = values[c];
        }
        if (!animated || categories <= kAnimDelayCategory)
            continue;
        const std::vector<int> frames = AnimationFrames(tileSet, t, inUse);
        if (frames.size() < 2)
            continue;
        pugi::xml_node animation = tile.append_child("animation");
        for (const int frame : frames) {
            pugi::xml_node node = animation.append_child("frame");
            node.append_attribute("tileid") = frame;
            node.append_attribute("duration") =
                std::max(0, tileSet.TileInfo[frame][kAnimDelayCategory]);
        }
    }
}

// The cells as CSV rows; `first` holds the first tile number of each palette's tileset.
std::string CsvData(const MapGrid& grid, const std::array<std::uint32_t, kTmxPalettes>& first) {
    std::string text = "\n";
    text.reserve(grid.Cells.size() * 6 + 2);
    for (int row = 0; row < grid.Height; ++row) {
        for (int column = 0; column < grid.Width; ++column) {
            const MapCell& cell = grid.At(row, column);
            std::uint32_t number = first[cell.Palette] + cell.Tile;
            if (cell.HFlip)
                number |= kTmxHFlipBit;
            if (cell.VFlip)
                number |= kTmxVFlipBit;
            text += std::to_string(number);
            if (row + 1 < grid.Height || column + 1 < grid.Width)
                text += ',';
        }
        text += '\n';
    }
    return text;
}

struct TextWriter : pugi::xml_writer {
    std::string Text;
    void write(const void* data, std::size_t size) override {
        Text.append(static_cast<const char*>(data), size);
    }
};

// The sheet of one palette: the Tiles left to right, 16 a row, in that palette of palette
// set 0 as the map shows them, reaching as far as the cells do.
Status WriteSheet(const TileSet& tileSet, int tiles, int palette, AtomicFile& file) {
    auto shown = std::make_unique<TileSet>(tileSet);
    shown->TileCount = tiles;
    TileSheetLook look;
    look.Block = BlockSize{kTileSide, kTileSide};
    look.Columns = kTmxSheetColumns;
    look.Palette = palette;
    look.PaletteSet = 0;
    return WriteTileSheet(*shown, look, file);
}

} // namespace

Status CheckTmxCells(const MapGrid& grid) {
    for (int row = 0; row < grid.Height; ++row)
        for (int column = 0; column < grid.Width; ++column) {
            const MapCell& cell = grid.At(row, column);
            if (cell.Palette >= kTmxPalettes)
                return Fail(CellName(row, column) + " has palette " + std::to_string(cell.Palette) +
                            "; only palettes 0 to 7 can be shown");
            if (cell.HFlip > 1 || cell.VFlip > 1)
                return Fail(CellName(row, column) + " has a flip value other than 0 or 1");
            if (cell.Tile >= kMaxTiles)
                return Fail(CellName(row, column) + " shows Tile " + std::to_string(cell.Tile) +
                            ", past the last Tile slot (767)");
        }
    return Ok();
}

int TmxSheetTileCount(const TileSet& tileSet, const MapGrid& grid) {
    int tiles = std::clamp(tileSet.TileCount, 1, kMaxTiles);
    for (const MapCell& cell : grid.Cells)
        tiles = std::max(tiles, std::min<int>(cell.Tile, kMaxTiles - 1) + 1);
    return tiles;
}

Result<std::string> MakeTmxDocument(const TileSet& tileSet, const MapGrid& grid,
                                    const std::string& tileSetPath, const std::string& tmxPath) {
    if (grid.Width < 1 || grid.Height < 1)
        return Fail("The map is empty");
    if (Status cells = CheckTmxCells(grid); !cells)
        return Fail(cells.error());
    if (!FitsXml(tileSetPath))
        return Fail("the tile set path \"" + TextAsUtf8(tileSetPath) +
                    "\" is not plain UTF-8 text and cannot be kept in a TMX file");
    const int tiles = TmxSheetTileCount(tileSet, grid);
    const int sheetRows = (tiles + kTmxSheetColumns - 1) / kTmxSheetColumns;

    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node map = doc.append_child("map");
    map.append_attribute("version") = "1.8";
    map.append_attribute("orientation") = "orthogonal";
    map.append_attribute("renderorder") = "right-down";
    map.append_attribute("width") = grid.Width;
    map.append_attribute("height") = grid.Height;
    map.append_attribute("tilewidth") = kTileSide;
    map.append_attribute("tileheight") = kTileSide;
    map.append_attribute("infinite") = 0;
    map.append_attribute("nextlayerid") = 2;
    map.append_attribute("nextobjectid") = 1;
    pugi::xml_node property = map.append_child("properties").append_child("property");
    property.append_attribute("name") = kTmxTileSetProperty;
    property.append_attribute("value") = tileSetPath.c_str();

    const auto used = PalettesUsed(grid);
    std::array<std::uint32_t, kTmxPalettes> first{};
    std::uint32_t next = 1;
    for (int palette = 0; palette < kTmxPalettes; ++palette) {
        if (!used[palette])
            continue;
        first[palette] = next;
        next += sheetRows * kTmxSheetColumns; // the tiles the sheet's picture holds
        pugi::xml_node tileset = map.append_child("tileset");
        tileset.append_attribute("firstgid") = first[palette];
        tileset.append_attribute("name") = TmxTilesetName(palette).c_str();
        tileset.append_attribute("tilewidth") = kTileSide;
        tileset.append_attribute("tileheight") = kTileSide;
        tileset.append_attribute("tilecount") = sheetRows * kTmxSheetColumns;
        tileset.append_attribute("columns") = kTmxSheetColumns;
        pugi::xml_node image = tileset.append_child("image");
        const std::string sheet =
            std::filesystem::path(TmxSheetPath(tmxPath, palette)).filename().string();
        image.append_attribute("source") = sheet.c_str();
        image.append_attribute("width") = kTmxSheetColumns * kTileSide;
        image.append_attribute("height") = sheetRows * kTileSide;
        AddTileInfo(tileset, tileSet, tiles);
    }

    pugi::xml_node layer = map.append_child("layer");
    layer.append_attribute("id") = 1;
    layer.append_attribute("name") = "map";
    layer.append_attribute("width") = grid.Width;
    layer.append_attribute("height") = grid.Height;
    pugi::xml_node data = layer.append_child("data");
    data.append_attribute("encoding") = "csv";
    data.append_child(pugi::node_pcdata).set_value(CsvData(grid, first).c_str());

    TextWriter writer;
    doc.save(writer, " ", pugi::format_default, pugi::encoding_utf8);
    return std::move(writer.Text);
}

Status ExportTmx(const TileSet& tileSet, const MapGrid& grid, const std::string& tileSetPath,
                 const std::string& tmxPath, const TmxOutputOpener& open) {
    auto document = MakeTmxDocument(tileSet, grid, tileSetPath, tmxPath);
    if (!document)
        return Fail(document.error());
    const int tiles = TmxSheetTileCount(tileSet, grid);
    const auto used = PalettesUsed(grid);
    for (int palette = 0; palette < kTmxPalettes; ++palette) {
        if (!used[palette])
            continue;
        const std::string sheet = TmxSheetPath(tmxPath, palette);
        auto file = open(sheet);
        if (!file)
            return Fail(file.error());
        if (Status s = WriteSheet(tileSet, tiles, palette, **file); !s)
            return Fail("cannot write " + sheet + ": " + s.error());
    }
    auto file = open(tmxPath);
    if (!file)
        return Fail(file.error());
    (*file)->Write(*document);
    return Ok();
}

} // namespace tessivar
