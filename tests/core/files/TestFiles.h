#pragma once

// Test-only helpers for the tile set and map files: a byte builder that lays out file
// images field by field (independently of the program's writers, so the writers can be
// checked against it), sample documents with recognisable contents, and a temporary
// directory that cleans up after itself.

#include "core/model/MapDocument.h"
#include "core/model/TileSet.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace tessivar::testing {

class FileImageBuilder {
public:
    FileImageBuilder& text(std::string_view s) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    // A string in a NUL-padded field of `size` bytes.
    FileImageBuilder& field(std::string_view s, std::size_t size) {
        text(s);
        bytes.resize(bytes.size() + size - s.size(), 0);
        return *this;
    }
    FileImageBuilder& u8(int value) {
        bytes.push_back(static_cast<std::uint8_t>(value));
        return *this;
    }
    FileImageBuilder& u16(int value) { return u8(value & 0xFF).u8((value >> 8) & 0xFF); }
    FileImageBuilder& i32(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        return u16(static_cast<int>(bits & 0xFFFF)).u16(static_cast<int>(bits >> 16));
    }

    std::vector<std::uint8_t> bytes;
};

// A tile set file of any version, written from the layout table: magic, (VX03) map
// path, palettes, count, pixels, palettes, palette sets, (VX02/VX03) categories stored
// category-major.
inline std::vector<std::uint8_t> BuildTileSetImage(std::string_view magic, const TileSet& set,
                                                   std::string_view mapPath = {}) {
    FileImageBuilder out;
    out.text(magic);
    if (magic == "VX03")
        out.field(mapPath, 256);
    for (const auto& paletteSet : set.Palettes)
        for (const auto& palette : paletteSet)
            for (const auto& color : palette)
                for (int component : color)
                    out.u8(component);
    const int n = set.TileCount;
    out.u16(n);
    for (int t = 0; t < n; ++t)
        for (auto pixel : set.Tiles[t])
            out.u8(pixel);
    for (int t = 0; t < n; ++t)
        out.u8(set.TilePalette[t]);
    for (int t = 0; t < n; ++t)
        out.u8(set.TilePaletteSet[t]);
    if (magic == "VX01")
        return out.bytes;
    out.u8(set.CategoryCount);
    for (int c = 0; c < set.CategoryCount; ++c) {
        for (char ch : set.Categories[c].Name)
            out.u8(static_cast<unsigned char>(ch));
        out.u8(static_cast<int>(set.Categories[c].Type));
        for (int t = 0; t < n; ++t)
            out.i32(set.TileInfo[t][c]);
    }
    return out.bytes;
}

inline std::vector<std::uint8_t> BuildMapImage(std::string_view magic, const MapGrid& grid,
                                               std::string_view tileSetPath = {}) {
    FileImageBuilder out;
    out.text(magic).field(tileSetPath, 256).u16(grid.Width).u16(grid.Height);
    for (const auto& cell : grid.Cells) {
        out.u16(cell.Tile).u8(cell.Palette);
        if (magic == "VX02")
            out.u8(cell.HFlip).u8(cell.VFlip);
    }
    return out.bytes;
}

// A tile set whose every field differs from the start-up defaults, so a load that
// forgets a field shows up. `extraCategories` custom categories follow the built-in ones.
inline TileSet SampleTileSet(int tileCount, int extraCategories = 1, int seed = 1) {
    TileSet set;
    set.TileCount = tileCount;
    for (int t = 0; t < tileCount; ++t) {
        for (int i = 0; i < kTileBytes; ++i)
            set.Tiles[t][i] = static_cast<ColorIndex>((t * 7 + i * seed + i / 8) % 4);
        set.TilePalette[t] = (t + seed) % 8;
        set.TilePaletteSet[t] = (t * 3 + seed) % 8;
    }
    for (int s = 0; s < kPaletteSets; ++s)
        for (int p = 0; p < kPalettesPerSet; ++p)
            for (int c = 0; c < kColorsPerPalette; ++c)
                for (int k = 0; k < kComponentsPerColor; ++k)
                    set.Palettes[s][p][c][k] = (s * 5 + p * 3 + c * 7 + k + seed) % 32;
    for (int c = 0; c < extraCategories; ++c) {
        auto& category = set.Categories[3 + c];
        category.SetName("Custom" + std::to_string(c));
        category.Type = static_cast<CategoryType>(c % 4);
    }
    set.CategoryCount = 3 + extraCategories;
    for (int t = 0; t < tileCount; ++t)
        for (int c = 0; c < set.CategoryCount; ++c)
            set.TileInfo[t][c] = (c + 1) * 100000 + t * (c % 2 ? -1 : 1) * seed;
    return set;
}

inline MapGrid SampleGrid(int width, int height, bool withFlips = true) {
    MapGrid grid(width, height);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            auto& cell = grid.At(r, c);
            cell.Tile = static_cast<std::uint16_t>((r * width + c) * 37 % 768);
            cell.Palette = static_cast<std::uint8_t>((r + c) % 8);
            cell.HFlip = withFlips ? static_cast<std::uint8_t>(c % 2) : 0;
            cell.VFlip = withFlips ? static_cast<std::uint8_t>(r % 2) : 0;
        }
    return grid;
}

// Writes a new file. An existing one is removed first rather than truncated: rewriting a
// truncated file makes some file systems flush it to disk, which slows the damaged-file
// tests down a hundredfold.
inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// A file checked in under tests/data/.
inline std::string DataPath(const std::string& relative) {
    return std::string(TESSIVAR_SOURCE_DIR) + "/tests/data/" + relative;
}
inline std::vector<std::uint8_t> ReadData(const std::string& relative) {
    return ReadBytes(DataPath(relative));
}
inline std::string ReadDataText(const std::string& relative) {
    const auto bytes = ReadData(relative);
    return std::string(bytes.begin(), bytes.end());
}

// How many entries a folder holds.
inline int CountEntries(const std::filesystem::path& folder) {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// A fresh directory under the system's temporary folder, removed with its contents.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessivar-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace tessivar::testing
