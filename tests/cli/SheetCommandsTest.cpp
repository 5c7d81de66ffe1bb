// export-sheet and import-sheet, run as separate processes: a sheet read back gives the
// same Tiles byte for byte for Blocks of several shapes, and bad sheets are refused.

#include "CliRunner.h"

#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"
#include "core/picture/PngWriter.h"

#include <filesystem>
#include <memory>

namespace tessivar {
namespace {

std::unique_ptr<TileSet> readSet(const std::string& path) {
    auto set = std::make_unique<TileSet>();
    ApplyTileSetFile(*ParseTileSetFile(ReadBytes(path)), *set);
    return set;
}

TEST_F(Cli, SheetsReadBackAsTheSameTiles) {
    const struct {
        const char* block;
        int tileCount;
        const char* columns;
    } cases[] = {{"8x8", 40, "16"}, {"16x16", 40, "3"}, {"12x20", 36, "4"}, {"240x8", 60, "1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.block);
        const TileSet original = SampleTileSet(c.tileCount);
        const std::string set = write("set.vxt", BuildTileSetImage("VX03", original, ""));
        const std::string sheet = dir.file("sheet.png"), back = dir.file("back.vxt");
        // The set's own palette is no brightness ramp: only the indexes tell the colours.
        ASSERT_EQ(0, run({"export-sheet", set, "-o", sheet, "--block", c.block, "--columns",
                          c.columns, "--palette", "3"})
                         .status);
        const CliRun imported = run({"import-sheet", sheet, "-o", back, "--block", c.block});
        ASSERT_EQ(0, imported.status) << imported.err;
        const auto read = readSet(back);
        EXPECT_EQ(read->TileCount, c.tileCount); // the last row's padding is left out
        for (int t = 0; t < c.tileCount; ++t)
            ASSERT_EQ(read->Tiles[static_cast<std::size_t>(t)],
                      original.Tiles[static_cast<std::size_t>(t)])
                << "Tile " << t;
    }
}

// With a map nothing is asked: duplicates are merged, the new map shows the sheet, and
// the two new files name each other.
TEST_F(Cli, ASheetImportedWithAMapLinksBothFiles) {
    const TileSet original = SampleTileSet(8); // Tiles 4..7 repeat Tiles 0..3
    const std::string set = write("set.vxt", BuildTileSetImage("VX03", original, ""));
    const std::string sheet = dir.file("sheet.png"), back = dir.file("back.vxt"),
                      map = dir.file("back.vxm");
    ASSERT_EQ(0, run({"export-sheet", set, "-o", sheet, "--columns", "4"}).status);
    const CliRun imported =
        run({"import-sheet", sheet, "-o", back, "--map-out", map, "--mode", "duplicates"});
    ASSERT_EQ(0, imported.status) << imported.err;
    const auto read = readSet(back);
    const auto links = ParseTileSetFile(ReadBytes(back));
    const auto grid = ParseMapFile(ReadBytes(map));
    EXPECT_EQ(read->TileCount, 4);
    EXPECT_EQ(links->AssociatedMap, map);
    EXPECT_EQ(grid->TileSetPath, back);
    ASSERT_EQ(grid->Grid.Width * grid->Grid.Height, 8);
    for (int t = 0; t < 8; ++t)
        EXPECT_EQ(read->Tiles[grid->Grid.Cells[static_cast<std::size_t>(t)].Tile],
                  original.Tiles[static_cast<std::size_t>(t)])
            << "cell " << t;
}

TEST_F(Cli, BadSheetsAreRefusedAndWriteNothing) {
    auto picture = [&](const std::string& name, int width, int height, int colors) {
        auto file = AtomicFile::Open(dir.file(name));
        auto png = PngWriter::Start(*file, width, height);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3, 0);
        for (int y = 0; y < height; ++y) {
            if (y == height - 1) // the last row brings the other colours, from (1, y) on
                for (int x = 1; x < colors; ++x)
                    row[static_cast<std::size_t>(x) * 3] = static_cast<std::uint8_t>(x * 40);
            EXPECT_TRUE((*png)->WriteRow(row).ok());
        }
        EXPECT_TRUE((*png)->Finish().ok() && file->Commit().ok());
        return dir.file(name);
    };
    const std::string out = dir.file("out.vxt");
    const struct {
        std::string sheet;
        std::vector<std::string> options;
        std::string message;
    } cases[] = {
        {picture("five.png", 16, 8, 5), {}, "the pixel at (4, 7) is #A00000"},
        {picture("four.png", 16, 8, 4), {"--block", "16x16"}, "multiples of the Blocks' 16 x 16"},
        {picture("odd.png", 12, 8, 1), {}, "sides must be multiples"},
        {picture("big.png", 8, 8 * 100, 1), {"--at", "700"}, "holds 100 Tiles, more than the 68"},
        {picture("map.png", 16, 16, 1),
         {"--block", "8x16", "--map", dir.file("m.vxm")},
         "8 x 8 Tiles"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"import-sheet", c.sheet, "-o", out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun result = run(args);
        EXPECT_EQ(1, result.status) << c.sheet;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists(dir.file("m.vxm")));
}

} // namespace
} // namespace tessivar
