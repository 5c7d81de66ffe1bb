// export-tmx and import-tmx as separate processes: the exact round trip, the general
// editor's own rasterizer against render-map, and the dependency files of the commands.

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace tessivar {
namespace {

std::string text(const std::string& path) {
    const auto bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

int shell(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str());
}

TEST_F(Cli, TmxRoundTripIsExactAndDrawsLikeRenderMap) {
    std::filesystem::create_directory(dir.file("my maps"));
    write("my maps/t#1.vxt", BuildTileSetImage("VX03", SampleTileSet(300, 2), ""));
    const std::string map =
        write("my maps/level.vxm", BuildMapImage("VX02", SampleGrid(21, 9), "t#1.vxt"));
    const std::string tmx = dir.file("my maps/level.tmx");
    const auto exported = run({"export-tmx", map, "-o", tmx, "--depfile", dir.file("tmx.d")});
    ASSERT_EQ(0, exported.status) << exported.err;

    // The map uses all eight palettes: one sheet each, then the TMX file.
    const auto escape = [](std::string s) {
        for (std::size_t at = 0; (at = s.find_first_of(" #", at)) != std::string::npos; at += 2)
            s.insert(at, "\\");
        return s;
    };
    std::string expected;
    for (int p = 0; p < 8; ++p)
        expected += escape(dir.file("my maps/level-palette" + std::to_string(p) + ".png")) + " ";
    expected += escape(tmx) + ": " + escape(map) + " " + escape(dir.file("my maps/t#1.vxt")) + "\n";
    EXPECT_EQ(text(dir.file("tmx.d")), expected);

    const auto imported = run({"import-tmx", tmx, "-o", dir.file("back.vxm")});
    ASSERT_EQ(0, imported.status) << imported.err;
    EXPECT_EQ(ReadBytes(dir.file("back.vxm")), ReadBytes(map));

    ASSERT_EQ(0, run({"render-map", map, "-o", dir.file("expected.png")}).status);
    const bool rasterizer = shell("command -v tmxrasterizer") == 0;
    if (rasterizer) {
        ASSERT_EQ(0, shell("QT_QPA_PLATFORM=offscreen tmxrasterizer " + quoted(tmx) + " " +
                           quoted(dir.file("drawn.png"))));
    } else { // drawn from the map the TMX file reads back as
        ASSERT_EQ(0, run({"render-map", dir.file("back.vxm"), "--tileset",
                          dir.file("my maps/t#1.vxt"), "-o", dir.file("drawn.png")})
                         .status);
    }
    EXPECT_EQ(0, shell("compare -metric AE " + quoted(dir.file("drawn.png")) + " " +
                       quoted(dir.file("expected.png")) + " null:"))
        << (rasterizer ? "tmxrasterizer" : "render-map of the imported map")
        << " draws differently";

    // Saved again by the general editor, which numbers the tilesets its own way.
    if (shell("command -v tiled") == 0) {
        ASSERT_EQ(0, shell("QT_QPA_PLATFORM=offscreen tiled --export-map " + quoted(tmx) + " " +
                           quoted(dir.file("my maps/saved.tmx"))));
        ASSERT_EQ(
            0,
            run({"import-tmx", dir.file("my maps/saved.tmx"), "-o", dir.file("saved.vxm")}).status);
        EXPECT_EQ(ReadBytes(dir.file("saved.vxm")), ReadBytes(map));
    }

    // A named tile set replaces the one the TMX file kept, and must be a tile set.
    EXPECT_EQ(1, run({"import-tmx", tmx, "-o", dir.file("named.vxm"), "--tileset", map}).status);
    const auto named = run(
        {"import-tmx", tmx, "-o", dir.file("named.vxm"), "--tileset", dir.file("my maps/t#1.vxt")});
    ASSERT_EQ(0, named.status) << named.err;
    EXPECT_EQ(text(dir.file("named.vxm")).substr(4, dir.file("my maps/t#1.vxt").size()),
              dir.file("my maps/t#1.vxt"));
}

TEST_F(Cli, RefusedCommandsWriteNeitherOutputNorDependencyFile) {
    MapGrid grid = SampleGrid(3, 3);
    grid.At(2, 1).Palette = 9;
    const std::string map = write("level.vxm", BuildMapImage("VX02", grid, ""));
    const auto refused =
        run({"export-tmx", map, "-o", dir.file("l.tmx"), "--depfile", dir.file("l.d")});
    EXPECT_EQ(1, refused.status);
    EXPECT_NE(refused.err.find("row 2, column 1 has palette 9"), std::string::npos) << refused.err;
    const std::string broken = write("broken.tmx", {'<', 'm', 'a', 'p', '>'});
    EXPECT_EQ(
        1,
        run({"import-tmx", broken, "-o", dir.file("x.vxm"), "--depfile", dir.file("l.d")}).status);
    EXPECT_EQ(2, run({"export-tmx", map, "-o", dir.file("l.tmx"), "--depfile-phony"}).status);
    EXPECT_EQ(2, run({"info", map, "--depfile", dir.file("l.d")}).status);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}),
              3); // inputs + stderr
}

TEST_F(Cli, EveryWritingCommandListsWhatItRead) {
    const std::string set = write("t.vxt", BuildTileSetImage("VX03", SampleTileSet(16, 0), ""));
    const std::string map = write("m.vxm", BuildMapImage("VX02", SampleGrid(2, 2, false), set));
    const std::string out = dir.file("out");
    const std::string d = dir.file("d");
    const std::string jpeg = std::string(TESSIVAR_SOURCE_DIR) + "/fuzz/corpus/jpeg_fuzzer/grey.jpg";
    const struct {
        std::vector<std::string> args;
        std::string rule;
    } cases[] = {
        {{"export-tiles", set, "-o", out}, out + ": " + set + "\n"},
        {{"export-map", map, "-o", out, "--tileset", set}, out + ": " + map + " " + set + "\n"},
        {{"render-map", map, "-o", out, "--depfile-phony"},
         out + ": " + map + " " + set + "\n\n" + map + ":\n\n" + set + ":\n"},
        {{"upgrade", set, set}, set + ":\n"},
        {{"decode", jpeg, "-o", out}, out + ": " + jpeg + "\n"},
        {{"import", jpeg, "-o", out, "--into", set}, out + ": " + set + " " + jpeg + "\n"},
        {{"optimize", set, "-o", out, "--map", map, "--map-out", out + "2"},
         out + "2 " + out + ": " + set + " " + map + "\n"},
    };
    for (const auto& c : cases) {
        auto args = c.args;
        args.insert(args.end(), {"--depfile=" + d});
        const auto result = run(args);
        ASSERT_EQ(0, result.status) << c.args[0] << ": " << result.err;
        EXPECT_EQ(text(d), c.rule) << c.args[0];
    }
}

} // namespace
} // namespace tessivar
