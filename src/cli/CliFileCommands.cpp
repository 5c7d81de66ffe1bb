// "info" and "upgrade": the tile set and map files seen from the command line.

#include "cli/CliCommands.h"

#include "core/files/AtomicFile.h"
#include "core/files/FileIo.h"
#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"
#include "core/model/TileSet.h"
#include "core/tileinfo/TileInfoTypes.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace tessivar::cli {

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "tessivar-cli: %s\n", message.c_str());
    return 1;
}

std::optional<std::vector<std::uint8_t>> readInput(const std::string& path) {
    auto data = ReadWholeFile(path, std::max(kLargestTileSetFileBytes, kLargestMapFileBytes));
    if (!data) {
        std::fprintf(stderr, "tessivar-cli: cannot read %s: %s\n", path.c_str(),
                     data.error().c_str());
        return std::nullopt;
    }
    return std::move(*data);
}

std::string categoryTypeName(int type) {
    const std::string name = CategoryTypeName(type);
    return name.empty() ? "Unknown" : name;
}

// Every Tile in use with its palette, palette set and the value of each category, as
// the editor would hold them after opening the file.
std::string tileListJson(const TileSetFileContents& file) {
    const auto tileSet = std::make_unique<TileSet>();
    ApplyTileSetFile(file, *tileSet);
    std::string out = ",\"tiles\":[";
    for (int t = 0; t < tileSet->tileCount; ++t) {
        out += (t ? ",{\"tile\":" : "{\"tile\":") + std::to_string(t) +
               ",\"palette\":" + std::to_string(tileSet->tilePalette[t]) +
               ",\"paletteSet\":" + std::to_string(tileSet->tilePaletteSet[t]) + ",\"info\":{";
        for (int c = 0; c < tileSet->categoryCount; ++c)
            out += (c ? "," : "") + JsonString(tileSet->categories[c].nameText()) + ":" +
                   std::to_string(tileSet->tileInfo[t][c]);
        out += "}}";
    }
    return out + "]";
}

void printTileSet(const TileSetFileContents& file, bool json, bool tiles) {
    if (json) {
        std::string out = "{\"kind\":\"tileset\",\"version\":" + JsonString(file.version) +
                          ",\"tileCount\":" + std::to_string(file.tileCount) +
                          ",\"map\":" + JsonString(file.associatedMap) + ",\"categories\":[";
        for (std::size_t c = 0; c < file.categories.size(); ++c) {
            const auto& category = file.categories[c];
            out += (c ? "," : "") + std::string("{\"name\":") + JsonString(category.nameText()) +
                   ",\"type\":" + std::to_string(category.type) +
                   ",\"typeName\":" + JsonString(categoryTypeName(category.type)) + "}";
        }
        out += "]";
        if (tiles)
            out += tileListJson(file);
        std::puts((out + "}").c_str());
        return;
    }
    std::printf("Tile set, version %s\nTiles: %d\nMap: %s\n", file.version.c_str(), file.tileCount,
                file.associatedMap.empty() ? "(none)" : file.associatedMap.c_str());
    if (!file.hasCategories) {
        std::puts("Categories: (none stored)");
        return;
    }
    std::printf("Categories: %zu\n", file.categories.size());
    for (const auto& category : file.categories)
        std::printf("  %-15s %s\n", category.nameText().c_str(),
                    categoryTypeName(category.type).c_str());
}

void printMap(const MapFileContents& file, bool json) {
    if (json) {
        std::printf("{\"kind\":\"map\",\"version\":%s,\"width\":%d,\"height\":%d,\"tileSet\":%s}\n",
                    JsonString(file.version).c_str(), file.grid.Width, file.grid.Height,
                    JsonString(file.tileSetPath).c_str());
        return;
    }
    std::printf("Map, version %s\nSize: %d columns x %d rows\nTile set: %s\n", file.version.c_str(),
                file.grid.Width, file.grid.Height,
                file.tileSetPath.empty() ? "(none)" : file.tileSetPath.c_str());
}

// "VX01" and "VX02" are magics of both kinds, and an old map can pass for a valid tile
// set (cells of zeros read as a set of 0 Tiles), so a ".vxm" or ".vxt" extension says
// which kind the file is; files named otherwise are tried as a tile set, then as a map.
struct ParsedFile {
    std::optional<TileSetFileContents> tileSet;
    std::optional<MapFileContents> map;
    std::string reason; // why neither kind was accepted
};

ParsedFile parseEitherKind(const std::string& path, std::span<const std::uint8_t> data) {
    std::string extension = ExtensionOf(path);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    ParsedFile parsed;
    std::string tileSetReason;
    if (extension != ".vxm") {
        auto tileSet = ParseTileSetFile(data);
        if (tileSet) {
            parsed.tileSet = std::move(*tileSet);
            return parsed;
        }
        tileSetReason = tileSet.error();
        if (extension == ".vxt") {
            parsed.reason = tileSetReason;
            return parsed;
        }
    }
    auto map = ParseMapFile(data);
    if (map) {
        parsed.map = std::move(*map);
        return parsed;
    }
    // A known magic tells which kind the file meant to be, and so which reason to give.
    if (extension == ".vxm" || (!HasTileSetMagic(data) && HasMapMagic(data)))
        parsed.reason = map.error();
    else if (HasTileSetMagic(data))
        parsed.reason = tileSetReason;
    else
        parsed.reason = "not a tile set or map file (unknown magic)";
    return parsed;
}

} // namespace

int RunInfo(const std::vector<std::string>& args) {
    std::string path;
    bool json = false;
    bool tiles = false;
    for (const auto& arg : args) {
        if (arg == "--json")
            json = true;
        else if (arg == "--tiles")
            tiles = true;
        else if (path.empty())
            path = arg;
        else
            return fail("info takes one file");
    }
    if (path.empty())
        return fail("usage: tessivar-cli info FILE [--json] [--tiles]");
    const auto data = readInput(path);
    if (!data)
        return 1;
    const ParsedFile parsed = parseEitherKind(path, *data);
    if (parsed.tileSet && tiles && !json)
        return fail("--tiles lists the Tiles as JSON: add --json");
    if (parsed.tileSet)
        printTileSet(*parsed.tileSet, json, tiles);
    else if (parsed.map && tiles)
        return fail("--tiles describes a tile set; " + path + " is a map");
    else if (parsed.map)
        printMap(*parsed.map, json);
    else
        return fail(path + ": " + parsed.reason);
    return 0;
}

int RunUpgrade(const std::vector<std::string>& args) {
    if (args.size() != 2)
        return fail("usage: tessivar-cli upgrade IN OUT");
    const auto data = readInput(args[0]);
    if (!data)
        return 1;
    const ParsedFile parsed = parseEitherKind(args[0], *data);
    if (!parsed.tileSet && !parsed.map)
        return fail(args[0] + ": " + parsed.reason);
    // What the editor would write after opening the file: an old tile set without
    // categories gets the built-in ones a fresh tile set has.
    TileSet tileSet;
    if (parsed.tileSet)
        ApplyTileSetFile(*parsed.tileSet, tileSet);
    const auto bytes = parsed.tileSet ? SerializeTileSet(tileSet, parsed.tileSet->associatedMap)
                                      : SerializeMap(parsed.map->grid, parsed.map->tileSetPath);
    const Status saved = bytes ? SaveFileAtomically(args[1], *bytes) : Status(Fail(bytes.error()));
    if (!saved)
        return fail(args[1] + ": " + saved.error());
    return 0;
}

} // namespace tessivar::cli
