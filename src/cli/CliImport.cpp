// "import" and "optimize": the image import and the tile set optimisation without a
// window, giving the same files the editor saves after the same commands.

#include "cli/CliCommands.h"
#include "cli/CliFiles.h"

#include "core/imageimport/ImageImport.h"
#include "core/imageimport/TileSetOptimizer.h"
#include "core/model/LenientInteger.h"
#include "qtpicture/QtPictureReader.h"

#include <cstdio>
#include <filesystem>
#include <new>
#include <optional>

namespace tessivar::cli {

namespace {

constexpr const char* kImportUsage =
    "usage: tessivar-cli import PICTURE -o OUT.vxt [--into SET.vxt] [--at TILE] [--insert]\n"
    "         [--map OUT.vxm] [--size WxH] [--dither PCT] [--bw]\n"
    "         [--mode full|duplicates|none] [--kind tileset|map] [--json]";
constexpr const char* kOptimizeUsage =
    "usage: tessivar-cli optimize SET.vxt -o OUT.vxt [--map MAP.vxm --map-out OUT.vxm]\n"
    "         [--kind tileset|map] [--json]";

// Nothing is asked on the command line: the documents start unmodified.
class NoPrompts : public UserPrompts {
public:
    void showMessage(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "tessivar-cli: %s\n", text.c_str());
    }
    Answer askYesNoCancel(const std::string&, const std::string&) override { return Answer::No; }
    std::optional<std::string> chooseFileToOpen(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseFileToSave(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<Rgb> chooseColor(const Rgb&) override { return std::nullopt; }
};

int usageError(const std::string& problem, const char* usage) {
    std::fprintf(stderr, "tessivar-cli: %s\n%s\n", problem.c_str(), usage);
    return 2;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "tessivar-cli: %s\n", message.c_str());
    return 1;
}

// Options of the form "--name VALUE"; flags without a value are listed in `flags`.
struct Arguments {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;
    std::string error;

    const std::string* find(const std::string& name) const {
        for (const auto& [key, value] : options)
            if (key == name)
                return &value;
        return nullptr;
    }
    bool has(const std::string& name) const { return find(name) != nullptr; }
};

Arguments parseArguments(const std::vector<std::string>& args,
                         const std::vector<std::string>& valued,
                         const std::vector<std::string>& flags) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (std::find(flags.begin(), flags.end(), arg) != flags.end()) {
            parsed.options.emplace_back(arg, "");
        } else if (std::find(valued.begin(), valued.end(), arg) != valued.end()) {
            if (i + 1 >= args.size()) {
                parsed.error = arg + " needs a value";
                return parsed;
            }
            if (parsed.has(arg)) {
                parsed.error = arg + " given twice";
                return parsed;
            }
            parsed.options.emplace_back(arg, args[++i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            parsed.error = "unknown option " + arg;
            return parsed;
        } else {
            parsed.positional.push_back(arg);
        }
    }
    return parsed;
}

std::optional<int> wholeNumber(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        text.size() > 9)
        return std::nullopt;
    return std::stoi(text);
}

std::string absolutePath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

std::optional<DuplicateMode> modeNamed(const std::string& name) {
    if (name == "full")
        return DuplicateMode::Full;
    if (name == "duplicates")
        return DuplicateMode::Duplicates;
    if (name == "none")
        return DuplicateMode::None;
    return std::nullopt;
}

std::optional<ImportSize> sizeNamed(const std::string& text) {
    const auto x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    const auto width = wholeNumber(text.substr(0, x));
    const auto height = wholeNumber(text.substr(x + 1));
    if (!width || !height)
        return std::nullopt;
    return ImportSize{*width, *height};
}

} // namespace

int RunImport(const std::vector<std::string>& args) {
    const Arguments parsed = parseArguments(
        args, {"-o", "--into", "--at", "--map", "--size", "--dither", "--mode", "--kind"},
        {"--insert", "--bw", "--json"});
    if (!parsed.error.empty())
        return usageError(parsed.error, kImportUsage);
    if (parsed.positional.size() != 1 || !parsed.has("-o"))
        return usageError("import needs one picture and -o OUT.vxt", kImportUsage);
    const std::string output = *parsed.find("-o");
    const std::string mapOutput = parsed.has("--map") ? *parsed.find("--map") : "";
    const auto kind = ParseKindOption(parsed.find("--kind"));
    if (!kind)
        return usageError(kind.error(), kImportUsage);
    if (*kind && !parsed.has("--into"))
        return usageError("--kind tells the kind of the --into file", kImportUsage);

    ImportOptions options;
    options.overwrite = !parsed.has("--insert");
    options.createMap = !mapOutput.empty();
    if (const auto* mode = parsed.find("--mode")) {
        const auto named = modeNamed(*mode);
        if (!named)
            return usageError("unknown mode " + *mode, kImportUsage);
        options.mode = *named;
    }
    ConversionSettings settings;
    settings.grayscale = !parsed.has("--bw");
    if (const auto* dither = parsed.find("--dither")) {
        const auto value = wholeNumber(*dither);
        if (!value)
            return usageError("--dither needs a whole number", kImportUsage);
        settings.ditherPercent = *value;
    }
    int at = 0;
    if (const auto* text = parsed.find("--at")) {
        const auto value = wholeNumber(*text);
        if (!value || *value >= kMaxTiles)
            return usageError("--at needs a Tile number below 768", kImportUsage);
        at = *value;
    }

    NoPrompts prompts;
    Workspace workspace(prompts);
    workspace.editing.resetForNew();
    workspace.tileSet.resetForNew();
    std::string associatedMap;
    if (const auto* into = parsed.find("--into"))
        if (const Status loaded = LoadTileSet(*into, *kind, workspace.tileSet, &associatedMap);
            !loaded)
            return fail(loaded.error());
    workspace.editing.CurrentTile = at;

    std::optional<ConvertedPicture> picture;
    {
        Result<BitmapImage> source = ReadPicture(parsed.positional[0]);
        if (!source)
            return fail(parsed.positional[0] + ": " + source.error());
        settings.size = DefaultImportSize(source->Width(), source->Height());
        if (const auto* size = parsed.find("--size")) {
            const auto named = sizeNamed(*size);
            if (!named)
                return usageError("--size needs WIDTHxHEIGHT", kImportUsage);
            settings.size = *named;
        }
        try {
            auto converted = ConvertPicture(*source, settings);
            if (!converted)
                return fail(converted.error());
            picture = std::move(*converted);
        } catch (const std::bad_alloc&) {
            return fail("not enough memory to convert the picture");
        }
    } // the source picture is released here

    Result<ImportSummary> summary = Fail("");
    try {
        summary = ImportConvertedImage(workspace, *picture, options);
    } catch (const std::bad_alloc&) {
        return fail("not enough memory to import the picture");
    }
    if (!summary)
        return fail(summary.error());
    picture.reset();

    if (!options.createMap && !options.overwrite && !associatedMap.empty())
        std::fprintf(stderr,
                     "tessivar-cli: note: the map %s named by the tile set was not renumbered\n",
                     associatedMap.c_str());
    const std::string setLink = options.createMap ? absolutePath(mapOutput) : associatedMap;
    if (options.createMap)
        if (const Status saved = SaveMap(mapOutput, workspace.map.grid, absolutePath(output));
            !saved)
            return fail(saved.error());
    if (const Status saved = SaveTileSet(output, workspace.tileSet, setLink); !saved)
        return fail(saved.error());

    if (parsed.has("--json")) {
        std::printf("{\"tilesCut\":%zu,\"tilesKept\":%zu,\"firstTile\":%d,\"tileCount\":%d,"
                    "\"mapWidth\":%d,\"mapHeight\":%d,\"tileSet\":%s,\"map\":%s}\n",
                    summary->tilesCut, summary->tilesKept, summary->firstSlot,
                    workspace.tileSet.tileCount, summary->mapWidth, summary->mapHeight,
                    JsonString(output).c_str(), JsonString(mapOutput).c_str());
    } else {
        std::printf("Picture converted to %d x %d pixels\nTiles cut: %zu\nTiles kept: %zu "
                    "(stored from Tile %d; the set now holds %d)\n",
                    settings.size.width, settings.size.height, summary->tilesCut,
                    summary->tilesKept, summary->firstSlot, workspace.tileSet.tileCount);
        if (options.createMap)
            std::printf("Map: %d columns x %d rows\n", summary->mapWidth, summary->mapHeight);
    }
    return 0;
}

int RunOptimize(const std::vector<std::string>& args) {
    const Arguments parsed =
        parseArguments(args, {"-o", "--map", "--map-out", "--kind"}, {"--json"});
    if (!parsed.error.empty())
        return usageError(parsed.error, kOptimizeUsage);
    if (parsed.positional.size() != 1 || !parsed.has("-o"))
        return usageError("optimize needs one tile set and -o OUT.vxt", kOptimizeUsage);
    if (parsed.has("--map") != parsed.has("--map-out"))
        return usageError("--map and --map-out go together", kOptimizeUsage);
    const std::string output = *parsed.find("-o");
    const auto kind = ParseKindOption(parsed.find("--kind"));
    if (!kind)
        return usageError(kind.error(), kOptimizeUsage);

    NoPrompts prompts;
    Workspace workspace(prompts);
    std::string associatedMap;
    if (const Status loaded =
            LoadTileSet(parsed.positional[0], *kind, workspace.tileSet, &associatedMap);
        !loaded)
        return fail(loaded.error());
    std::string mapOutput;
    if (const auto* mapPath = parsed.find("--map")) {
        auto map = LoadMapFile(*mapPath, std::nullopt, true);
        if (!map)
            return fail(map.error());
        workspace.map.grid = std::move(map->grid);
        mapOutput = *parsed.find("--map-out");
    }
    const int before = workspace.tileSet.tileCount;
    const int removed = OptimizeTileSet(workspace);

    if (!mapOutput.empty()) {
        if (const Status saved = SaveMap(mapOutput, workspace.map.grid, absolutePath(output));
            !saved)
            return fail(saved.error());
        associatedMap = absolutePath(mapOutput);
    }
    if (const Status saved = SaveTileSet(output, workspace.tileSet, associatedMap); !saved)
        return fail(saved.error());
    if (parsed.has("--json"))
        std::printf("{\"tilesBefore\":%d,\"tilesRemoved\":%d,\"tilesKept\":%d,\"mapWidth\":%d,"
                    "\"mapHeight\":%d}\n",
                    before, removed, workspace.tileSet.tileCount,
                    mapOutput.empty() ? 0 : workspace.map.Width(),
                    mapOutput.empty() ? 0 : workspace.map.Height());
    else
        std::printf("Tiles before: %d\nTiles removed: %d\nTiles kept: %d\n", before, removed,
                    workspace.tileSet.tileCount);
    return 0;
}

} // namespace tessivar::cli
