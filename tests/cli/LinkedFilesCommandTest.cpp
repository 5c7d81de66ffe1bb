// Commands that follow the link from a map to its tile set find a tile set named relative
// to the map, whatever folder they run from, and draw or export as if it were given.

#include "core/export/FormatJson.h"
#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"

#include "CliRunner.h"

#include <filesystem>

namespace tessivar {
namespace {

TEST_F(Cli, MapCommandsFindTheTileSetBesideTheMapFromAnotherFolder) {
    std::filesystem::create_directories(dir.path() / "level");
    TileSet set = SampleTileSet(16, 1);
    for (int t = 0; t < 16; ++t)
        set.TileInfo[t][1] = t * 7 + 1;
    const std::string setPath = write("level/t.vxt", SerializeTileSet(set, "m.vxm").value());
    const std::string mapPath =
        write("level/m.vxm", SerializeMap(SampleGrid(4, 3), "t.vxt").value());
    ExportFormat format = MapFormatPreset();
    format.AppendProperty({PropertyKind::Category, 1, 8, 1});
    const std::string json = FormatToJson(format);
    const std::string formatPath =
        write("f.json", std::vector<std::uint8_t>(json.begin(), json.end()));

    const std::vector<std::vector<std::string>> commands = {
        {"render-map", mapPath, "-o"},
        {"export-map", mapPath, "--format", formatPath, "-o"},
    };
    for (auto args : commands) {
        auto given = args;
        given.insert(given.begin() + 2, {"--tileset", setPath});
        given.push_back(dir.file("given.out"));
        args.push_back(dir.file("linked.out"));
        const CliRun linked = run(args);
        ASSERT_EQ(0, linked.status) << args[0] << ": " << linked.err;
        ASSERT_EQ(0, run(given).status) << args[0];
        EXPECT_EQ(ReadBytes(dir.file("given.out")), ReadBytes(dir.file("linked.out"))) << args[0];
    }
}

} // namespace
} // namespace tessivar
