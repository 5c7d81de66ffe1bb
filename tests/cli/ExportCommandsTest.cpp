// The export commands, checked the way users use them: the source files go through the
// real Z80 and 68k assemblers and the assembled bytes must equal the records the core
// packs and, for tile data, the tile binary.

#include "core/export/FormatJson.h"
#include "core/export/RecordPacking.h"
#include "core/files/MapFile.h"
#include "core/files/TileBinary.h"
#include "core/files/TileSetFile.h"

#include "CliRunner.h"

#include <cstdlib>
#include <fstream>

namespace tessivar {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Assembler {
    const char* dialect;
    std::string as;
    std::string objcopy;
};

const Assembler kAssemblers[] = {
    {"z80", "z80-unknown-coff-as", "z80-unknown-coff-objcopy"},
    {"68k", "m68k-linux-gnu-as --mri", "m68k-linux-gnu-objcopy"},
};

bool haveAssemblers() {
    return std::system("command -v z80-unknown-coff-as m68k-linux-gnu-as >/dev/null 2>&1") == 0;
}

class ExportCommands : public Cli {
protected:
    void SetUp() override {
        if (!haveAssemblers())
            GTEST_SKIP() << "the Z80 and 68k assemblers are not installed";
    }
    // The bytes the assembler makes of a source file.
    Bytes assemble(const std::string& source, const Assembler& assembler) {
        const std::string object = source + ".o";
        const std::string binary = source + ".bin";
        const std::string command = assembler.as + " " + quoted(source) + " -o " + quoted(object) +
                                    " && " + assembler.objcopy + " -O binary " + quoted(object) +
                                    " " + quoted(binary);
        EXPECT_EQ(0, std::system(command.c_str())) << command;
        return ReadBytes(binary);
    }
    std::string writeTileSet(const TileSet& set) {
        return write("set.vxt", SerializeTileSet(set, "").value());
    }
    std::string writeText(const std::string& name, const std::string& text) {
        return write(name, Bytes(text.begin(), text.end()));
    }
};

// A set of 32 Tiles with every pixel value and large information values.
TileSet sampleSet() {
    TileSet set = testing::SampleTileSet(32, 2);
    for (int t = 0; t < 32; ++t)
        set.TileInfo[t][1] = t * 37 + 250;
    return set;
}

Bytes expectedTileRecords(TileSet set, BlockSize block, ExportFormat format, int from, int to) {
    set.Block = block;
    RefreshTileDataWidths(format, block);
    Bytes all;
    for (int s = 1; s <= format.SectionCount; ++s) {
        Bytes record(static_cast<std::size_t>(SectionRecordBytes(format, s)));
        for (int k = from; k <= to && !record.empty(); ++k) {
            BuildTileSectionRecord(set, format, k, s, record);
            all.insert(all.end(), record.begin(), record.end());
        }
    }
    return all;
}

TEST_F(ExportCommands, PresetsAndCustomFormatsAssembleToThePackedRecords) {
    const TileSet set = sampleSet();
    const std::string setPath = writeTileSet(set);
    ExportFormat custom; // fields straddling bytes, tile data after a partial byte, 2 sections
    custom.AppendProperty({PropertyKind::Category, 3, 5, 1});
    custom.AppendProperty({PropertyKind::OneFiller, 0, 3, 1});
    custom.AppendProperty({PropertyKind::Category, 1, 3, 1});
    custom.AppendProperty({PropertyKind::GrayTileData, 0, 0, 1});
    custom.AppendProperty({PropertyKind::Category, 1, 12, 2});
    custom.AppendProperty({PropertyKind::ZeroFiller, 0, 2, 2});
    custom.AppendProperty({PropertyKind::Category, 4, 7, 2});
    custom.AppendSection("first");
    custom.AppendSection("second");
    const std::string customPath = writeText("custom.json", FormatToJson(custom));

    struct Case {
        const char* preset; // or nullptr for the custom format
        TilePreset tilePreset;
        BlockSize block;
        const char* blocks;
        int from, to;
    } cases[] = {
        {"bw", TilePreset::BwOnly, {8, 8}, nullptr, 0, 31},
        {"gray", TilePreset::GrayOnly, {16, 16}, nullptr, 0, 7},
        {"bw-anim", TilePreset::BwAnim, {12, 10}, "1-2", 1, 2},
        {"gray-anim", TilePreset::GrayAnim, {32, 32}, nullptr, 0, 1},
        {nullptr, TilePreset::BwOnly, {8, 16}, "3-9", 3, 9},
    };
    for (const auto& assembler : kAssemblers)
        for (const auto& c : cases) {
            const std::string block =
                std::to_string(c.block.Width) + "x" + std::to_string(c.block.Height);
            const std::string out = dir.file("tiles.asm");
            std::vector<std::string> args = {"export-tiles", setPath,           "-o",      out,
                                             "--dialect",    assembler.dialect, "--block", block};
            args.insert(args.end(),
                        {c.preset ? "--preset" : "--format", c.preset ? c.preset : customPath});
            if (c.blocks)
                args.insert(args.end(), {"--blocks", c.blocks});
            const CliRun result = run(args);
            SCOPED_TRACE(std::string(assembler.dialect) + " " + (c.preset ? c.preset : "custom") +
                         " " + block);
            ASSERT_EQ(0, result.status) << result.err;
            const ExportFormat format = c.preset ? TileFormatPreset(c.tilePreset, c.block) : custom;
            EXPECT_EQ(expectedTileRecords(set, c.block, format, c.from, c.to),
                      assemble(out, assembler));
        }
}

TEST_F(ExportCommands, GrayscaleSourceMatchesTheTileBinary) {
    const std::string setPath = writeTileSet(sampleSet());
    for (const char* block : {"8x8", "16x16", "32x32", "24x16"}) {
        const std::string out = dir.file("gray.asm");
        const std::string bin = dir.file("tiles.bin");
        ASSERT_EQ(
            0,
            run({"export-tiles", setPath, "-o", out, "--preset", "gray", "--block", block}).status);
        ASSERT_EQ(0, run({"export-binary", setPath, "-o", bin, "--block", block}).status);
        // 24x16 Blocks take 6 Tiles: the binary also carries the partial sixth Block.
        Bytes binary = ReadBytes(bin);
        const Bytes source = assemble(out, kAssemblers[0]);
        EXPECT_EQ(binary.size(),
                  std::string(block) == "24x16" ? source.size() * 6 / 5 : source.size());
        binary.resize(source.size());
        EXPECT_EQ(binary, source) << block;
    }
}

TEST_F(ExportCommands, MapsAssembleToThePackedRecords) {
    TileSet set = sampleSet();
    set.Block = {16, 16};
    const std::string setPath = writeTileSet(set);
    const MapGrid grid = testing::SampleGrid(20, 5);
    const std::string mapPath = write("map.vxm", SerializeMap(grid, "").value());
    ExportFormat format;
    format.AppendProperty({PropertyKind::TileNumber, 0, 10, 1});
    format.AppendProperty({PropertyKind::HorizontalFlip, 0, 1, 1});
    format.AppendProperty({PropertyKind::VerticalFlip, 0, 1, 1});
    format.AppendProperty({PropertyKind::OneFiller, 0, 3, 1});
    format.AppendProperty({PropertyKind::Category, 1, 16, 2});
    format.AppendSection("cells");
    format.AppendSection("");
    const std::string formatPath = writeText("map.json", FormatToJson(format));
    Bytes expected;
    for (int s = 1; s <= 2; ++s) {
        Bytes record(static_cast<std::size_t>(SectionRecordBytes(format, s)));
        for (const MapCell& cell : grid.Cells) {
            BuildMapSectionRecord(set, format, cell, s, 3, 4, record);
            expected.insert(expected.end(), record.begin(), record.end());
        }
    }
    for (const auto& assembler : kAssemblers) {
        const std::string out = dir.file("map.asm");
        const CliRun result =
            run({"export-map", mapPath, "-o", out, "--dialect", assembler.dialect, "--format",
                 formatPath, "--offset", "3", "--block", "16x16", "--tileset", setPath});
        ASSERT_EQ(0, result.status) << result.err;
        EXPECT_EQ(expected, assemble(out, assembler)) << assembler.dialect;
    }
    // The binary map holds exactly what the assembled source holds.
    const std::string bin = dir.file("map.bin");
    ASSERT_EQ(0, run({"export-map", mapPath, "-o", bin, "--binary", "--format", formatPath,
                      "--offset", "3", "--block", "16x16", "--tileset", setPath})
                     .status);
    EXPECT_EQ(assemble(dir.file("map.asm"), kAssemblers[1]), ReadBytes(bin));
    EXPECT_EQ(2, run({"export-map", mapPath, "-o", bin, "--binary", "--dialect", "z80"}).status);
}

TEST_F(ExportCommands, TheThreeByTwoMapExample) {
    MapGrid grid(3, 2);
    for (int i = 0; i < 6; ++i)
        grid.Cells[static_cast<std::size_t>(i)].Tile = static_cast<std::uint16_t>(i);
    const std::string mapPath = write("small.vxm", SerializeMap(grid, "").value());
    const std::string out = dir.file("small.asm");
    ASSERT_EQ(0, run({"export-map", mapPath, "-o", out}).status);
    const Bytes text = ReadBytes(out);
    EXPECT_EQ(testing::ReadDataText("cli/map-3x2-z80.asm"), std::string(text.begin(), text.end()));
    EXPECT_EQ((Bytes{0, 1, 2, 3, 4, 5}), assemble(out, kAssemblers[0]));
    ASSERT_EQ(0,
              run({"export-map", mapPath, "-o", out, "--dialect", "68k", "--offset", "16"}).status);
    EXPECT_EQ((Bytes{16, 17, 18, 19, 20, 21}), assemble(out, kAssemblers[1]));
}

TEST_F(ExportCommands, FailuresLeaveNoFileBehind) {
    const std::string setPath = writeTileSet(sampleSet());
    const std::string missing = dir.file("gone/out.asm");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"export-tiles", setPath, "-o", missing},
             {"export-binary", setPath, "-o", missing},
             {"import-binary", setPath, setPath, "-o", missing}}) {
        const CliRun result = run(args);
        EXPECT_EQ(1, result.status) << args[0];
        EXPECT_NE(std::string::npos, result.err.find(missing)) << result.err;
    }
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"export-tiles", setPath, "-o", "x", "--preset", "colour"},
             {"export-tiles", setPath, "-o", "x", "--block", "8by8"},
             {"export-map", setPath, "-o", "x", "--dialect", "6502"},
             {"import-binary", setPath, setPath, "-o", "x", "--at", "768"}})
        EXPECT_EQ(2, run(args).status) << args[2];
}

TEST_F(ExportCommands, ImportStopsAtTheLastSlot) {
    const std::string setPath = writeTileSet(sampleSet());
    const std::string bin = write("in.bin", Bytes(16 * 3 + 5, 0xFF));
    const std::string out = dir.file("out.vxt");
    const CliRun result = run({"import-binary", setPath, bin, "-o", out, "--at", "766"});
    ASSERT_EQ(0, result.status) << result.err;
    EXPECT_NE(std::string::npos, result.err.find("2 of 3 Tiles read"));
    const auto parsed = ParseTileSetFile(ReadBytes(out));
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(32, parsed->TileCount); // the slots beyond the count are not stored
}

} // namespace
} // namespace tessivar
