#include "core/files/TileSetFile.h"

#include "core/files/ByteReader.h"
#include "core/files/ByteWriter.h"

#include <algorithm>

namespace tessivar {

namespace {

template <typename Fn> void forEachComponent(Fn&& fn) {
    for (int s = 0; s < kPaletteSets; ++s)
        for (int p = 0; p < kPalettesPerSet; ++p)
            for (int c = 0; c < kColorsPerPalette; ++c)
                for (int k = 0; k < kComponentsPerColor; ++k)
                    fn(s, p, c, k);
}

const char* const kTruncated = "the file ends early";

} // namespace

bool HasTileSetMagic(std::span<const std::uint8_t> data) {
    const std::string magic = FileMagic(data);
    return magic == "VX03" || magic == "VX02" || magic == "VX01";
}

Result<TileSetFileContents> ParseTileSetFile(std::span<const std::uint8_t> data) {
    if (!HasTileSetMagic(data))
        return Fail("not a tile set file (unknown magic)");
    ByteReader in(data);
    TileSetFileContents file;
    const auto magic = in.bytes(4);
    file.version.assign(magic.begin(), magic.end());
    if (file.version == "VX03")
        file.associatedMap = in.fixedString(kPathFieldBytes);
    file.hasCategories = file.version != "VX01";

    forEachComponent([&](int s, int p, int c, int k) { file.palettes[s][p][c][k] = in.u8(); });
    file.tileCount = in.u16();
    if (in.failed())
        return Fail(kTruncated);
    if (file.tileCount > kMaxTiles)
        return Fail("the tile count " + std::to_string(file.tileCount) + " is above " +
                    std::to_string(kMaxTiles));
    // Pixels, palettes, palette sets and (when present) the category count must follow.
    if (in.remaining() < static_cast<std::size_t>(file.tileCount) * (kTileBytes + 2))
        return Fail(kTruncated);

    file.tiles.resize(file.tileCount);
    for (auto& tile : file.tiles) {
        const auto pixels = in.bytes(kTileBytes);
        std::copy(pixels.begin(), pixels.end(), tile.begin());
        if (std::any_of(tile.begin(), tile.end(), [](std::uint8_t v) { return v > 3; }))
            return Fail("a pixel value is above 3");
    }
    file.tilePalette.resize(file.tileCount);
    for (int& palette : file.tilePalette)
        if ((palette = in.u8()) >= kPalettesPerSet)
            return Fail("a tile palette number is above 7");
    file.tilePaletteSet.resize(file.tileCount);
    for (int& set : file.tilePaletteSet)
        if ((set = in.u8()) >= kPaletteSets)
            return Fail("a tile palette-set number is above 7");

    if (file.hasCategories) {
        const int count = in.u8();
        if (in.failed())
            return Fail(kTruncated);
        if (count > kMaxCategories)
            return Fail("the category count " + std::to_string(count) + " is above " +
                        std::to_string(kMaxCategories));
        const std::size_t perCategory = kCategoryNameBytes + 1 + 4u * file.tileCount;
        if (in.remaining() < perCategory * count)
            return Fail(kTruncated);
        file.categories.resize(count);
        file.values.resize(count);
        for (int c = 0; c < count; ++c) {
            const auto name = in.bytes(kCategoryNameBytes);
            std::copy(name.begin(), name.end(), file.categories[c].name.begin());
            file.categories[c].name.back() = '\0'; // a name without its NUL ends at 15
            file.categories[c].type = in.u8();
            file.values[c].resize(file.tileCount);
            for (auto& value : file.values[c])
                value = in.i32();
        }
    }
    if (in.failed())
        return Fail(kTruncated);
    return file;
}

void ApplyTileSetFile(const TileSetFileContents& file, TileSet& tileSet) {
    tileSet.paletteTable = file.palettes;
    tileSet.tileCount = file.tileCount;
    for (int n = 0; n < file.tileCount; ++n) {
        tileSet.tiles[n] = file.tiles[n];
        tileSet.tilePalette[n] = file.tilePalette[n];
        tileSet.tilePaletteSet[n] = file.tilePaletteSet[n];
    }
    if (!file.hasCategories)
        return;
    tileSet.categoryCount = static_cast<int>(file.categories.size());
    for (int c = 0; c < tileSet.categoryCount; ++c) {
        tileSet.categories[c] = file.categories[c];
        for (int n = 0; n < file.tileCount; ++n)
            tileSet.tileInfo[n][c] = file.values[c][n];
    }
}

Status CheckPathFitsField(const std::string& path, const std::string& whatPath) {
    if (path.size() < kPathFieldBytes)
        return Ok();
    return Fail("The " + whatPath + " \"" + path + "\" is " + std::to_string(path.size()) +
                " characters long; the file can store at most " +
                std::to_string(kPathFieldBytes - 1) + ". Save it under a shorter path first.");
}

Result<std::vector<std::uint8_t>> SerializeTileSet(const TileSet& tileSet,
                                                   const std::string& mapPath) {
    if (Status fits = CheckPathFitsField(mapPath, "map path"); !fits)
        return Fail(fits.error());
    ByteWriter out;
    out.raw("VX03");
    out.fixedString(mapPath, kPathFieldBytes);
    forEachComponent([&](int s, int p, int c, int k) { out.u8(tileSet.paletteTable[s][p][c][k]); });
    const int count = tileSet.tileCount;
    out.u16(count);
    for (int n = 0; n < count; ++n)
        for (auto pixel : tileSet.tiles[n])
            out.u8(pixel);
    for (int n = 0; n < count; ++n)
        out.u8(tileSet.tilePalette[n]);
    for (int n = 0; n < count; ++n)
        out.u8(tileSet.tilePaletteSet[n]);
    out.u8(tileSet.categoryCount);
    for (int c = 0; c < tileSet.categoryCount; ++c) {
        for (char ch : tileSet.categories[c].name)
            out.u8(static_cast<unsigned char>(ch));
        out.u8(tileSet.categories[c].type);
        for (int n = 0; n < count; ++n)
            out.i32(tileSet.tileInfo[n][c]);
    }
    return out.take();
}

} // namespace tessivar
