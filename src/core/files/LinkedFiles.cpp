#include "core/files/LinkedFiles.h"

#include "core/files/FileIo.h"

#include <filesystem>

namespace tessivar {

namespace {

template <typename Contents, typename Parse>
DocumentFile<Contents> ReadDocument(const std::string& path, std::uint64_t maxBytes, Parse parse) {
    DocumentFile<Contents> file{path, false, Fail("")};
    const auto data = ReadWholeFile(path, maxBytes);
    if (!data) {
        file.Loaded = Fail("cannot read " + path + ": " + data.error());
        return file;
    }
    file.Found = true;
    auto parsed = parse(*data);
    file.Loaded = parsed ? Result<Contents>(std::move(*parsed))
                         : Result<Contents>(Fail(path + ": " + parsed.error()));
    return file;
}

} // namespace

std::string ResolveLinkedPath(const std::string& stored, const std::string& namingFile) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path path(stored);
    if (stored.empty() || path.is_absolute() || fs::exists(path, error))
        return stored;
    const fs::path beside = fs::path(namingFile).parent_path() / path;
    return fs::exists(beside, error) ? beside.string() : stored;
}

DocumentFile<TileSetFileContents> ReadTileSetDocument(const std::string& path) {
    return ReadDocument<TileSetFileContents>(
        path, kLargestTileSetFileBytes, [](const auto& data) { return ParseTileSetFile(data); });
}

DocumentFile<MapFileContents> ReadMapDocument(const std::string& path) {
    return ReadDocument<MapFileContents>(path, kLargestMapFileBytes,
                                         [](const auto& data) { return ParseMapFile(data); });
}

std::optional<DocumentFile<MapFileContents>> ReadLinkedMap(const TileSetFileContents& tileSet,
                                                           const std::string& tileSetPath) {
    if (tileSet.AssociatedMap.empty())
        return std::nullopt;
    return ReadMapDocument(ResolveLinkedPath(tileSet.AssociatedMap, tileSetPath));
}

std::optional<DocumentFile<TileSetFileContents>> ReadLinkedTileSet(const MapFileContents& map,
                                                                   const std::string& mapPath) {
    if (map.TileSetPath.empty())
        return std::nullopt;
    return ReadTileSetDocument(ResolveLinkedPath(map.TileSetPath, mapPath));
}

} // namespace tessivar
