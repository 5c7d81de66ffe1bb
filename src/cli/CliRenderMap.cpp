// "render-map": the map picture of the editor's bitmap export, from the command line.

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDepFile.h"
#include "cli/CliFiles.h"

#include "core/files/LinkedFiles.h"
#include "core/mapeditor/MapPicture.h"
#include "core/model/TileSet.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace tessivar::cli {

int RunRenderMap(const Arguments& parsed) {
    if (parsed.Positional.size() != 1 || parsed.Value("-o").empty())
        return ReportUsage("render-map needs one map and -o OUTPUT", parsed);
    const auto kind = ParseKindOption(parsed.Find("--kind"));
    if (!kind)
        return ReportUsage(kind.error(), parsed);
    const std::string& mapPath = parsed.Positional[0];
    const std::string outPath = parsed.Value("-o");
    std::string tileSetPath = parsed.Value("--tileset");

    const auto map = LoadMapFile(mapPath, *kind);
    if (!map)
        return ReportError(map.error());
    if (tileSetPath.empty() && !map->TileSetPath.empty())
        tileSetPath = ResolveLinkedPath(map->TileSetPath, mapPath);
    OutputSet outputs;
    outputs.AddInput(mapPath, FileKind::Map);
    outputs.AddInput(tileSetPath, FileKind::TileSet);
    auto out = outputs.Add(outPath, kBinaryOutput);
    if (!out)
        return ReportRefusedOutput(outputs, out.error(), parsed);

    // The tile set is large (every slot and category): keep it off the stack.
    auto tileSet = std::make_unique<TileSet>();
    if (const Status loaded = LoadMapTileSet(tileSetPath, *map, mapPath, *tileSet); !loaded)
        return ReportError(loaded.error());

    const Status written = WriteMapPicture(*tileSet, map->Grid, **out, PictureFormatFor(outPath));
    if (!written)
        return ReportError("cannot write " + outPath + ": " + written.error());
    return CommitOutputs(outputs);
}

} // namespace tessivar::cli
