// Record packing, the source text and the tile binaries, on the examples users check
// their assembler output against.

#include "core/export/FormatEditing.h"
#include "core/export/FormatJson.h"
#include "core/export/RecordPacking.h"
#include "core/export/SourceExport.h"
#include "core/files/TileBinary.h"
#include "core/model/TileSet.h"

#include "../files/TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

namespace tessivar {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using Bytes = std::vector<std::uint8_t>;

// Two 8x8 Blocks: row 0 of Block 0 holds 3, 3, 2, 2, 1, 1, 0, 0; AnimNext 5 and 1.
TileSet exampleSet() {
    TileSet set;
    set.TileCount = 2;
    const ColorIndex row[8] = {3, 3, 2, 2, 1, 1, 0, 0};
    std::copy(row, row + 8, set.Tiles[0].begin());
    set.TileInfo[0][1] = 5;
    set.TileInfo[1][1] = 1;
    return set;
}

std::string text(const std::string& path) {
    const Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

ExportFormat formatOf(std::initializer_list<ExportProperty> properties, int sections = 1) {
    ExportFormat format;
    for (const auto& property : properties)
        format.AppendProperty(property);
    for (int s = 0; s < sections; ++s)
        format.AppendSection("s" + std::to_string(s + 1));
    return format;
}

Bytes tileRecord(const TileSet& set, const ExportFormat& given, int k, int s) {
    ExportFormat format = given;
    RefreshTileDataWidths(format, set.Block);
    Bytes record(static_cast<std::size_t>(SectionRecordBytes(format, s)));
    BuildTileSectionRecord(set, format, k, s, record);
    return record;
}

TEST(PackNumericField, FieldsRunLeastSignificantBitFirst) {
    const auto cat = PropertyKind::Category;
    struct Case {
        ExportFormat format;
        Bytes expected;
    } cases[] = {
        // Animated 1 (1 bit), 0 filler 3, 1 filler 4, a 12-bit ABC: "$F1,$BC,$0A".
        {formatOf({{cat, 3, 1, 1},
                   {PropertyKind::ZeroFiller, 0, 3, 1},
                   {PropertyKind::OneFiller, 0, 4, 1},
                   {cat, 4, 12, 1}}),
         {0xF1, 0xBC, 0x0A}},
        // 300 in 8 bits is cut to 2C; -1 in 40 bits repeats its sign bit.
        {formatOf({{cat, 5, 8, 1}}), {0x2C}},
        {formatOf({{cat, 6, 40, 1}}), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        // Straddling fields: 3 bits of 5, then 10 bits of 0x2AB, then a 0-width field.
        {formatOf({{cat, 7, 3, 1}, {cat, 8, 10, 1}, {cat, 5, 0, 1}}), {0x5D, 0x15}},
        // A field ending on bit 8 lets the next start cleanly on the next byte.
        {formatOf({{cat, 4, 8, 1}, {PropertyKind::OneFiller, 0, 2, 1}}), {0xBC, 0x03}},
        // Properties of sections that do not exist are ignored.
        {formatOf({{cat, 7, 8, 0}, {cat, 7, 8, 2}, {cat, 5, 8, 1}}), {0x2C}},
    };
    TileSet set;
    set.TileInfo[0][3] = 1;
    set.TileInfo[0][4] = 0xABC;
    set.TileInfo[0][5] = 300;
    set.TileInfo[0][6] = -1;
    set.TileInfo[0][7] = 5;
    set.TileInfo[0][8] = 0x2AB;
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, tileRecord(set, c.format, 0, 1)) << FormatToJson(c.format);
}

TEST(BuildTileSectionRecord, TileDataStartsOnAWholeByte) {
    TileSet set = exampleSet();
    set.TileInfo[0][3] = 7;
    const auto bw = PropertyKind::BwTileData;
    const Bytes afterSeven = {0x07, 0xF0, 0, 0, 0, 0, 0, 0, 0};
    struct Case {
        ExportFormat format;
        Bytes expected;
    } cases[] = {
        {formatOf({{PropertyKind::Category, 3, 8, 1}, {bw, 0, 64, 1}}), afterSeven},
        // 3 bits before the data: the data moves to the next byte, the record grows.
        {formatOf({{PropertyKind::Category, 3, 3, 1}, {bw, 0, 64, 1}}), afterSeven},
        {formatOf({{bw, 0, 64, 1}, {PropertyKind::OneFiller, 0, 2, 1}}),
         {0xF0, 0, 0, 0, 0, 0, 0, 0, 0x03}},
        // Fields after the data start again at bit 0.
        {formatOf({{PropertyKind::Category, 3, 3, 1},
                   {bw, 0, 64, 1},
                   {PropertyKind::OneFiller, 0, 2, 1}}),
         {0x07, 0xF0, 0, 0, 0, 0, 0, 0, 0, 0x03}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, tileRecord(set, c.format, 0, 1)) << FormatToJson(c.format);

    // Grayscale: the bit-1 plane, then the bit-0 plane.
    Bytes gray(16, 0);
    gray[0] = 0xF0;
    gray[8] = 0xCC;
    EXPECT_EQ(gray, tileRecord(set, TileFormatPreset(TilePreset::GrayOnly, set.Block), 0, 1));
}

TEST(BitPlanes, NarrowBlocksZeroInSourceAndKeepStoredPixelsInBinaries) {
    TileSet set;
    set.Block = {12, 2};
    set.TileCount = 2;
    set.Tiles[0].fill(3);
    set.Tiles[1].fill(2); // pixels 8..11 inside the Block, 12..15 stored beyond it
    EXPECT_EQ((Bytes{0xFF, 0xF0, 0xFF, 0xF0}),
              tileRecord(set, TileFormatPreset(TilePreset::BwOnly, set.Block), 0, 1));
    EXPECT_EQ((Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0x00}), SerializeTileBinary(set));
}

TEST(TileBinary, ExportAndImportLayouts) {
    const TileSet set = exampleSet();
    Bytes expected(32, 0);
    expected[0] = 0xF0;
    expected[8] = 0xCC;
    EXPECT_EQ(expected, SerializeTileBinary(set));

    // Every row differs: 2 on the diagonal, 1 on the other diagonal.
    TileSet diagonals;
    diagonals.TileCount = 1;
    for (int y = 0; y < 8; ++y) {
        diagonals.Tiles[0][static_cast<std::size_t>(y * 8 + y)] = 2;
        diagonals.Tiles[0][static_cast<std::size_t>(y * 8 + 7 - y)] = 1;
    }
    EXPECT_EQ((Bytes{0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01, //
                     0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}),
              SerializeTileBinary(diagonals));

    TileSet target;
    Bytes file(40, 0); // two Tiles, then 8 bytes that are ignored
    file[0] = 0x0F;
    file[1] = 0xF0;
    file[16] = 0xFF;
    const TileBinaryImport read = ImportTileBinary(file, 4, target);
    EXPECT_EQ(2, read.TilesRead);
    EXPECT_EQ((Tile{2, 2, 2, 2, 1, 1, 1, 1}), target.Tiles[4]);
    EXPECT_EQ(1, target.Tiles[5][0]);
    EXPECT_EQ(16, target.TileCount);

    // Near the end of the slots the import stops at the last one.
    TileSet last;
    const TileBinaryImport clipped = ImportTileBinary(Bytes(16 * 5, 0xFF), kMaxTiles - 2, last);
    EXPECT_EQ(5, clipped.TilesInFile);
    EXPECT_EQ(2, clipped.TilesRead);
    EXPECT_EQ(3, last.Tiles[kMaxTiles - 1][63]);

    // A partial last Block at the end of the slots reads no slot beyond them.
    TileSet full;
    full.TileCount = kMaxTiles;
    full.Block = {40, 8}; // 5 Tiles a Block: the last one starts at 765
    EXPECT_EQ(154u * 2 * 5 * 8, SerializeTileBinary(full).size());
}

TEST(SourceExport, WritesTheExampleFileExactly) {
    TempDir dir;
    const std::string path = dir.file("out.asm");
    const TileSet set = exampleSet();
    ASSERT_TRUE(ExportTileSource(set, TileFormatPreset(TilePreset::BwAnim, set.Block),
                                 SourceDialect::M68k, {true, true}, path));
    EXPECT_EQ(testing::ReadDataText("export/example-bw-anim-68k.asm"), text(path));

    // The Included list, empty labels and empty sections.
    ExportFormat format = formatOf({{PropertyKind::Category, 1, 8, 1}}, 2);
    format.SetLabel(1, "");
    ASSERT_TRUE(ExportTileSource(set, format, SourceDialect::Z80, {false, true, true}, path));
    EXPECT_EQ(";Tile data - Tessivar\r\n\r\n ;Tile 1\r\n .db $01\r\n", text(path));
}

// Rows of 250 cells: lines of 16 values and a shorter last one.
TEST(SourceExport, MapTextLongerThanTheWriteBufferComesOutWhole) {
    TempDir dir;
    const std::string path = dir.file("big.asm");
    constexpr int kWidth = 250;
    MapGrid map(kWidth, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < kWidth; ++x)
            map.At(y, x).Tile = static_cast<std::uint16_t>((x + y) % 256);
    ASSERT_TRUE(ExportMapSource(exampleSet(), map, MapFormatPreset(), SourceDialect::Z80, 0, path));
    std::string expected = ";Map data - Tessivar\r\n\r\n\r\nmapData:\r\n";
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            char byte[16];
            std::snprintf(byte, sizeof byte, "%s$%02X", x % 16 == 0 ? " .db " : "", (x + y) % 256);
            expected += byte;
            expected += x == kWidth - 1 ? "" : x % 16 == 15 ? "\r\n" : ",";
        }
        expected += " ;Row " + std::to_string(y) + "\r\n";
    }
    const std::string written = text(path);
    ASSERT_EQ(expected.size(), written.size());
    EXPECT_EQ(expected, written);
}

TEST(SourceExport, RefusesWhatCannotBeWrittenAndLeavesNothing) {
    TempDir dir;
    const TileSet set = exampleSet();
    const MapGrid map(3, 2);
    ExportFormat wide =
        formatOf({{PropertyKind::TileNumber, 0, 200, 1}, {PropertyKind::HorizontalFlip, 0, 57, 1}});
    ExportFormat negative = formatOf({{PropertyKind::ZeroFiller, 0, -3, 1}});
    const std::string out = dir.file("out.asm");
    EXPECT_NE(std::string::npos,
              ExportMapSource(set, map, wide, SourceDialect::Z80, 0, out).error().find("256 bits"));
    EXPECT_NE(
        std::string::npos,
        ExportTileSource(set, negative, SourceDialect::Z80, {true}, out).error().find("negative"));
    const std::string missing = dir.file("no/such/folder/out.asm");
    const Status status =
        ExportMapSource(set, map, MapFormatPreset(), SourceDialect::Z80, 0, missing);
    EXPECT_NE(std::string::npos, status.error().find(missing));
    struct stat info;
    EXPECT_NE(0, ::stat(out.c_str(), &info));
    EXPECT_FALSE(ExportTileBinary(set, missing));
}

TEST(ExportFormat, LimitsAndJsonRoundTrip) {
    ExportFormat format;
    for (int i = 0; i < kMaxExportProperties; ++i)
        EXPECT_TRUE(format.AppendProperty({PropertyKind::Category, i, i, i % 3}));
    EXPECT_FALSE(format.AppendProperty({}));
    EXPECT_FALSE(format.InsertProperty(1, {}));
    for (int s = 0; s < kMaxExportSections; ++s)
        EXPECT_TRUE(format.AppendSection(std::string(40, static_cast<char>('a' + s % 26))));
    EXPECT_FALSE(format.InsertSection(1));
    EXPECT_EQ(std::string(31, 'a'), format.Label(1));
    format.SetLabel(2, "with \"quotes\" \\");
    const auto back = ParseFormatJson(FormatToJson(format), false);
    ASSERT_TRUE(back) << back.error();
    EXPECT_EQ(format.PropertyCount, back->PropertyCount);
    for (int i = 0; i < format.PropertyCount; ++i)
        EXPECT_EQ(format.Properties[i], back->Properties[i]);
    for (int s = 1; s <= format.SectionCount; ++s)
        EXPECT_EQ(format.Label(s), back->Label(s));

    for (const char* bad : {"", "{\"properties\":[{\"kind\":\"tile\"}]}",
                            "{\"properties\":[{\"kind\":\"one\",\"bits\":-1}]}",
                            "{\"sections\":[\"x\"]} x", "{\"colour\":1}", "{\"sections\":[\"x\\",
                            "{\"properties\":[{\"kind\":\"category\",\"category\":64}]}"})
        EXPECT_FALSE(ParseFormatJson(bad, false)) << bad;
    EXPECT_TRUE(ParseFormatJson("{\"properties\":[{\"kind\":\"tile\"}]}", true));
}

TEST(FormatEditing, ChosenKindsTakeTheirSectionAndSectionSwapsStayInRange) {
    ExportFormat format = formatOf({{PropertyKind::Category, 0, 8, 3}}, 2);
    // The first row goes to section 1; the last and the empty row follow the row above.
    ASSERT_TRUE(ChoosePropertyKind(format, 1, PropertyKind::Category, 1, 0, {8, 8}));
    EXPECT_EQ(1, format.Properties[0].Section);
    format.Properties[0].Section = 2;
    ASSERT_TRUE(ChoosePropertyKind(format, 2, PropertyKind::Category, 2, 0, {8, 8}));
    ASSERT_EQ(2, format.PropertyCount);
    EXPECT_EQ(2, format.Properties[1].Section);
    format.Properties[0].Section = 4;
    ASSERT_TRUE(ChoosePropertyKind(format, 1, PropertyKind::Category, 3, 0, {8, 8}));
    EXPECT_EQ(1, format.Properties[0].Section);
    EXPECT_EQ(2, format.Properties[1].Section);

    EXPECT_TRUE(format.SwapSections(1, 2));
    EXPECT_EQ("s2", format.Label(1));
    EXPECT_EQ("s1", format.Label(2));
    EXPECT_FALSE(format.SwapSections(0, 1));
    EXPECT_FALSE(format.InsertSection(0));
    EXPECT_FALSE(format.SwapSections(2, 3));
    EXPECT_FALSE(format.DeleteSection(0));
    EXPECT_FALSE(format.DeleteSection(3));
    // Deleting a row moves the rows below it up.
    ExportFormat rows = formatOf({{PropertyKind::Category, 0, 1, 1},
                                  {PropertyKind::Category, 1, 2, 1},
                                  {PropertyKind::Category, 2, 3, 1}});
    EXPECT_FALSE(rows.DeleteProperty(0));
    EXPECT_FALSE(rows.DeleteProperty(4));
    ASSERT_TRUE(rows.DeleteProperty(1));
    ASSERT_EQ(2, rows.PropertyCount);
    EXPECT_EQ(1, rows.Properties[0].Category);
    EXPECT_EQ(2, rows.Properties[1].Category);
    // A typed label cannot carry a line break into the source.
    EXPECT_FALSE(TypeSectionLabel(format, 1, "a\r\n jp 0"));
    EXPECT_FALSE(TypeSectionLabel(format, 3, "\t"));
    EXPECT_EQ(2, format.SectionCount);
    EXPECT_EQ("s2", format.Label(1));
}

// Format files as the tool and the dialog read and export them: refused with a message
// naming what is wrong, or read with their escapes decoded exactly.
TEST(ExportFormat, FormatFileRefusalsAndExactEscapes) {
    const auto repeated = [](const char* property, int count) {
        std::string text = R"({"properties":[)";
        for (int i = 0; i < count; ++i)
            text += std::string(i ? "," : "") + property;
        return text + R"(],"sections":["a"]})";
    };
    const std::string many = repeated(R"({"kind":"one","bits":2147483647})", 32);
    const std::string nineWide = repeated(R"({"kind":"zero","bits":65536})", 9);
    const struct {
        std::string json;
        bool forMap;
        std::string refusal; // empty: exported, with section 1 labelled `label`
        std::string label;
    } rows[] = {
        {many, false, "property 1 is 2147483647 bits wide", ""},
        {R"({"properties":[{"kind":"tile","bits":268435456}],"sections":["m"]})", true,
         "property 1 is 268435456 bits wide", ""},
        {R"({"properties":[{"kind":"one","bits":8},{"kind":"one","bits":65537}]})", false,
         "property 2 is 65537 bits wide", ""},
        {R"({"properties":[{"kind":"one","bits":65536}],"sections":["w"]})", false, "", "w"},
        {nineWide, false, "needs 73728 bytes a record", ""},
        {R"({"properties":[{"kind":"tile","bits":200},{"kind":"hflip","bits":57}],"sections":["m"]})",
         true, "wider than 256 bits", ""},
        {R"({"properties":[{"kind":"one","bits":99999999999}]})", false, "32-bit integer", ""},
        {R"({"properties":[{"kind":"one","bits":-4294967288}]})", false, "32-bit integer", ""},
        {R"({"properties":[{"kind":"one","bits":8,"bits":"x"}]})", false, "a second member", ""},
        {R"({"sections":["a"],"sections":["b"]})", false, "a second member", ""},
        {R"({"sections":["a\r jp 0"]})", false, "control character", ""},
        {R"({"sections":["a\n jp 0"]})", false, "control character", ""},
        {R"({"sections":["a\b\f"]})", false, "control character", ""},
        {R"({"sections":["ab\u0000cd"]})", false, "control character", ""},
        {"{\"sections\":[\"a\tb\"]}", false, "control character", ""},
        {R"({"sections":["ab\uZZZZ"]})", false, "four hex digits", ""},
        {R"({"sections":["a\q"]})", false, "invalid escape \\q", ""},
        {R"({"sections":["a\ud800"]})", false, "lone surrogate", ""},
        {R"({"sections":["\u0041BC\u0064 \u00e9\u00FF\ud83d\ude00\ud83d\udfff\/\"\\"]})", false, "",
         "ABCd \xC3\xA9\xC3\xBF\xF0\x9F\x98\x80\xF0\x9F\x9F\xBF/\"\\"},
        // A property of a section that was deleted is ignored, not refused.
        {R"({"properties":[{"kind":"one","bits":8,"section":3}],"sections":["s"]})", false, "",
         "s"},
    };
    TempDir dir;
    const std::string out = dir.file("out.asm");
    for (const auto& row : rows) {
        const auto format = ParseFormatJson(row.json, row.forMap);
        std::string error = format.error();
        if (format)
            error = (row.forMap
                         ? ExportMapSource(exampleSet(), MapGrid(2, 2), *format, SourceDialect::Z80,
                                           0, out)
                         : ExportTileSource(exampleSet(), *format, SourceDialect::Z80, {true}, out))
                        .error();
        if (row.refusal.empty()) {
            EXPECT_EQ("", error) << row.json;
            EXPECT_EQ(row.label, format->Label(1));
        } else {
            EXPECT_NE(std::string::npos, error.find(row.refusal)) << row.json << ": " << error;
            EXPECT_EQ(0, testing::CountEntries(dir.path())) << row.json;
        }
        std::remove(out.c_str());
    }
}

TEST(PropertyCaption, KindNamesAndTheCategoryOfTheTileSet) {
    TileSet set;
    set.Categories[2].SetName("Solid");
    const std::pair<ExportProperty, std::string> rows[] = {
        {{PropertyKind::BwTileData, 0, 8, 1}, "B&W Tile Data"},
        {{PropertyKind::GrayTileData, 0, 8, 1}, "Grayscale Tile Data"},
        {{PropertyKind::ZeroFiller, 0, 8, 1}, "0 Filler"},
        {{PropertyKind::OneFiller, 0, 8, 1}, "1 Filler"},
        {{PropertyKind::TileNumber, 0, 8, 1}, "Tile #"},
        {{PropertyKind::HorizontalFlip, 0, 8, 1}, "Horizontal Flip"},
        {{PropertyKind::VerticalFlip, 0, 8, 1}, "Vertical Flip"},
        {{PropertyKind::Category, 2, 8, 1}, "Solid"},
        {{PropertyKind::Category, kMaxCategories, 8, 1}, ""},
        {{PropertyKind::Category, -1, 8, 1}, ""},
    };
    for (const auto& [property, caption] : rows)
        EXPECT_EQ(caption, PropertyCaption(property, set));
}

} // namespace
} // namespace tessivar
