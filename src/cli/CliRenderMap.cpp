// "render-map": the map picture of the editor's bitmap export, from the command line.

#include "cli/CliCommands.h"
#include "cli/CliFiles.h"

#include "core/mapeditor/MapPicture.h"
#include "core/model/TileSet.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace tessivar::cli {

namespace {

constexpr const char* kRenderUsage =
    "usage: tessivar-cli render-map MAP.vxm -o OUT.bmp|OUT.png [--tileset SET.vxt] [--kind map]";

int fail(const std::string& message) {
    std::fprintf(stderr, "tessivar-cli: %s\n", message.c_str());
    return 1;
}

// The tile set a map names may be stored relative to where the editor ran; when it is
// not found as it stands, it is looked for beside the map.
std::string locateTileSet(const std::string& stored, const std::string& mapPath) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::exists(stored, error) || fs::path(stored).is_absolute())
        return stored;
    const fs::path beside = fs::path(mapPath).parent_path() / stored;
    return fs::exists(beside, error) ? beside.string() : stored;
}

} // namespace

int RunRenderMap(const std::vector<std::string>& args) {
    std::string mapPath, outPath, tileSetPath;
    std::optional<FileKind> kind;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "-o" && hasValue)
            outPath = args[++i];
        else if (arg == "--tileset" && hasValue)
            tileSetPath = args[++i];
        else if (arg == "--kind" && hasValue) {
            auto parsed = ParseKindOption(&args[++i]);
            if (!parsed)
                return fail(parsed.error());
            kind = *parsed;
        } else if (!arg.empty() && arg[0] != '-' && mapPath.empty())
            mapPath = arg;
        else
            return fail(kRenderUsage);
    }
    if (mapPath.empty() || outPath.empty())
        return fail(kRenderUsage);

    const auto map = LoadMapFile(mapPath, kind);
    if (!map)
        return fail(map.error());

    // The tile set is large (every slot and category): keep it off the stack.
    auto tileSet = std::make_unique<TileSet>();
    if (tileSetPath.empty() && !map->tileSetPath.empty())
        tileSetPath = locateTileSet(map->tileSetPath, mapPath);
    if (tileSetPath.empty()) {
        std::fprintf(stderr, "tessivar-cli: %s names no tile set; drawing blank Tiles\n",
                     mapPath.c_str());
    } else {
        const Status loaded = LoadTileSet(tileSetPath, std::nullopt, *tileSet, nullptr, true);
        if (!loaded)
            return fail(loaded.error());
    }

    const Status written = WriteMapPicture(*tileSet, map->grid, outPath, PictureFormatFor(outPath));
    if (!written)
        return fail("cannot write " + outPath + ": " + written.error());
    return 0;
}

} // namespace tessivar::cli
