// The TMX form of a map: a golden file for the writer, the general editor's other
// layer encodings for the reader, exact round trips and the refusals.

#include "core/files/MapFile.h"
#include "core/interchange/TmxExport.h"
#include "core/interchange/TmxImport.h"

#include "../files/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>

namespace tessivar {
namespace {

std::string dataFile(const std::string& name) {
    const auto bytes = testing::ReadData("tmx/" + name);
    return std::string(bytes.begin(), bytes.end());
}

Result<MapFileContents> parse(const std::string& text) {
    return ParseTmx({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// Three Tiles in a loop 0 -> 1 -> 2 -> 0 of 100, 200 and 300 ms; Tile 1 is solid and
// Tile 2 scores 500. The map uses palettes 0 and 2 and every flip.
std::unique_ptr<TileSet> smallTileSet() {
    auto set = std::make_unique<TileSet>();
    set->TileCount = 3;
    set->Categories[3].SetName("Solid");
    set->Categories[3].Type = CategoryType::Boolean;
    set->Categories[4].SetName("Score");
    set->Categories[4].Type = CategoryType::Word;
    set->CategoryCount = 5;
    for (int t = 0; t < 3; ++t) {
        set->TileInfo[t][0] = 1;
        set->TileInfo[t][1] = (t + 1) % 3;
        set->TileInfo[t][2] = 100 * (t + 1);
    }
    set->TileInfo[1][3] = 1;
    set->TileInfo[2][4] = 500;
    return set;
}

MapGrid smallGrid() {
    MapGrid grid(3, 2);
    grid.At(0, 0) = MapCell{0, 0, 0, 0};
    grid.At(0, 1) = MapCell{1, 2, 1, 0};
    grid.At(0, 2) = MapCell{2, 0, 0, 1};
    grid.At(1, 0) = MapCell{2, 2, 1, 1};
    grid.At(1, 1) = MapCell{0, 2, 0, 0};
    grid.At(1, 2) = MapCell{1, 0, 0, 0};
    return grid;
}

TEST(Tmx, WriterMatchesTheGoldenFile) {
    const auto text = MakeTmxDocument(*smallTileSet(), smallGrid(), "tiles.vxt", "out/small.tmx");
    ASSERT_TRUE(text.ok()) << text.error();
    EXPECT_EQ(*text, dataFile("small.tmx"));
}

TEST(Tmx, EveryLayerEncodingReadsTheSameCells) {
    std::string spaced = dataFile("small-base64.tmx");
    spaced.insert(spaced.find("AAAA"), "\r\n\t ");
    for (const std::string name :
         {"small.tmx", "small-base64.tmx", "small-zlib.tmx", "small-gzip.tmx", spaced.c_str()}) {
        const auto map = parse(name.ends_with(".tmx") ? dataFile(name) : name);
        ASSERT_TRUE(map.ok()) << name << ": " << map.error();
        EXPECT_EQ(map->Grid, smallGrid()) << name;
        EXPECT_EQ(map->TileSetPath, "tiles.vxt") << name;
    }
}

TEST(Tmx, RoundTripGivesTheSameMapFile) {
    auto set = std::make_unique<TileSet>(testing::SampleTileSet(700, 2));
    MapGrid grid(37, 5);
    for (std::size_t i = 0; i < grid.Cells.size(); ++i)
        grid.Cells[i] = MapCell{
            static_cast<std::uint16_t>(i * 97 % kMaxTiles), static_cast<std::uint8_t>(i % 8),
            static_cast<std::uint8_t>(i / 2 % 2), static_cast<std::uint8_t>(i / 3 % 2)};
    grid.At(0, 0).Tile = kMaxTiles - 1; // past the Tiles in use, still a slot
    const std::string path = "levels/tiles \"one\" & <two>.vxt";
    const auto text = MakeTmxDocument(*set, grid, path, "level.tmx");
    ASSERT_TRUE(text.ok()) << text.error();
    const auto back = parse(*text);
    ASSERT_TRUE(back.ok()) << back.error();
    EXPECT_EQ(*SerializeMap(back->Grid, back->TileSetPath), *SerializeMap(grid, path));

    // A cell past the Tiles in use widens every sheet, so the next tileset starts later.
    set->TileCount = 16;
    MapGrid row(2, 1);
    row.At(0, 0) = MapCell{16, 0, 0, 0};
    row.At(0, 1) = MapCell{0, 1, 0, 0};
    const auto widened = MakeTmxDocument(*set, row, "", "level.tmx");
    ASSERT_TRUE(widened.ok()) << widened.error();
    const auto wide = parse(*widened);
    ASSERT_TRUE(wide.ok()) << wide.error();
    EXPECT_EQ(wide->Grid, row);
}

TEST(Tmx, CellsThatCannotComeBackAreRefused) {
    const struct {
        MapCell cell;
        const char* reason;
    } cases[] = {
        {{1, 8, 0, 0}, "row 1, column 2 has palette 8"},
        {{1, 0, 2, 0}, "flip value other than 0 or 1"},
        {{1, 0, 0, 255}, "flip value other than 0 or 1"},
        {{768, 0, 0, 0}, "shows Tile 768, past the last Tile slot"},
    };
    for (const auto& c : cases) {
        MapGrid grid = smallGrid();
        grid.At(1, 2) = c.cell;
        const auto text = MakeTmxDocument(*smallTileSet(), grid, "", "x.tmx");
        EXPECT_NE(text.error().find(c.reason), std::string::npos) << text.error();
    }
    EXPECT_FALSE(MakeTmxDocument(*smallTileSet(), smallGrid(), "bad\x01path", "x.tmx").ok());
    EXPECT_FALSE(MakeTmxDocument(*smallTileSet(), MapGrid(0, 2), "", "x.tmx").ok());
    EXPECT_FALSE(MakeTmxDocument(*smallTileSet(), smallGrid(), "\xff.vxt", "x.tmx").ok());
}

TEST(Tmx, ReaderRefusesWhatTheMapCannotHold) {
    const auto in = [](std::string text, const std::string& from, const std::string& to) {
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    const auto with = [&](const std::string& from, const std::string& to) {
        return in(dataFile("small.tmx"), from, to);
    };
    std::string nested;
    for (int i = 0; i < 20; ++i)
        nested = "<a>" + nested + "</a>";
    const struct {
        std::string text;
        const char* reason;
    } cases[] = {
        {with("orthogonal", "isometric"), "only orthogonal"},
        {with("tilewidth=\"8\"", "tilewidth=\"16\""), "8 x 8"},
        {with("name=\"palette 2\" tilewidth=\"8\"", "name=\"palette 2\" tilewidth=\"4\""), "8 x 8"},
        {with("infinite=\"0\"", "infinite=\"1\""), "endless"},
        {with("width=\"3\" height=\"2\" tilewidth", "width=\"0\" height=\"2\" tilewidth"),
         "from 1 to 2048"},
        {with("width=\"3\" height=\"2\" tilewidth", "width=\"3000\" height=\"2\" tilewidth"),
         "from 1 to 2048"},
        {with("name=\"palette 2\"", "name=\"walls\""), "\"walls\" is not one"},
        {with("firstgid=\"17\"", "firstgid=\"10\""), "shares tile numbers with \"palette 0\""},
        {with("<tileset firstgid=\"1\"", "<tileset source=\"x.tsx\" firstgid=\"1\""),
         "external tileset x.tsx"},
        {with("<layer ", "<objectgroup id=\"3\"/><layer "), "another kind (objectgroup)"},
        {with("<layer ", "<imagelayer id=\"3\"/><layer "), "another kind (imagelayer)"},
        {with("<layer ", "<group id=\"3\"/><layer "), "another kind (group)"},
        {with("</layer>", "</layer><layer id=\"2\" width=\"3\" height=\"2\"/>"),
         "several tile layers"},
        {with("<layer id=\"1\" name=\"map\" width=\"3\"",
              "<layer id=\"1\" name=\"map\" width=\"4\""),
         "not the size"},
        {with("\n1,", "\n0,"), "row 0, column 0 is empty"},
        {with("\n1,", "\n536870913,"), "row 0, column 0 is rotated"},
        {with("\n1,", "\n3000,"), "belongs to no tileset"},
        {in(with("\n1,", "\n785,"),
            "tilecount=\"16\" columns=\"16\">\n  <image source=\"small-palette2",
            "tilecount=\"800\" columns=\"16\">\n  <image source=\"small-palette2"),
         "shows Tile 768, past the last Tile slot"},
        {with("\n1,", "\n1,1,"), "more tile numbers"},
        {with("\n1,", "\n"), "5 tile numbers for 6 cells"},
        {with("\n1,", "\nx,"), "\"x\" where a tile number"},
        {with("encoding=\"csv\"", "encoding=\"base64\" compression=\"zstd\""), "zstd compressed"},
        {with("encoding=\"csv\"", ""), "as XML elements"},
        {with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<!DOCTYPE map [<!ENTITY a \"b\">]>"),
         "document type"},
        {with("</map>", nested + "</map>"), "nest deeper than 16"},
        {with("<map ", "<world "), "not a valid XML"},
        {"<world/>", "not a TMX map"},
        {in(dataFile("small-base64.tmx"), "AAAA", "AA!A"), "not valid base64"},
        {in(dataFile("small-base64.tmx"), "ACAAAA\n", "ACAAA==\n"), "not valid base64"},
        {in(dataFile("small-zlib.tmx"), "ExABW8Ab0=", ""), "zlib stream damaged or cut short"},
        {in(in(dataFile("small-gzip.tmx"), "height=\"2\" tilewidth", "height=\"1\" tilewidth"),
            "width=\"3\" height=\"2\">", "width=\"3\" height=\"1\">"),
         "unpacks to more than the map's cells"},
    };
    for (const auto& c : cases) {
        const auto map = parse(c.text);
        EXPECT_NE(map.error().find(c.reason), std::string::npos)
            << "expected \"" << c.reason << "\", got \"" << map.error() << "\"";
    }
}

} // namespace
} // namespace tessivar
