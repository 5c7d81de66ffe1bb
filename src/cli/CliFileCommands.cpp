// "info" and "upgrade": the tile set and map files seen from the command line.

#include "CliCommands.h"

#include "files/FileIo.h"
#include "files/MapFile.h"
#include "files/TileSetFile.h"
#include "model/TileSet.h"

#include <cstdio>
#include <optional>
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
    auto data = ReadWholeFile(path);
    if (!data)
        std::fprintf(stderr, "tessivar-cli: cannot read %s\n", path.c_str());
    return data;
}

const char* categoryTypeName(int type) {
    switch (type) {
    case 0:
        return "Boolean";
    case 1:
        return "Byte";
    case 2:
        return "Word";
    case 3:
        return "Time";
    default:
        return "Unknown";
    }
}

void printTileSet(const TileSetFileContents& file, bool json) {
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
        std::puts((out + "]}").c_str());
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
        std::printf("  %-15s %s\n", category.nameText().c_str(), categoryTypeName(category.type));
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

} // namespace

int RunInfo(const std::vector<std::string>& args) {
    std::string path;
    bool json = false;
    for (const auto& arg : args) {
        if (arg == "--json")
            json = true;
        else if (path.empty())
            path = arg;
        else
            return fail("info takes one file");
    }
    if (path.empty())
        return fail("usage: tessivar-cli info FILE [--json]");
    const auto data = readInput(path);
    if (!data)
        return 1;
    const auto tileSet = ParseTileSetFile(*data);
    if (tileSet.ok) {
        printTileSet(tileSet.contents, json);
        return 0;
    }
    const auto map = ParseMapFile(*data);
    if (map.ok) {
        printMap(map.contents, json);
        return 0;
    }
    // A known magic tells which kind the file meant to be, and so which reason to give.
    const std::string& reason = !tileSet.badMagic ? tileSet.reason
                                : !map.badMagic   ? map.reason
                                                  : "not a tile set or map file (unknown magic)";
    return fail(path + ": " + reason);
}

int RunUpgrade(const std::vector<std::string>& args) {
    if (args.size() != 2)
        return fail("usage: tessivar-cli upgrade IN OUT");
    const auto data = readInput(args[0]);
    if (!data)
        return 1;
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (const auto tileSetFile = ParseTileSetFile(*data); tileSetFile.ok) {
        // What the editor would write after opening the file: an old file without
        // categories gets the built-in ones a fresh tile set has.
        TileSet tileSet;
        ApplyTileSetFile(tileSetFile.contents, tileSet);
        auto serialized = SerializeTileSet(tileSet, tileSetFile.contents.associatedMap);
        bytes = std::move(serialized.bytes);
        error = serialized.error;
    } else if (const auto mapFile = ParseMapFile(*data); mapFile.ok) {
        auto serialized = SerializeMap(mapFile.contents.grid, mapFile.contents.tileSetPath);
        bytes = std::move(serialized.bytes);
        error = serialized.error;
    } else {
        const std::string& reason = !tileSetFile.badMagic ? tileSetFile.reason
                                    : !mapFile.badMagic   ? mapFile.reason
                                                          : "not a tile set or map file";
        return fail(args[0] + ": " + reason);
    }
    if (error.empty())
        error = SaveFileAtomically(args[1], bytes);
    if (!error.empty())
        return fail(args[1] + ": " + error);
    return 0;
}

} // namespace tessivar::cli
