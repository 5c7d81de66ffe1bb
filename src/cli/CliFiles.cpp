#include "cli/CliFiles.h"

#include "cli/CliArgs.h"

#include "core/files/AtomicFile.h"
#include "core/files/FileIo.h"
#include "core/files/OutputSet.h"
#include "core/model/TileSet.h"

#include <algorithm>
#include <cstdio>

namespace tessivar::cli {

namespace {

Status write(AtomicFile& file, const Result<std::vector<std::uint8_t>>& bytes) {
    if (!bytes)
        return Fail("cannot write " + file.targetPath() + ": " + bytes.error());
    file.Write(*bytes);
    return Ok();
}

template <typename Contents>
Result<Contents> loadKind(const std::string& path, std::optional<FileKind> kind, bool named,
                          FileKind wanted, std::optional<Contents> TileSetOrMap::*member) {
    auto read = LoadTileSetOrMap(path, kind, named ? std::optional(wanted) : std::nullopt);
    if (!read)
        return Fail(read.error());
    if (read->kind() != wanted)
        return Fail(path + " is a " + FileKindName(read->kind()) + ", not a " +
                    FileKindName(wanted));
    return std::move(*((*read).*member));
}

} // namespace

Result<std::optional<FileKind>> ParseKindOption(const std::string* text) {
    if (!text)
        return std::optional<FileKind>();
    if (*text == "tileset")
        return std::optional(FileKind::TileSet);
    if (*text == "map")
        return std::optional(FileKind::Map);
    return Fail("--kind takes tileset or map");
}

Result<TileSetOrMap> LoadTileSetOrMap(const std::string& path, std::optional<FileKind> kind,
                                      std::optional<FileKind> role) {
    const auto data = ReadWholeFile(path, std::max(kLargestTileSetFileBytes, kLargestMapFileBytes));
    if (!data)
        return Fail("cannot read " + path + ": " + data.error());
    auto read = ParseTileSetOrMap(*data, kind ? kind : FileKindFromExtension(path));
    if (!read)
        return Fail(path + ": " + read.error());
    if (read->ambiguous() && role) {
        if (*role == FileKind::TileSet)
            read->map.reset();
        else
            read->tileSet.reset();
    }
    if (read->ambiguous())
        return Fail(path + " reads both as a tile set and as a map; say which with "
                           "--kind tileset|map (or name it .vxt or .vxm)");
    return read;
}

Result<TileSetFileContents> LoadTileSetFile(const std::string& path, std::optional<FileKind> kind,
                                            bool named) {
    return loadKind(path, kind, named, FileKind::TileSet, &TileSetOrMap::tileSet);
}

Result<MapFileContents> LoadMapFile(const std::string& path, std::optional<FileKind> kind,
                                    bool named) {
    return loadKind(path, kind, named, FileKind::Map, &TileSetOrMap::map);
}

Status LoadTileSet(const std::string& path, std::optional<FileKind> kind, TileSet& tileSet,
                   std::string* associatedMap, bool named) {
    const auto file = LoadTileSetFile(path, kind, named);
    if (!file)
        return Fail(file.error());
    ApplyTileSetFile(*file, tileSet);
    if (associatedMap)
        *associatedMap = file->associatedMap;
    return Ok();
}

Status WriteTileSet(AtomicFile& file, const TileSet& tileSet, const std::string& mapPath) {
    return write(file, SerializeTileSet(tileSet, mapPath));
}

Status WriteMap(AtomicFile& file, const MapGrid& grid, const std::string& tileSetPath) {
    return write(file, SerializeMap(grid, tileSetPath));
}

int CommitOutputs(OutputSet& outputs) {
    const Status committed = outputs.Commit();
    return committed ? 0 : ReportError(committed.error());
}

void PrintNote(const std::string& text) {
    std::fprintf(stderr, "tessivar-cli: %s\n", text.c_str());
}

int ReportRefusedOutput(const OutputSet& outputs, const std::string& problem,
                        const Arguments& args) {
    return outputs.namesClash() ? ReportUsage(problem, args) : ReportError(problem);
}

} // namespace tessivar::cli
