// tessivar-cli's info and upgrade commands, run as a separate process on temporary files.

#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"

#include "CliRunner.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

using testing::ReadDataText;

TEST_F(Cli, HelpAndVersion) {
    const auto version = run({"--version"});
    EXPECT_EQ(0, version.status);
    EXPECT_EQ("tessivar-cli " TESSIVAR_VERSION "\n", version.out);
    EXPECT_NE(0, run({}).status);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"frobnicate"}, {"help", "frobnicate"}}) {
        const auto unknown = run(args);
        EXPECT_EQ(2, unknown.status);
        EXPECT_NE(std::string::npos, unknown.err.find("unknown command 'frobnicate'"))
            << unknown.err;
    }
    EXPECT_EQ(2, run({"help", "info", "upgrade"}).status);
    const auto help = run({"help"});
    EXPECT_EQ(0, help.status);
    EXPECT_EQ(help.out, run({"-h"}).out);
    EXPECT_NE(std::string::npos, help.out.find("--version")) << help.out;
}

TEST_F(Cli, InfoDescribesTileSetsAndMaps) {
    TileSet set = SampleTileSet(16, 1);
    set.Categories[3].SetName("Say \"hi\"");
    const std::string path = write("set.vxt", BuildTileSetImage("VX03", set, "maps/level.vxm"));

    auto json = run({"info", path, "--json"});
    EXPECT_EQ(0, json.status) << json.err;
    EXPECT_EQ(ReadDataText("cli/info/tileset.json"), json.out);

    auto text = run({"info", path});
    EXPECT_EQ(0, text.status);
    for (const char* line : {"version VX03", "Tiles: 16", "Map: maps/level.vxm", "Categories: 4"})
        EXPECT_NE(std::string::npos, text.out.find(line)) << line << "\n" << text.out;

    const std::string map = write("level.vxm", BuildMapImage("VX02", SampleGrid(24, 16), "t.vxt"));
    json = run({"info", "--json", map});
    EXPECT_EQ(0, json.status) << json.err;
    EXPECT_EQ(ReadDataText("cli/info/map.json"), json.out);
    text = run({"info", map});
    EXPECT_NE(std::string::npos, text.out.find("24 columns x 16 rows")) << text.out;
}

TEST_F(Cli, InfoListsEveryTileWithItsInformation) {
    TileSet set = SampleTileSet(2, 1);
    set.TilePalette[1] = 5;
    set.TilePaletteSet[1] = 7;
    set.TileInfo[1] = {1, 0, -250, 300};
    set.Categories[3].SetName("AnimNext"); // two categories of one name keep both values
    const std::string path = write("set.vxt", BuildTileSetImage("VX03", set));
    const auto json = run({"info", path, "--tiles", "--json"});
    EXPECT_EQ(0, json.status) << json.err;
    EXPECT_EQ(ReadDataText("cli/info/tiles.json"), json.out);

    // An old file without categories lists the built-in ones a fresh tile set has.
    const std::string old = write("old.vxt", BuildTileSetImage("VX01", SampleTileSet(2, 0)));
    const auto fresh = run({"info", old, "--json", "--tiles"});
    EXPECT_NE(std::string::npos, fresh.out.find("\"1\":{\"name\":\"AnimNext\",\"value\":1}"))
        << fresh.out;

    const std::string map = write("level.vxm", BuildMapImage("VX02", SampleGrid(2, 2)));
    for (const auto& args : {std::vector<std::string>{"info", map, "--tiles", "--json"},
                             std::vector<std::string>{"info", path, "--tiles"}}) {
        const auto refused = run(args);
        EXPECT_NE(0, refused.status);
        EXPECT_EQ("", refused.out);
        EXPECT_NE(std::string::npos, refused.err.find("--tiles")) << refused.err;
    }
}

TEST_F(Cli, MapsAreNotMistakenForOldTileSets) {
    // An empty map's cells read as a valid tile set with no Tiles: the extension decides,
    // else --kind, and a file named otherwise that reads both ways is refused.
    for (const char* version : {"VX01", "VX02"}) {
        SCOPED_TRACE(version);
        const auto blank = BuildMapImage(version, MapGrid(32, 32));
        const std::string named = write("blank.vxm", blank);
        const std::string unnamed = write("level.map", blank);
        const std::string out = dir.file(std::string(version) + ".map");
        const std::vector<std::string> refusals[] = {
            {"info", unnamed},
            {"upgrade", unnamed, out},
            {"export-tiles", unnamed, "-o", out},
            {"export-binary", named, "-o", out},
            {"upgrade", "--kind", "map", unnamed, dir.file("up.vxt")},
        };
        for (const auto& args : refusals) {
            const auto refused = run(args);
            EXPECT_NE(0, refused.status) << args[0];
            EXPECT_FALSE(std::filesystem::exists(out) ||
                         std::filesystem::exists(dir.file("up.vxt")))
                << args[0];
            EXPECT_TRUE(refused.err.find("--kind tileset|map") != std::string::npos ||
                        refused.err.find("a map") != std::string::npos)
                << refused.err;
        }
        for (const auto& args :
             {std::vector<std::string>{"info", named, "--json"},
              std::vector<std::string>{"info", "--kind", "map", unnamed, "--json"}}) {
            const auto json = run(args);
            EXPECT_NE(std::string::npos, json.out.find("\"kind\":\"map\"")) << json.out;
        }
        ASSERT_EQ(0, run({"upgrade", unnamed, "--kind", "map", out}).status);
        EXPECT_EQ(BuildMapImage("VX02", MapGrid(32, 32)), ReadBytes(out));
    }
}

TEST_F(Cli, EveryFileReadingCommandTakesKind) {
    const std::string set = write("set.vxt", BuildTileSetImage("VX03", SampleTileSet(4)));
    const std::string map = write("level.vxm", BuildMapImage("VX02", SampleGrid(2, 2)));
    const std::string bin = write("in.bin", std::vector<std::uint8_t>(16));
    const std::string out = dir.file("out");
    const std::vector<std::string> commands[] = {
        {"info", set},
        {"upgrade", set, out},
        {"export-tiles", set, "-o", out},
        {"export-map", map, "-o", out},
        {"export-binary", set, "-o", out},
        {"import-binary", set, bin, "-o", out},
        {"import", bin, "--into", set, "-o", out},
        {"optimize", set, "-o", out},
        {"render-map", map, "-o", out},
    };
    for (auto args : commands) {
        args.push_back("--kind");
        EXPECT_NE(0, run(args).status) << args[0] << " without the kind";
        args.push_back("tiles");
        const auto refused = run(args);
        EXPECT_NE(0, refused.status) << args[0];
        EXPECT_NE(std::string::npos, refused.err.find("--kind takes tileset or map"))
            << args[0] << ": " << refused.err;
    }
}

TEST_F(Cli, InfoJsonIsValidUtf8ForWindows1252Names) {
    TileSet set = SampleTileSet(1, 1);
    set.Categories[3].SetName("Gr\xf6\xdf"
                              "e \x80");
    const std::string path = write("set.vxt", BuildTileSetImage("VX03", set, "/tmp/caf\xe9.vxm"));
    const auto json = run({"info", path, "--json", "--tiles"});
    ASSERT_EQ(0, json.status) << json.err;
    const std::string file =
        write("info.json", std::vector<std::uint8_t>(json.out.begin(), json.out.end()));
    const std::string check = "python3 -c 'import json,sys; d=json.load(open(sys.argv[1], "
                              "encoding=\"utf-8\")); print(d[\"map\"], "
                              "d[\"categories\"][3][\"name\"])' " +
                              quoted(file) + " >" + quoted(dir.file("check.txt"));
    ASSERT_EQ(0, std::system(check.c_str()));
    const auto printed = ReadBytes(dir.file("check.txt"));
    EXPECT_EQ("/tmp/caf\xc3\xa9.vxm Gr\xc3\xb6\xc3\x9f"
              "e \xe2\x82\xac\n",
              std::string(printed.begin(), printed.end()));
}

TEST_F(Cli, RefusedFilesPrintTheirReasonAndFail) {
    auto badSize = BuildMapImage("VX02", SampleGrid(2, 2));
    badSize[260] = 0; // width 0
    const std::pair<std::string, std::string> cases[] = {
        {write("size.vxm", badSize), "width 0"},
        {write("junk.vxt", {'J', 'U', 'N', 'K'}), "unknown magic"},
        {write("junk.bin", {'J', 'U', 'N', 'K'}), "not a tile set or map file"},
        {dir.file("absent.vxt"), "cannot read"},
    };
    for (const auto& [path, reason] : cases) {
        for (const char* command : {"info", "upgrade"}) {
            SCOPED_TRACE(std::string(command) + " " + path);
            std::vector<std::string> args{command, path};
            if (std::string(command) == "upgrade")
                args.push_back(dir.file("out"));
            const auto result = run(args);
            EXPECT_NE(0, result.status);
            EXPECT_EQ("", result.out);
            EXPECT_NE(std::string::npos, result.err.find(reason)) << result.err;
            EXPECT_FALSE(std::filesystem::exists(dir.file("out")));
        }
    }
}

TEST_F(Cli, UpgradeWritesTheCurrentVersionKeepingTheContents) {
    for (const char* version : {"VX01", "VX02"}) {
        SCOPED_TRACE(version);
        const TileSet set = SampleTileSet(20, 2, 6);
        const std::string in =
            write(std::string("old") + version + ".vxt", BuildTileSetImage(version, set));
        const std::string out = dir.file("new.vxt");
        const auto result = run({"upgrade", in, out});
        ASSERT_EQ(0, result.status) << result.err;
        const auto parsed = ParseTileSetFile(ReadBytes(out));
        ASSERT_TRUE(parsed.ok());
        EXPECT_EQ("VX03", parsed->Version);
        EXPECT_EQ("", parsed->AssociatedMap);
        TileSet upgraded;
        ApplyTileSetFile(*parsed, upgraded);
        TileSet expected = set;
        if (std::string(version) == "VX01") {
            // Nothing stored: the built-in categories of a fresh tile set.
            const TileSet fresh;
            expected.CategoryCount = fresh.CategoryCount;
            expected.Categories = fresh.Categories;
            expected.TileInfo = fresh.TileInfo;
        }
        EXPECT_TRUE(expected == upgraded);
    }

    MapGrid grid = SampleGrid(7, 5, false);
    grid.At(1, 2).Palette = 200; // palettes above 7 are kept
    const std::string in = write("old.vxm", BuildMapImage("VX01", grid, "t.vxt"));
    const std::string out = dir.file("new.vxm");
    ASSERT_EQ(0, run({"upgrade", in, out}).status);
    EXPECT_EQ(BuildMapImage("VX02", grid, "t.vxt"), ReadBytes(out));
}

// Every command reads its arguments the same way: an unknown option, an option without
// its value or given twice is a usage error (status 2) that names the option.
TEST_F(Cli, EveryCommandRefusesBadOptionsTheSameWay) {
    const std::string set = write("set.vxt", BuildTileSetImage("VX03", SampleTileSet(4)));
    const std::string out = dir.file("out");
    const std::vector<std::string> commands[] = {
        {"info", set},
        {"upgrade", set, out},
        {"decode", set, "-o", out},
        {"render-map", set, "-o", out},
        {"export-tiles", set, "-o", out},
        {"export-map", set, "-o", out},
        {"export-binary", set, "-o", out},
        {"import-binary", set, set, "-o", out},
        {"import", set, "-o", out},
        {"optimize", set, "-o", out},
    };
    const std::pair<std::vector<std::string>, std::string> mistakes[] = {
        {{"--frobnicate", "1"}, "unknown option --frobnicate"},
        {{"--kind", "map", "--kind", "map"}, "--kind given twice"},
        {{"--kind"}, "--kind needs a value"},
    };
    for (const auto& command : commands) {
        for (const auto& [extra, message] : mistakes) {
            auto args = command;
            args.insert(args.end(), extra.begin(), extra.end());
            if (args[0] == "decode" && extra[0] == "--kind")
                continue; // decode reads no tile set or map
            const auto refused = run(args);
            EXPECT_EQ(2, refused.status) << args[0] << " " << message;
            EXPECT_NE(std::string::npos, refused.err.find(message)) << refused.err;
            EXPECT_NE(std::string::npos, refused.err.find("usage: tessivar-cli " + args[0]))
                << refused.err;
            EXPECT_FALSE(std::filesystem::exists(out)) << args[0];
        }
    }
}

} // namespace
} // namespace tessivar
