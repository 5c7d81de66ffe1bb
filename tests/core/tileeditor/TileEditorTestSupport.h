#pragma once

// Shared helpers of the tile editor tests: a workspace with a given Block size that
// records its notifications, and pictures that show any stray write.

#include "core/workspace/Workspace.h"

#include "../../common/ScriptedPrompts.h"

#include <random>
#include <vector>

namespace tessivar::tileeditor_test {

struct Fixture {
    testing::ScriptedPrompts prompts;
    Workspace workspace{prompts};
    std::vector<unsigned> notifications;

    explicit Fixture(BlockSize block = {8, 8}, int tileCount = 64) {
        workspace.tileSet.block = block;
        workspace.tileSet.tileCount = tileCount;
        workspace.addListener([this](unsigned change) { notifications.push_back(change); });
    }
    // Applies what an operation returned, as the windows do; false when it did nothing.
    bool run(const DocumentChange& change) {
        workspace.apply(change);
        return !change.empty();
    }
    Status run(const Result<DocumentChange>& change) {
        if (!change)
            return Fail(change.error());
        workspace.apply(*change);
        return Ok();
    }
    TileSet& tiles() { return workspace.tileSet; }
    EditingState& editing() { return workspace.editing; }
    ColorIndex pixel(int x, int y) const {
        return workspace.tileSet.GetBlockPixel(workspace.editing.CurrentTile, x, y);
    }
    // Every pixel of the current Block, row-major.
    std::vector<ColorIndex> blockPixels() const {
        std::vector<ColorIndex> out;
        const BlockSize b = workspace.tileSet.block;
        for (int y = 0; y < b.height; ++y)
            for (int x = 0; x < b.width; ++x)
                out.push_back(pixel(x, y));
        return out;
    }
    // Random pixels and palette numbers in all 768 slots, so a write anywhere shows.
    void scramble(unsigned seed = 7) {
        std::mt19937 rng(seed);
        TileSet& t = workspace.tileSet;
        for (int tile = 0; tile < kMaxTiles; ++tile) {
            for (auto& pixel : t.tiles[tile])
                pixel = static_cast<ColorIndex>(rng() % 4);
            t.tilePalette[tile] = static_cast<int>(rng() % 8);
            t.tilePaletteSet[tile] = static_cast<int>(rng() % 8);
        }
    }
    // What an edit of the current Block must leave alone: every byte and palette number
    // of the other slots, and the bytes of the Block's own Tiles outside its width and
    // height.
    std::vector<int> outsideBlock() const {
        const TileSet& t = workspace.tileSet;
        const int first = workspace.editing.CurrentTile, across = t.block.tilesAcross();
        std::vector<int> out;
        for (int tile = 0; tile < kMaxTiles; ++tile) {
            const int k = tile - first;
            const bool inBlock = k >= 0 && k < t.TilesPerBlock();
            for (int i = 0; i < kTileBytes; ++i)
                if (!inBlock || k % across * 8 + i % 8 >= t.block.width ||
                    k / across * 8 + i / 8 >= t.block.height)
                    out.push_back(t.tiles[tile][i]);
            if (!inBlock) {
                out.push_back(t.tilePalette[tile]);
                out.push_back(t.tilePaletteSet[tile]);
            }
        }
        return out;
    }
    // A pattern that tells every pixel apart modulo 4 along both axes.
    void paintPattern() {
        const BlockSize b = workspace.tileSet.block;
        for (int y = 0; y < b.height; ++y)
            for (int x = 0; x < b.width; ++x)
                workspace.tileSet.SetBlockPixel(
                    workspace.editing.CurrentTile, x, y,
                    static_cast<ColorIndex>((x * 3 + y * 7 + x * y) % 4));
    }
};

} // namespace tessivar::tileeditor_test
