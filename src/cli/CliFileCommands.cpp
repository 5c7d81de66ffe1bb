// "info" and "upgrade": the tile set and map files seen from the command line.

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"

#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"
#include "core/model/TileSet.h"
#include "core/tileinfo/TileInfoTypes.h"
#include "core/util/JsonText.h"
#include "core/util/TextEncoding.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace tessivar::cli {

// Names and paths are UTF-8 when they are valid UTF-8 and Windows-1252 otherwise, so
// the document is always valid UTF-8.
std::string JsonString(const std::string& text) {
    return JsonQuoted(TextAsUtf8(text));
}

namespace {

std::string CategoryTypeNameOrUnknown(CategoryType type) {
    const std::string name = CategoryTypeName(type);
    return name.empty() ? "Unknown" : name;
}

// Every Tile in use with its palette, palette set and the value of each category, as
// the editor would hold them after opening the file:
//   "info":{"0":{"name":"Animated","value":0},"1":{...}}
std::string TileListJson(const TileSetFileContents& file) {
    const auto tileSet = std::make_unique<TileSet>();
    ApplyTileSetFile(file, *tileSet);
    std::string out = ",\"tiles\":[";
    for (int t = 0; t < tileSet->TileCount; ++t) {
        out += (t ? ",{\"tile\":" : "{\"tile\":") + std::to_string(t) +
               ",\"palette\":" + std::to_string(tileSet->TilePalette[t]) +
               ",\"paletteSet\":" + std::to_string(tileSet->TilePaletteSet[t]) + ",\"info\":{";
        // Keyed by the category's index: two categories may share a name.
        for (int c = 0; c < tileSet->CategoryCount; ++c)
            out += (c ? ",\"" : "\"") + std::to_string(c) +
                   "\":{\"name\":" + JsonString(tileSet->Categories[c].NameText()) +
                   ",\"value\":" + std::to_string(tileSet->TileInfo[t][c]) + "}";
        out += "}}";
    }
    return out + "]";
}

void PrintTileSet(const TileSetFileContents& file, bool json, bool tiles) {
    if (json) {
        std::string out = "{\"kind\":\"tileset\",\"version\":" + JsonString(file.Version) +
                          ",\"tileCount\":" + std::to_string(file.TileCount) +
                          ",\"map\":" + JsonString(file.AssociatedMap) + ",\"categories\":[";
        for (std::size_t c = 0; c < file.Categories.size(); ++c) {
            const auto& category = file.Categories[c];
            out += (c ? "," : "") + std::string("{\"name\":") + JsonString(category.NameText()) +
                   ",\"type\":" + std::to_string(static_cast<int>(category.Type)) +
                   ",\"typeName\":" + JsonString(CategoryTypeNameOrUnknown(category.Type)) + "}";
        }
        out += "]";
        if (tiles)
            out += TileListJson(file);
        std::puts((out + "}").c_str());
        return;
    }
    std::printf("Tile set, version %s\nTiles: %d\nMap: %s\n", file.Version.c_str(), file.TileCount,
                file.AssociatedMap.empty() ? "(none)" : file.AssociatedMap.c_str());
    if (!file.HasCategories) {
        std::puts("Categories: (none stored)");
        return;
    }
    std::printf("Categories: %zu\n", file.Categories.size());
    for (const auto& category : file.Categories)
        std::printf("  %-15s %s\n", category.NameText().c_str(),
                    CategoryTypeNameOrUnknown(category.Type).c_str());
}

void PrintMap(const MapFileContents& file, bool json) {
    if (json) {
        std::printf("{\"kind\":\"map\",\"version\":%s,\"width\":%d,\"height\":%d,\"tileSet\":%s}\n",
                    JsonString(file.Version).c_str(), file.Grid.Width, file.Grid.Height,
                    JsonString(file.TileSetPath).c_str());
        return;
    }
    std::printf("Map, version %s\nSize: %d columns x %d rows\nTile set: %s\n", file.Version.c_str(),
                file.Grid.Width, file.Grid.Height,
                file.TileSetPath.empty() ? "(none)" : file.TileSetPath.c_str());
}

} // namespace

int RunInfo(const Arguments& parsed) {
    if (parsed.Positional.size() != 1)
        return ReportUsage("info takes one file", parsed);
    const auto kind = ParseKindOption(parsed.Find("--kind"));
    if (!kind)
        return ReportUsage(kind.error(), parsed);
    const std::string& path = parsed.Positional[0];
    const bool json = parsed.Has("--json");
    const bool tiles = parsed.Has("--tiles");
    const auto read = LoadTileSetOrMap(path, *kind);
    if (!read)
        return ReportError(read.error());
    if (read->TileSet && tiles && !json)
        return ReportError("--tiles lists the Tiles as JSON: add --json");
    if (read->Map && tiles)
        return ReportError("--tiles describes a tile set; " + path + " is a map");
    if (read->TileSet)
        PrintTileSet(*read->TileSet, json, tiles);
    else
        PrintMap(*read->Map, json);
    return 0;
}

int RunUpgrade(const Arguments& parsed) {
    // The output is the second operand or -o, not both.
    std::vector<std::string> paths = parsed.Positional;
    if (const std::string* output = parsed.Find("-o"))
        paths.push_back(*output);
    if (paths.size() != 2 || paths[1].empty())
        return ReportUsage("upgrade takes an input and an output file", parsed);
    const auto kind = ParseKindOption(parsed.Find("--kind"));
    if (!kind)
        return ReportUsage(kind.error(), parsed);
    const auto read = LoadTileSetOrMap(paths[0], *kind);
    if (!read)
        return ReportError(read.error());
    // The output keeps the kind that was read; a name of the other kind is a mistake.
    OutputSet outputs;
    outputs.AddInput(paths[0], read->Kind());
    auto out = outputs.Add(paths[1], read->TileSet ? kTileSetOutput : kMapOutput);
    if (!out)
        return ReportRefusedOutput(outputs, out.error(), parsed);
    Status written;
    if (read->TileSet) {
        // What the editor would write after opening the file: an old tile set without
        // categories gets the built-in ones a fresh tile set has.
        const auto tileSet = std::make_unique<TileSet>();
        ApplyTileSetFile(*read->TileSet, *tileSet);
        written = WriteTileSet(**out, *tileSet, read->TileSet->AssociatedMap);
    } else {
        written = WriteMap(**out, read->Map->Grid, read->Map->TileSetPath);
    }
    return written ? CommitOutputs(outputs) : ReportError(written.error());
}

} // namespace tessivar::cli
