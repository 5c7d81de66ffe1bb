// Damaged files through the load commands: every truncation and a wide spread of single
// byte changes. A damaged file is either refused with the invalid-file message and no
// document touched, or, when the change is harmless, loaded as a whole.

#include "WorkspaceFixture.h"

#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"

namespace tessivar {
namespace {

using testing::BuildMapImage;
using testing::BuildTileSetImage;
using testing::SampleGrid;
using testing::SampleTileSet;
using testing::ScriptedPrompts;
using testing::ShownText;
using testing::TempDir;
using testing::WriteBytes;

enum class Expect { Refused, Loaded, Either };

const ShownText kOpenInvalid{"This is not a valid Tessivar file.", "Tessivar"};
const ShownText kLoadInvalid{"Tile set is not a valid Tessivar file.", "Tessivar"};
const ShownText kMapNotFound{"The associated map could not be found.", "File Error"};

// ---- Which field a byte belongs to, and whether a new value there is acceptable ----

struct TileSetShape {
    std::string version;
    int tiles;
    int categories;
};

Expect judgeTileSetByte(const TileSetShape& shape, const std::vector<std::uint8_t>& altered,
                        std::size_t offset) {
    const int value = altered[offset];
    if (offset < 4)
        return offset == 3 && value >= '1' && value <= '3' ? Expect::Either : Expect::Refused;
    const std::size_t base = shape.version == "VX03" ? 260 : 4;
    if (offset < base + 768)
        return Expect::Loaded; // map path or a palette component
    const std::size_t n = shape.tiles;
    if (offset < base + 770) {
        const int count = altered[base + 768] | altered[base + 769] << 8;
        if (count > shape.tiles)
            return Expect::Refused; // above 768, or more data than the file holds
        return count == shape.tiles ? Expect::Loaded : Expect::Either;
    }
    const std::size_t pixels = base + 770;
    if (offset < pixels + 64 * n)
        return value > 3 ? Expect::Refused : Expect::Loaded;
    if (offset < pixels + 66 * n)
        return value > 7 ? Expect::Refused : Expect::Loaded;
    if (offset == pixels + 66 * n && shape.version != "VX01")
        return value > shape.categories ? Expect::Refused : Expect::Loaded;
    return Expect::Loaded; // names, types, values, trailing bytes
}

struct MapShape {
    std::string version;
    int width, height;
};

Expect judgeMapByte(const MapShape& shape, const std::vector<std::uint8_t>& altered,
                    std::size_t offset) {
    const int value = altered[offset];
    if (offset < 4)
        return offset == 3 && (value == '1' || value == '2') ? Expect::Either : Expect::Refused;
    if (offset < 260)
        return Expect::Loaded;
    if (offset < 264) {
        const int width = altered[260] | altered[261] << 8;
        const int height = altered[262] | altered[263] << 8;
        const bool inRange = width >= 1 && height >= 1 && width <= 2048 && height <= 2048;
        // Smaller sizes read the same records in the same order, just reshaped.
        return inRange && width * height <= shape.width * shape.height ? Expect::Loaded
                                                                       : Expect::Refused;
    }
    return Expect::Loaded; // every cell byte is stored as read, palettes 0..255 too
}

// ---- One load of one damaged file into a workspace holding known documents ----

enum class Loader { LoadTileSetFile, OpenTileSet, LoadMapFile, OpenMap };

struct Baseline {
    Baseline() {
        ScriptedPrompts quiet;
        Workspace ws(quiet);
        const auto set = BuildTileSetImage("VX03", SampleTileSet(40, 5, 9));
        const auto grid = BuildMapImage("VX02", SampleGrid(11, 7));
        ApplyTileSetFile(ParseTileSetFile(set).value(), ws.CurrentTileSet);
        ws.CurrentTileSet.Block = BlockSize{16, 8};
        ws.Editing.CurrentTile = 6;
        ws.Editing.CurrentPaletteSet = 4;
        ws.Editing.CurrentPalette = 2;
        ws.Editing.CurrentFileName = "before.vxt";
        ws.Map.Grid = ParseMapFile(grid).value().Grid;
        ws.Map.MapFileName = "before.vxm";
        tileSet = ws.CurrentTileSet;
        editing = ws.Editing;
        map = ws.Map;
    }
    TileSet tileSet;
    TileEditorState editing;
    MapDocument map;
};

class DamagedFileCheck {
public:
    DamagedFileCheck(const Baseline& baseline, const std::string& path)
        : baseline_(baseline)
        , path_(path) {}

    void run(Loader loader, const std::vector<std::uint8_t>& bytes, Expect expect) {
        WriteBytes(path_, bytes);
        prompts_.forget();
        ws_.CurrentTileSet = baseline_.tileSet;
        ws_.Editing = baseline_.editing;
        ws_.Map = baseline_.map;
        const std::string tileTitle = TileEditorTitle(ws_.Editing);
        const std::string mapTitle = MapEditorTitle(ws_.Map);
        load(loader);
        check(loader, bytes, expect, tileTitle, mapTitle);
    }

private:
    void check(Loader loader, const std::vector<std::uint8_t>& bytes, Expect expect,
               const std::string& tileTitle, const std::string& mapTitle) {
        const auto& ws = ws_;
        const bool isTileSet = loader == Loader::LoadTileSetFile || loader == Loader::OpenTileSet;
        const ShownText invalid = loader == Loader::LoadTileSetFile ? kLoadInvalid : kOpenInvalid;
        const auto& messages = prompts_.messages;
        const bool refused = !messages.empty() && messages.front() == invalid;
        if (expect != Expect::Either) {
            ASSERT_EQ(expect == Expect::Refused, refused) << ::testing::PrintToString(messages);
        }
        if (refused) {
            EXPECT_EQ(std::vector<ShownText>{invalid}, messages);
            EXPECT_TRUE(baseline_.tileSet == ws.CurrentTileSet);
            EXPECT_TRUE(baseline_.editing == ws.Editing);
            EXPECT_EQ(baseline_.map.Grid, ws.Map.Grid);
            EXPECT_EQ(baseline_.map.MapFileName, ws.Map.MapFileName);
            EXPECT_EQ(tileTitle, TileEditorTitle(ws.Editing));
            EXPECT_EQ(mapTitle, MapEditorTitle(ws.Map));
            return;
        }
        // Loaded: only the associated map's absence may have been reported.
        const ShownText allowed =
            isTileSet ? kMapNotFound : ShownText{"Tile set could not be located.", "Tessivar"};
        for (const auto& message : messages)
            EXPECT_EQ(allowed, message);
        if (isTileSet) {
            const auto parsed = ParseTileSetFile(bytes);
            ASSERT_TRUE(parsed.ok());
            TileSet expected = baseline_.tileSet;
            ApplyTileSetFile(*parsed, expected);
            EXPECT_TRUE(expected == ws.CurrentTileSet);
            EXPECT_EQ(path_, ws.Editing.CurrentFileName);
        } else {
            const auto parsed = ParseMapFile(bytes);
            ASSERT_TRUE(parsed.ok());
            EXPECT_EQ(parsed->Grid, ws.Map.Grid);
            EXPECT_EQ(path_, ws.Map.MapFileName);
        }
    }

    void load(Loader loader) {
        if (loader == Loader::OpenTileSet || loader == Loader::OpenMap)
            prompts_.choosePath(path_);
        switch (loader) {
        case Loader::LoadTileSetFile:
            return void(ws_.LoadTileSetFile(path_));
        case Loader::OpenTileSet:
            return ws_.OpenTileSet();
        case Loader::LoadMapFile:
            return void(ws_.LoadMapFile(path_, false));
        case Loader::OpenMap:
            return ws_.OpenMap();
        }
    }

    const Baseline& baseline_;
    std::string path_;
    ScriptedPrompts prompts_;
    Workspace ws_{prompts_};
};

struct DamagedFile {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::vector<Loader> loaders;
    std::function<Expect(const std::vector<std::uint8_t>&, std::size_t)> judge;
};

std::vector<DamagedFile> damagedFiles() {
    std::vector<DamagedFile> files;
    for (const char* version : {"VX03", "VX02", "VX01"}) {
        const TileSet set = SampleTileSet(2, 2, 3);
        const TileSetShape shape{version, set.TileCount, set.CategoryCount};
        files.push_back({version,
                         BuildTileSetImage(version, set),
                         {Loader::LoadTileSetFile, Loader::OpenTileSet},
                         [shape](const auto& bytes, std::size_t at) {
                             return judgeTileSetByte(shape, bytes, at);
                         }});
    }
    for (const char* version : {"VX02", "VX01"}) {
        const MapShape shape{version, 4, 3};
        files.push_back({version == std::string("VX02") ? "map VX02" : "map VX01",
                         BuildMapImage(version, SampleGrid(shape.width, shape.height)),
                         {Loader::LoadMapFile, Loader::OpenMap},
                         [shape](const auto& bytes, std::size_t at) {
                             return judgeMapByte(shape, bytes, at);
                         }});
    }
    return files;
}

class CorruptFiles : public ::testing::Test {
protected:
    TempDir dir;
    Baseline baseline;
};

TEST_F(CorruptFiles, EveryTruncationIsRefusedAndChangesNothing) {
    for (const auto& file : damagedFiles()) {
        DamagedFileCheck check(baseline, dir.file("damaged"));
        for (std::size_t length = 0; length < file.bytes.size(); ++length) {
            SCOPED_TRACE(std::string(file.name) + " cut at " + std::to_string(length));
            const std::vector<std::uint8_t> cut(file.bytes.begin(),
                                                file.bytes.begin() + static_cast<long>(length));
            for (Loader loader : file.loaders)
                check.run(loader, cut, Expect::Refused);
            if (HasFatalFailure())
                return;
        }
        check.run(file.loaders.front(), file.bytes, Expect::Loaded);
    }
}

TEST_F(CorruptFiles, EverySingleByteChangeIsRefusedOrLoadedWhole) {
    for (const auto& file : damagedFiles()) {
        DamagedFileCheck check(baseline, dir.file("damaged"));
        for (std::size_t offset = 0; offset < file.bytes.size(); ++offset) {
            const int original = file.bytes[offset];
            for (int value : {(original + 1) & 0xFF, 0xFF, 8}) {
                if (value == original)
                    continue;
                SCOPED_TRACE(std::string(file.name) + " byte " + std::to_string(offset) + " = " +
                             std::to_string(value));
                auto altered = file.bytes;
                altered[offset] = static_cast<std::uint8_t>(value);
                check.run(file.loaders.front(), altered, file.judge(altered, offset));
                if (HasFatalFailure())
                    return;
            }
        }
    }
}

} // namespace
} // namespace tessivar
