// "export-tmx" and "import-tmx": maps to and from the general tile map editor.

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDepFile.h"
#include "cli/CliFiles.h"

#include "core/files/FileIo.h"
#include "core/files/LinkedFiles.h"
#include "core/interchange/TmxExport.h"
#include "core/interchange/TmxImport.h"
#include "core/model/TileSet.h"

#include <memory>

namespace tessivar::cli {

int RunExportTmx(const Arguments& parsed) {
    if (parsed.Positional.size() != 1 || parsed.Value("-o").empty())
        return ReportUsage("export-tmx needs one map and -o LEVEL.tmx", parsed);
    const auto kind = ParseKindOption(parsed.Find("--kind"));
    if (!kind)
        return ReportUsage(kind.error(), parsed);
    const std::string& mapPath = parsed.Positional[0];

    const auto map = LoadMapFile(mapPath, *kind);
    if (!map)
        return ReportError(map.error());
    OutputSet outputs;
    outputs.AddInput(mapPath, FileKind::Map);
    outputs.AddInput(parsed.Value("--tileset").empty()
                         ? ResolveLinkedPath(map->TileSetPath, mapPath)
                         : parsed.Value("--tileset"),
                     FileKind::TileSet);
    auto tileSet = std::make_unique<TileSet>();
    if (const Status loaded = LoadMapTileSet(parsed.Value("--tileset"), *map, mapPath, *tileSet);
        !loaded)
        return ReportError(loaded.error());
    // The sheets and the TMX file are replaced together once all of them are complete.
    const Status written =
        ExportTmx(*tileSet, map->Grid, map->TileSetPath, parsed.Value("-o"),
                  [&](const std::string& path) { return outputs.Add(path, kFileOutput); });
    if (!written)
        return ReportRefusedOutput(outputs, mapPath + ": " + written.error(), parsed);
    return CommitOutputs(outputs);
}

int RunImportTmx(const Arguments& parsed) {
    if (parsed.Positional.size() != 1 || parsed.Value("-o").empty())
        return ReportUsage("import-tmx needs one TMX file and -o OUT.vxm", parsed);
    const std::string& tmxPath = parsed.Positional[0];

    const auto text = ReadWholeFile(tmxPath, kLargestTmxFileBytes);
    if (!text)
        return ReportError("cannot read " + tmxPath + ": " + text.error());
    NoteInputFile(tmxPath);
    auto map = ParseTmx(*text);
    if (!map)
        return ReportError(tmxPath + ": " + map.error());
    if (const std::string* named = parsed.Find("--tileset")) {
        // The map names the given tile set, which must be one.
        auto tileSet = std::make_unique<TileSet>();
        if (const Status loaded = LoadTileSet(*named, std::nullopt, *tileSet, nullptr, true);
            !loaded)
            return ReportError(loaded.error());
        map->TileSetPath = *named;
    }
    OutputSet outputs;
    outputs.AddInput(tmxPath);
    outputs.AddInput(parsed.Value("--tileset"), FileKind::TileSet);
    auto out = outputs.Add(parsed.Value("-o"), kMapOutput);
    if (!out)
        return ReportRefusedOutput(outputs, out.error(), parsed);
    if (const Status written = WriteMap(**out, map->Grid, map->TileSetPath); !written)
        return ReportError(written.error());
    return CommitOutputs(outputs);
}

} // namespace tessivar::cli
