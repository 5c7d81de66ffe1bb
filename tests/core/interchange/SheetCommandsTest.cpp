// The editor's tile sheet and tile binary exports and imports and the map editor's binary
// export: the file dialogs, what they write and store, and the reports of failures.

#include "../../common/ScriptedPrompts.h"
#include "../files/TestFiles.h"
#include "../picture/PngTestReader.h"
#include "core/export/MapBinaryCommand.h"
#include "core/export/TileBinaryCommands.h"
#include "core/interchange/TileSheetCommands.h"
#include "core/workspace/Workspace.h"

#include <gtest/gtest.h>

#include <memory>

namespace tessivar {
namespace {

// Rows of a 16 x 8 sheet in colours: the left Tile black, the right one white.
Result<TileSheetRows> twoTiles(const std::string&) {
    auto row = std::make_shared<int>(0);
    return TileSheetRows{16, 8, false, [row](std::span<std::uint8_t> bgr) {
                             for (std::size_t i = 24; i < bgr.size(); ++i)
                                 bgr[i] = 255;
                             return Ok();
                         }};
}

TEST(SheetCommands, ImportStoresTheSheetsTilesAtTheCurrentTile) {
    testing::ScriptedPrompts prompts;
    auto workspace = std::make_unique<Workspace>(prompts);
    workspace->CurrentTileSet.Tiles[5].fill(2);
    workspace->Editing.CurrentTile = 5;
    const Palette palette = workspace->CurrentTileSet.Palettes[0][0];
    prompts.files = {std::nullopt, "sheet.png"};
    auto import = [&](bool overwrite, const TileSheetOpener& open) {
        return ImportTileSheetCommand(workspace->CurrentTileSet, workspace->Editing, workspace->Map,
                                      prompts, overwrite, open);
    };
    EXPECT_EQ(import(false, twoTiles).Views, 0u); // cancelled
    const DocumentChange stored = import(false, twoTiles);
    EXPECT_TRUE(stored.TileSetModified);
    EXPECT_TRUE(stored.Views & TileSetReshaped);
    EXPECT_EQ(workspace->CurrentTileSet.TileCount, 18); // inserted before Tile 5
    Tile black;
    black.fill(1); // the darker of the two colours
    EXPECT_EQ(workspace->CurrentTileSet.Tiles[5], black);
    EXPECT_EQ(workspace->CurrentTileSet.Tiles[6], Tile{});
    EXPECT_EQ(workspace->CurrentTileSet.Tiles[7][0], 2);
    EXPECT_TRUE(workspace->CurrentTileSet.Palettes[0][0] == palette);

    prompts.files = {"bad.png"};
    EXPECT_FALSE(import(true, [](const std::string&) {
                     return Result<TileSheetRows>(Fail("not a picture"));
                 }).TileSetModified);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, "Import Error");
    EXPECT_NE(prompts.messages[0].text.find("not a picture"), std::string::npos);
}

// Tiles read at the current Tile modify the set; a file without a whole Tile does not.
TEST(SheetCommands, TileBinariesAreReadAtTheCurrentTile) {
    testing::ScriptedPrompts prompts;
    const auto tileSet = std::make_unique<TileSet>();
    TileEditorState editing;
    editing.CurrentTile = 10;
    testing::TempDir dir;
    std::vector<std::uint8_t> ones(16);
    for (std::size_t row = 0; row < 16; row += 2)
        ones[row] = 0xFF; // bit 0 of every pixel
    testing::WriteBytes(dir.file("one.bin"), ones);
    testing::WriteBytes(dir.file("short.bin"), std::vector<std::uint8_t>(15));
    prompts.files = {dir.file("one.bin"), dir.file("short.bin")};
    EXPECT_TRUE(ImportTileBinariesCommand(*tileSet, editing, prompts).TileSetModified);
    Tile expected;
    expected.fill(1);
    EXPECT_EQ(tileSet->Tiles[10], expected);
    EXPECT_FALSE(ImportTileBinariesCommand(*tileSet, editing, prompts).TileSetModified);
}

TEST(SheetCommands, ExportsWriteTheChosenFileOrSayWhyNot) {
    testing::ScriptedPrompts prompts;
    auto workspace = std::make_unique<Workspace>(prompts);
    workspace->Editing.CurrentPaletteSet = 1;
    workspace->Editing.CurrentPalette = 2;
    workspace->CurrentTileSet.Palettes[1][2][0] = {0, 0, 31}; // red
    workspace->Map.ReplaceMapGrid(3, 1);
    for (int c = 0; c < 3; ++c)
        workspace->Map.Grid.At(0, c).Tile = static_cast<std::uint16_t>(c * 2);
    testing::TempDir dir;
    prompts.files = {dir.file("s.png"), dir.file("m.bin"), dir.file("no/s.png"),
                     dir.file("no/m.bin")};
    EXPECT_TRUE(ExportTileSheetCommand(workspace->CurrentTileSet, workspace->Editing, prompts));
    EXPECT_EQ(testing::DecodePng(dir.file("s.png")).palette[0], 0xF80000u);
    EXPECT_TRUE(ExportMapBinaryCommand(workspace->CurrentTileSet, workspace->Map.Grid,
                                       MapFormatPreset(), 1, prompts));
    EXPECT_EQ(testing::ReadBytes(dir.file("m.bin")), (std::vector<std::uint8_t>{1, 3, 5}));
    EXPECT_FALSE(ExportTileSheetCommand(workspace->CurrentTileSet, workspace->Editing, prompts));
    EXPECT_FALSE(ExportMapBinaryCommand(workspace->CurrentTileSet, workspace->Map.Grid,
                                        MapFormatPreset(), 1, prompts));
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].caption, "File Error");
    EXPECT_EQ(prompts.messages[1].caption, "File Error");
}

} // namespace
} // namespace tessivar
