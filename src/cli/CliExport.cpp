// "export-tiles", "export-map", "export-binary" and "import-binary": the source and
// binary exports for Makefiles.

#include "cli/CliCommands.h"
#include "cli/CliFiles.h"

#include "core/export/ExportFormat.h"
#include "core/export/FormatJson.h"
#include "core/export/SourceExport.h"
#include "core/files/FileIo.h"
#include "core/files/TileBinary.h"
#include "core/model/TileSet.h"
#include "core/tileeditor/BlockSizeCommands.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

namespace tessivar::cli {

namespace {

int usage(const std::string& problem, const char* text) {
    std::fprintf(stderr, "tessivar-cli: %s\nusage: tessivar-cli %s\n", problem.c_str(), text);
    return 2;
}

int failure(const std::string& message) {
    std::fprintf(stderr, "tessivar-cli: %s\n", message.c_str());
    return 1;
}

// Splits the arguments into positional ones and the values of the named options; a
// problem is returned as text.
struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
};

std::optional<std::string> splitArguments(const std::vector<std::string>& args,
                                          const std::vector<std::string>& known, Arguments& out) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 1 && arg[0] == '-') {
            bool isKnown = false;
            for (const auto& name : known)
                isKnown = isKnown || name == arg;
            if (!isKnown)
                return "unknown option " + arg;
            if (i + 1 >= args.size())
                return arg + " needs a value";
            if (out.options.count(arg))
                return arg + " given twice";
            out.options[arg] = args[++i];
        } else {
            out.positional.push_back(arg);
        }
    }
    return std::nullopt;
}

std::optional<int> strictInteger(const std::string& text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "WxH" into a Block size the Tile Size dialog would accept.
std::optional<std::string> parseBlock(const Arguments& args, BlockSize& block) {
    const auto found = args.options.find("--block");
    if (found == args.options.end())
        return std::nullopt;
    const std::string& text = found->second;
    const auto x = text.find('x');
    const auto width = strictInteger(text.substr(0, x));
    const auto height = x == std::string::npos ? std::nullopt : strictInteger(text.substr(x + 1));
    if (!width || !height)
        return "--block takes WIDTHxHEIGHT, such as 16x16";
    if (const std::string problem = CheckCustomBlockSize(*width, *height); !problem.empty())
        return "--block " + text + ": " + problem;
    block = BlockSize{*width, *height};
    return std::nullopt;
}

std::optional<std::string> parseDialect(const Arguments& args, SourceDialect& dialect) {
    const auto found = args.options.find("--dialect");
    if (found == args.options.end())
        return std::nullopt;
    if (found->second == "z80")
        dialect = SourceDialect::Z80;
    else if (found->second == "68k")
        dialect = SourceDialect::M68k;
    else
        return "--dialect takes z80 or 68k";
    return std::nullopt;
}

// --kind, when given.
std::optional<std::string> parseKind(const Arguments& args, std::optional<FileKind>& kind) {
    const auto found = args.options.find("--kind");
    if (found == args.options.end())
        return std::nullopt;
    const auto named = ParseKindOption(&found->second);
    if (!named)
        return named.error();
    kind = *named;
    return std::nullopt;
}

std::optional<std::string> loadFormat(const Arguments& args, bool forMap, ExportFormat& format) {
    const auto found = args.options.find("--format");
    if (found == args.options.end())
        return std::nullopt;
    auto parsed = ReadFormatFile(found->second, forMap);
    if (!parsed)
        return parsed.error();
    format = *parsed;
    return std::nullopt;
}

std::string outputOf(const Arguments& args) {
    const auto found = args.options.find("-o");
    return found == args.options.end() ? std::string() : found->second;
}

constexpr const char* kTilesUsage =
    "export-tiles SET.vxt -o OUT.asm [--dialect z80|68k] [--preset bw|gray|bw-anim|gray-anim] "
    "[--format FORMAT.json] [--block WxH] [--blocks FROM-TO] [--kind tileset|map]";
constexpr const char* kMapUsage =
    "export-map MAP.vxm -o OUT.asm [--dialect z80|68k] [--format FORMAT.json] [--offset N] "
    "[--block WxH] [--tileset SET.vxt] [--kind tileset|map]";
constexpr const char* kBinaryUsage =
    "export-binary SET.vxt -o OUT.bin [--block WxH] [--kind tileset|map]";
constexpr const char* kImportUsage =
    "import-binary SET.vxt IN.bin -o OUT.vxt [--at TILE] [--kind tileset|map]";

} // namespace

int RunExportTiles(const std::vector<std::string>& argv) {
    Arguments args;
    if (auto problem = splitArguments(
            argv, {"-o", "--dialect", "--preset", "--format", "--block", "--blocks", "--kind"},
            args))
        return usage(*problem, kTilesUsage);
    if (args.positional.size() != 1 || outputOf(args).empty())
        return usage("export-tiles needs one tile set and -o OUTPUT", kTilesUsage);
    if (args.options.count("--preset") && args.options.count("--format"))
        return usage("--preset and --format exclude each other", kTilesUsage);
    TileSet tileSet;
    SourceDialect dialect = SourceDialect::Z80;
    std::optional<FileKind> kind;
    if (auto problem = parseBlock(args, tileSet.block))
        return usage(*problem, kTilesUsage);
    if (auto problem = parseKind(args, kind))
        return usage(*problem, kTilesUsage);
    if (auto problem = parseDialect(args, dialect))
        return usage(*problem, kTilesUsage);
    TilePreset preset = TilePreset::BwOnly;
    if (const auto found = args.options.find("--preset"); found != args.options.end()) {
        const std::map<std::string, TilePreset> presets = {{"bw", TilePreset::BwOnly},
                                                           {"gray", TilePreset::GrayOnly},
                                                           {"bw-anim", TilePreset::BwAnim},
                                                           {"gray-anim", TilePreset::GrayAnim}};
        if (!presets.count(found->second))
            return usage("--preset takes bw, gray, bw-anim or gray-anim", kTilesUsage);
        preset = presets.at(found->second);
    }
    ExportFormat format = TileFormatPreset(preset, tileSet.block);
    if (auto problem = loadFormat(args, false, format))
        return failure(*problem);
    if (const Status loaded = LoadTileSet(args.positional[0], kind, tileSet); !loaded)
        return failure(loaded.error());

    const int blocks = tileSet.blockCount();
    int from = 0;
    int to = blocks - 1;
    if (const auto found = args.options.find("--blocks"); found != args.options.end()) {
        const auto dash = found->second.find('-', 1);
        const auto first = strictInteger(found->second.substr(0, dash));
        const auto last =
            dash == std::string::npos ? first : strictInteger(found->second.substr(dash + 1));
        if (!first || !last)
            return usage("--blocks takes FROM-TO, such as 0-15", kTilesUsage);
        from = *first;
        to = *last;
    }
    std::vector<bool> included(static_cast<std::size_t>(blocks));
    for (int k = 0; k < blocks; ++k)
        included[static_cast<std::size_t>(k)] = from <= k && k <= to;
    const Status exported = ExportTileSource(tileSet, format, dialect, included, outputOf(args));
    return exported ? 0 : failure(exported.error());
}

int RunExportMap(const std::vector<std::string>& argv) {
    Arguments args;
    if (auto problem = splitArguments(
            argv, {"-o", "--dialect", "--format", "--offset", "--block", "--tileset", "--kind"},
            args))
        return usage(*problem, kMapUsage);
    if (args.positional.size() != 1 || outputOf(args).empty())
        return usage("export-map needs one map and -o OUTPUT", kMapUsage);
    TileSet tileSet;
    SourceDialect dialect = SourceDialect::Z80;
    std::optional<FileKind> kind;
    if (auto problem = parseBlock(args, tileSet.block))
        return usage(*problem, kMapUsage);
    if (auto problem = parseKind(args, kind))
        return usage(*problem, kMapUsage);
    if (auto problem = parseDialect(args, dialect))
        return usage(*problem, kMapUsage);
    int offset = 0;
    if (const auto found = args.options.find("--offset"); found != args.options.end()) {
        const auto value = strictInteger(found->second);
        if (!value)
            return usage("--offset takes an integer", kMapUsage);
        offset = *value;
    }
    ExportFormat format = MapFormatPreset();
    if (auto problem = loadFormat(args, true, format))
        return failure(*problem);
    const auto map = LoadMapFile(args.positional[0], kind);
    if (!map)
        return failure(map.error());
    // Categories come from the tile set: the one given, else the one the map names.
    std::string tileSetPath = map->tileSetPath;
    if (const auto found = args.options.find("--tileset"); found != args.options.end())
        tileSetPath = found->second;
    if (args.options.count("--tileset") || (format.usesCategories() && !tileSetPath.empty())) {
        if (const Status loaded = LoadTileSet(tileSetPath, std::nullopt, tileSet, nullptr, true);
            !loaded)
            return failure(loaded.error());
    } else if (format.usesCategories()) {
        return failure("the format exports tile information: give --tileset");
    }
    const Status exported =
        ExportMapSource(tileSet, map->grid, format, dialect, offset, outputOf(args));
    return exported ? 0 : failure(exported.error());
}

int RunExportBinary(const std::vector<std::string>& argv) {
    Arguments args;
    if (auto problem = splitArguments(argv, {"-o", "--block", "--kind"}, args))
        return usage(*problem, kBinaryUsage);
    if (args.positional.size() != 1 || outputOf(args).empty())
        return usage("export-binary needs one tile set and -o OUTPUT", kBinaryUsage);
    TileSet tileSet;
    std::optional<FileKind> kind;
    if (auto problem = parseBlock(args, tileSet.block))
        return usage(*problem, kBinaryUsage);
    if (auto problem = parseKind(args, kind))
        return usage(*problem, kBinaryUsage);
    if (const Status loaded = LoadTileSet(args.positional[0], kind, tileSet); !loaded)
        return failure(loaded.error());
    const Status exported = ExportTileBinary(tileSet, outputOf(args));
    return exported ? 0 : failure(exported.error());
}

int RunImportBinary(const std::vector<std::string>& argv) {
    Arguments args;
    if (auto problem = splitArguments(argv, {"-o", "--at", "--kind"}, args))
        return usage(*problem, kImportUsage);
    if (args.positional.size() != 2 || outputOf(args).empty())
        return usage("import-binary needs a tile set, a binary and -o OUTPUT", kImportUsage);
    int at = 0;
    if (const auto found = args.options.find("--at"); found != args.options.end()) {
        const auto value = strictInteger(found->second);
        if (!value || *value < 0 || *value >= kMaxTiles)
            return usage("--at takes a Tile number 0..767", kImportUsage);
        at = *value;
    }
    std::optional<FileKind> kind;
    if (auto problem = parseKind(args, kind))
        return usage(*problem, kImportUsage);
    TileSet tileSet;
    std::string associatedMap;
    if (const Status loaded = LoadTileSet(args.positional[0], kind, tileSet, &associatedMap);
        !loaded)
        return failure(loaded.error());
    const auto binary = ReadWholeFile(args.positional[1], std::uint64_t{16} * kMaxTiles * 1024);
    if (!binary)
        return failure("cannot read " + args.positional[1] + ": " + binary.error());
    const TileBinaryImport imported = ImportTileBinary(*binary, at, tileSet);
    if (imported.tilesRead < imported.tilesInFile)
        std::fprintf(stderr, "tessivar-cli: %d of %d Tiles read; the Tile slots end at %d\n",
                     imported.tilesRead, imported.tilesInFile, kMaxTiles - 1);
    const Status saved = SaveTileSet(outputOf(args), tileSet, associatedMap);
    return saved ? 0 : failure(saved.error());
}

} // namespace tessivar::cli
