#pragma once

// Opening a tile set or map file by its path, and the document it names. A tile set
// names its map and a map its tile set; the editor and every command of the tool find
// that file by the one rule here.

#include "core/files/MapFile.h"
#include "core/files/TileSetFile.h"
#include "core/util/Result.h"

#include <optional>
#include <string>

namespace tessivar {

// The file a document names: the path as stored when a file is there (an absolute path,
// or one taken from the working folder, which in the editor is the folder it was started
// in), else the stored relative path taken from the folder of `namingFile`. When neither
// exists the stored path is returned, so that the failure names what the file holds.
std::string ResolveLinkedPath(const std::string& stored, const std::string& namingFile);

// A document file as read from `path`. Without contents, `found` tells a file that could
// not be read at all from one that holds no valid document; the failure names the path.
template <typename Contents> struct DocumentFile {
    std::string Path;
    bool Found = false;
    Result<Contents> Loaded = Fail("");
};

DocumentFile<TileSetFileContents> ReadTileSetDocument(const std::string& path);
DocumentFile<MapFileContents> ReadMapDocument(const std::string& path);

// The map a tile set names, and the tile set a map names, found by ResolveLinkedPath;
// nothing when the file names none.
std::optional<DocumentFile<MapFileContents>> ReadLinkedMap(const TileSetFileContents& tileSet,
                                                           const std::string& tileSetPath);
std::optional<DocumentFile<TileSetFileContents>> ReadLinkedTileSet(const MapFileContents& map,
                                                                   const std::string& mapPath);

} // namespace tessivar
