// Writes the bundled example pair examples/demo.vxt and examples/demo.vxm through the
// program's own writers. Build and run from the source folder:
//
//     cmake --build build/default --target make-examples
//     build/default/make-examples examples
//
// The core tests check that the committed files load with the counts described in
// examples/README.md.

#include "core/files/AtomicFile.h"
#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

using namespace tessivar;

namespace {

// Each picture is 8 rows of 8 colour digits ('.' is colour 0) and the palette it uses.
struct Picture {
    const char* name;
    int palette;
    const char* rows[8];
};

enum Palettes { Grey, Green, Blue, Brown, Gold };

const Picture kPictures[] = {
    {"sky",
     Blue,
     {"........", "........", "........", "........", "........", "........", "........",
      "........"}},
    {"cloud",
     Blue,
     {"........", "...11...", "..1111..", ".111111.", "11111111", ".222222.", "........",
      "........"}},
    {"brick",
     Brown,
     {"33333333", "11131111", "11131111", "33333333", "31111111", "31111111", "33333333",
      "11131111"}},
    {"grass",
     Green,
     {"1.1..1.1", "21212121", "22222222", "32232232", "33333333", "33333333", "33323333",
      "33333333"}},
    {"dirt",
     Brown,
     {"22222222", "22322222", "22222232", "22222222", "23222222", "22222322", "22222222",
      "22232222"}},
    {"water",
     Blue,
     {"..11..11", ".1..11..", "11111111", "11111111", "12111121", "11111111", "11211111",
      "11111111"}},
    {"wave",
     Blue,
     {"11..11..", "..11..1.", "11111111", "11111111", "11211112", "11111111", "11111211",
      "11111111"}},
    {"smiley",
     Gold,
     {"..3333..", ".311113.", "31311313", "31111113", "31311313", "31133113", ".311113.",
      "..3333.."}},
    {"heart",
     Brown,
     {"........", ".33..33.", "31133113", "31111113", ".311113.", "..3113..", "...33...",
      "........"}},
    {"star",
     Gold,
     {"...33...", "...33...", "33311333", ".311113.", "..3113..", ".31..13.", ".3....3.",
      "........"}},
    {"coin",
     Gold,
     {"..3333..", ".322223.", "32211223", "32212223", "32212223", "32211223", ".322223.",
      "..3333.."}},
    {"tree",
     Green,
     {"...33...", "..3113..", ".311113.", "31121113", "31111213", ".332133.", "...22...",
      "...22..."}},
    {"arrow",
     Grey,
     {"........", "....3...", "....33..", "33333.3.", "33333..3", "....33..", "....3...",
      "........"}},
    {"stone",
     Grey,
     {".222222.", "21112222", "21222122", "22221112", "12222222", "21122212", "22222112",
      ".222222."}},
    {"T",
     Grey,
     {"........", ".333333.", "...33...", "...33...", "...33...", "...33...", "...33...",
      "........"}},
    {"E",
     Grey,
     {"........", ".33333..", ".33.....", ".3333...", ".33.....", ".33.....", ".33333..",
      "........"}},
    {"S",
     Grey,
     {"........", "..3333..", ".33.....", "..333...", "....33..", "....33..", ".3333...",
      "........"}},
    {"I",
     Grey,
     {"........", "..3333..", "...33...", "...33...", "...33...", "...33...", "..3333..",
      "........"}},
    {"V",
     Grey,
     {"........", ".33..33.", ".33..33.", ".33..33.", "..3333..", "..3333..", "...33...",
      "........"}},
    {"A",
     Grey,
     {"........", "..3333..", ".33..33.", ".33..33.", ".333333.", ".33..33.", ".33..33.",
      "........"}},
    {"R",
     Grey,
     {"........", ".33333..", ".33..33.", ".33333..", ".3333...", ".33.33..", ".33..33.",
      "........"}},
    {"door",
     Brown,
     {"..3333..", ".322223.", "32222223", "32222223", "32222213", "32222223", "32222223",
      "32222223"}},
    {"key",
     Gold,
     {"........", ".333....", "31113333", "31113.3.", ".333..3.", "........", "........",
      "........"}},
    {"flower",
     Green,
     {"...3....", "..313...", "...3.3..", "...2313.", "..2..3..", ".22.2...", "...22...",
      "...2...."}},
};

int tileNumber(std::string_view name) {
    for (int t = 0; t < static_cast<int>(std::size(kPictures)); ++t)
        if (name == kPictures[t].name)
            return t;
    std::fprintf(stderr, "no picture named %.*s\n", static_cast<int>(name.size()), name.data());
    std::exit(1);
}

void setPalettes(TileSet& set) {
    // Components are stored blue, green, red; each 0..31.
    auto& palettes = set.paletteTable[0];
    palettes[Grey] = greyRampPalette();
    palettes[Green] = {PaletteColor{16, 31, 24}, PaletteColor{8, 26, 10}, PaletteColor{4, 16, 6},
                       PaletteColor{2, 8, 10}};
    palettes[Blue] = {PaletteColor{31, 26, 20}, PaletteColor{30, 18, 6}, PaletteColor{24, 10, 2},
                      PaletteColor{12, 4, 0}};
    palettes[Brown] = {PaletteColor{24, 28, 31}, PaletteColor{6, 12, 26}, PaletteColor{4, 8, 18},
                       PaletteColor{2, 4, 8}};
    palettes[Gold] = {PaletteColor{20, 30, 31}, PaletteColor{4, 28, 31}, PaletteColor{0, 20, 28},
                      PaletteColor{0, 6, 10}};
}

TileSet demoTileSet() {
    TileSet set;
    setPalettes(set);
    set.tileCount = static_cast<int>(std::size(kPictures));
    for (int t = 0; t < set.tileCount; ++t) {
        const Picture& picture = kPictures[t];
        for (int y = 0; y < kTileSide; ++y)
            for (int x = 0; x < kTileSide; ++x) {
                const char c = picture.rows[y][x];
                if (c != '.' && (c < '1' || c > '3')) {
                    std::fprintf(stderr, "%s row %d: bad colour digit\n", picture.name, y);
                    std::exit(1);
                }
                set.tiles[t][y * kTileSide + x] = static_cast<ColorIndex>(c == '.' ? 0 : c - '0');
            }
        set.tilePalette[t] = picture.palette;
    }
    set.categories[3].setName("Solid");
    set.categories[3].type = static_cast<int>(CategoryType::Boolean);
    set.categories[4].setName("Points");
    set.categories[4].type = static_cast<int>(CategoryType::Byte);
    set.categoryCount = 5;
    // Water and wave take turns every 12 ticks.
    const int water = tileNumber("water"), wave = tileNumber("wave");
    set.tileInfo[water][0] = set.tileInfo[wave][0] = 1;
    set.tileInfo[water][1] = wave;
    set.tileInfo[wave][1] = water;
    set.tileInfo[water][2] = set.tileInfo[wave][2] = 12;
    for (const char* solid : {"brick", "grass", "dirt", "stone", "door"})
        set.tileInfo[tileNumber(solid)][3] = 1;
    set.tileInfo[tileNumber("coin")][4] = 10;
    set.tileInfo[tileNumber("star")][4] = 50;
    set.tileInfo[tileNumber("key")][4] = 25;
    return set;
}

constexpr int kMapWidth = 24, kMapHeight = 16;

MapGrid demoMap() {
    MapGrid grid(kMapWidth, kMapHeight);
    auto put = [&](int row, int column, std::string_view name, bool hflip = false,
                   bool vflip = false) {
        MapCell& cell = grid.at(row, column);
        cell.Tile = static_cast<std::uint16_t>(tileNumber(name));
        cell.Palette = static_cast<std::uint8_t>(kPictures[cell.Tile].palette);
        cell.HFlip = hflip;
        cell.VFlip = vflip;
    };
    for (int r = 0; r < kMapHeight; ++r)
        for (int c = 0; c < kMapWidth; ++c)
            put(r, c, r < 12 ? "sky" : r == 12 ? "grass" : "dirt");
    const char* title[] = {"T", "E", "S", "S", "I", "V", "A", "R"};
    for (int i = 0; i < 8; ++i)
        put(2, 8 + i, title[i]);
    for (int c : {2, 3, 4, 18, 19})
        put(4 + c % 2, c, "cloud");
    // A brick platform with coins, a pond of water and waves, a door and trees.
    for (int c = 4; c < 10; ++c)
        put(8, c, "brick");
    for (int c = 5; c < 9; ++c)
        put(7, c, "coin");
    for (int c = 14; c < 19; ++c) {
        put(12, c, c % 2 ? "water" : "wave");
        put(13, c, "water");
    }
    put(11, 1, "tree");
    put(11, 12, "tree", true); // mirrored
    put(11, 21, "door");
    put(10, 21, "star");
    put(11, 3, "smiley");
    put(11, 6, "flower");
    put(11, 7, "flower", true);
    put(6, 20, "key");
    put(10, 10, "arrow");
    put(10, 11, "arrow", true); // pointing back
    put(11, 22, "heart");
    for (int c = 0; c < kMapWidth; c += 3)
        put(15, c, "stone");
    put(14, 9, "grass", false, true); // an upside-down tuft under the ground
    grid.at(0, 0).Palette = Gold;     // a tinted corner of sky
    return grid;
}

void writeFile(const std::string& path, const Result<std::vector<std::uint8_t>>& bytes) {
    const Status saved = bytes ? SaveFileAtomically(path, *bytes) : Status(Fail(bytes.error()));
    if (!saved) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), saved.error().c_str());
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "examples";
    writeFile(folder + "/demo.vxt", SerializeTileSet(demoTileSet(), "demo.vxm"));
    writeFile(folder + "/demo.vxm", SerializeMap(demoMap(), "demo.vxt"));
    return 0;
}
