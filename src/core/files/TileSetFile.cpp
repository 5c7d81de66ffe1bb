#include "core/files/TileSetFile.h"

#include "core/files/ByteReader.h"
#include "core/files/ByteWriter.h"

#include <algorithm>

namespace tessivar {

namespace {

template <typename Fn> void ForEachComponent(Fn&& fn) {
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
    const auto magic = in.Bytes(4);
    file.Version.assign(magic.begin(), magic.end());
    if (file.Version == "VX03")
        file.AssociatedMap = in.FixedString(kPathFieldBytes);
    file.HasCategories = file.Version != "VX01";

    ForEachComponent([&](int s, int p, int c, int k) { file.Palettes[s][p][c][k] = in.U8(); });
    file.TileCount = in.U16();
    if (in.Failed())
        return Fail(kTruncated);
    if (file.TileCount > kMaxTiles)
        return Fail("the tile count " + std::to_string(file.TileCount) + " is above " +
                    std::to_string(kMaxTiles));
    // Pixels, palettes, palette sets and (when present) the category count must follow.
    if (in.Remaining() < static_cast<std::size_t>(file.TileCount) * (kTileBytes + 2))
        return Fail(kTruncated);

    file.Tiles.resize(file.TileCount);
    for (auto& tile : file.Tiles) {
        const auto pixels = in.Bytes(kTileBytes);
        std::copy(pixels.begin(), pixels.end(), tile.begin());
        if (std::any_of(tile.begin(), tile.end(), [](std::uint8_t v) { return v > 3; }))
            return Fail("a pixel value is above 3");
    }
    file.TilePalette.resize(file.TileCount);
    for (int& palette : file.TilePalette)
        if ((palette = in.U8()) >= kPalettesPerSet)
            return Fail("a tile palette number is above 7");
    file.TilePaletteSet.resize(file.TileCount);
    for (int& set : file.TilePaletteSet)
        if ((set = in.U8()) >= kPaletteSets)
            return Fail("a tile palette-set number is above 7");

    if (file.HasCategories) {
        const int count = in.U8();
        if (in.Failed())
            return Fail(kTruncated);
        if (count > kMaxCategories)
            return Fail("the category count " + std::to_string(count) + " is above " +
                        std::to_string(kMaxCategories));
        const std::size_t perCategory = kCategoryNameBytes + 1 + 4u * file.TileCount;
        if (in.Remaining() < perCategory * count)
            return Fail(kTruncated);
        file.Categories.resize(count);
        file.Values.resize(count);
        for (int c = 0; c < count; ++c) {
            const auto name = in.Bytes(kCategoryNameBytes);
            std::copy(name.begin(), name.end(), file.Categories[c].Name.begin());
            file.Categories[c].Name.back() = '\0'; // a name without its NUL ends at 15
            file.Categories[c].Type = static_cast<CategoryType>(in.U8());
            file.Values[c].resize(file.TileCount);
            for (auto& value : file.Values[c])
                value = in.I32();
        }
    }
    if (in.Failed())
        return Fail(kTruncated);
    return file;
}

void ApplyTileSetFile(const TileSetFileContents& file, TileSet& tileSet) {
    tileSet.Palettes = file.Palettes;
    tileSet.TileCount = file.TileCount;
    for (int n = 0; n < file.TileCount; ++n) {
        tileSet.Tiles[n] = file.Tiles[n];
        tileSet.TilePalette[n] = file.TilePalette[n];
        tileSet.TilePaletteSet[n] = file.TilePaletteSet[n];
    }
    if (!file.HasCategories)
        return;
    tileSet.CategoryCount = static_cast<int>(file.Categories.size());
    for (int c = 0; c < tileSet.CategoryCount; ++c) {
        tileSet.Categories[c] = file.Categories[c];
        for (int n = 0; n < file.TileCount; ++n)
            tileSet.TileInfo[n][c] = file.Values[c][n];
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
    out.Raw("VX03");
    out.FixedString(mapPath, kPathFieldBytes);
    ForEachComponent([&](int s, int p, int c, int k) { out.U8(tileSet.Palettes[s][p][c][k]); });
    const int count = tileSet.TileCount;
    out.U16(count);
    for (int n = 0; n < count; ++n)
        for (auto pixel : tileSet.Tiles[n])
            out.U8(pixel);
    for (int n = 0; n < count; ++n)
        out.U8(tileSet.TilePalette[n]);
    for (int n = 0; n < count; ++n)
        out.U8(tileSet.TilePaletteSet[n]);
    out.U8(tileSet.CategoryCount);
    for (int c = 0; c < tileSet.CategoryCount; ++c) {
        for (char ch : tileSet.Categories[c].Name)
            out.U8(static_cast<unsigned char>(ch));
        out.U8(static_cast<int>(tileSet.Categories[c].Type));
        for (int n = 0; n < count; ++n)
            out.I32(tileSet.TileInfo[n][c]);
    }
    return out.Take();
}

} // namespace tessivar
