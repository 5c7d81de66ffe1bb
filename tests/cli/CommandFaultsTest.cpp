// Command lines that once gave wrong results or wrong statuses: each row names the
// status and a piece of the text the command prints.

#include "CliRunner.h"

#include "core/files/TileSetFile.h"

#include <filesystem>

namespace tessivar {
namespace {

TEST_F(Cli, CommandLineFaultsGetTheirStatusAndMessage) {
    write("set.vxt", BuildTileSetImage("VX03", SampleTileSet(24, 1), "level.vxm"));
    write("two.bin", std::vector<std::uint8_t>(32, 0x5A));
    std::string many = R"({"properties":[{"kind":"one","bits":2147483647})";
    for (int i = 1; i < 32; ++i)
        many += R"(,{"kind":"one","bits":2147483647})";
    many += "]}";
    write("many.json", std::vector<std::uint8_t>(many.begin(), many.end()));
    const struct {
        std::vector<std::string> args;
        int status;
        std::string printed; // on the error output, or with "stdout:" on the standard output
        std::string shell = "";
    } rows[] = {
        {{"export-tiles", "set.vxt", "-o", "a.asm", "--blocks", "5-2"}, 2, "--blocks 5-2 is not"},
        {{"export-tiles", "set.vxt", "-o", "a.asm", "--blocks", "999"}, 2, "within Blocks 0-23"},
        {{"export-tiles", "set.vxt", "-o", "a.asm", "--blocks", "20-24"}, 2, "--blocks 20-24"},
        {{"export-tiles", "set.vxt", "-o", "a.asm", "--blocks", "-1-3"}, 2, "--blocks -1-3"},
        {{"export-tiles", "set.vxt", "-o", "-", "--blocks", "23"}, 0, "stdout: ;Tile 23\r\n"},
        {{"export-tiles", "set.vxt", "-o", "a.asm", "--format", "many.json"},
         1,
         "property 1 is 2147483647 bits wide"},
        {{"import-binary", "set.vxt", "two.bin", "-o", "b.vxt", "--at", "30"},
         0,
         "2 Tiles read into slots 30\u201331, past the 24 Tiles in use: they are not saved"},
        {{"import-binary", "set.vxt", "two.bin", "-o", "b.vxt", "--at", "23"},
         0,
         "1 Tiles read into slots 24\u201324"},
        {{"optimize", "set.vxt", "-o", "c.vxt"}, 0, "the map level.vxm named by the tile set"},
        {{"info", "set.vxt", "--json"}, 1, "cannot write the standard output", "exec >/dev/full; "},
        {{"optimize", "set.vxt", "-o", "c.vxt", "--json"},
         1,
         "cannot write the standard output",
         "exec >/dev/full; "},
        {{"render-map", "level.vxm"}, 2, "needs one map and -o"},
        {{"export-tiles", "set.vxt", "--kind", "map", "-o", "a.asm"}, 1, "set.vxt"},
        {{"import", "set.vxt", "-o", "d.vxt", "--dither", "-1"}, 2, "--dither takes"},
        {{"import", "set.vxt", "-o", "-"}, 2, "standard output"},
        {{"optimize", "set.vxt", "-o", "-"}, 2, "standard output"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args;
        for (const std::string& arg : row.args)
            args.push_back(std::filesystem::exists(dir.file(arg)) ? dir.file(arg) : arg);
        const auto r = run(args, row.shell);
        EXPECT_EQ(row.status, r.status) << args[0] << " " << args.back() << ": " << r.err;
        if (row.printed.starts_with("stdout: "))
            EXPECT_NE(std::string::npos, r.out.find(row.printed.substr(8))) << r.out;
        else
            EXPECT_NE(std::string::npos, r.err.find(row.printed)) << r.err;
    }
    // --grow keeps the Tiles read past the count.
    ASSERT_EQ(0, run({"import-binary", dir.file("set.vxt"), dir.file("two.bin"), "-o",
                      dir.file("g.vxt"), "--at", "30", "--grow"})
                     .status);
    const auto grown = ParseTileSetFile(ReadBytes(dir.file("g.vxt")));
    ASSERT_TRUE(grown.ok());
    EXPECT_EQ(32, grown->TileCount);
    EXPECT_EQ(grown->Tiles[31], grown->Tiles[30]);
}

} // namespace
} // namespace tessivar
