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
        workspace.CurrentTileSet.Block = block;
        workspace.CurrentTileSet.TileCount = tileCount;
        workspace.AddListener([this](unsigned change) { notifications.push_back(change); });
    }
    // Applies what an operation returned, as the windows do; false when it did nothing.
    bool run(const DocumentChange& change) {
        workspace.Apply(change);
        return !change.empty();
    }
    Status run(const Result<DocumentChange>& change) {
        if (!change)
            return Fail(change.error());
        workspace.Apply(*change);
        return Ok();
    }
    TileSet& tiles() { return workspace.CurrentTileSet; }
    TileEditorState& editing() { return workspace.Editing; }
    ColorIndex pixel(int x, int y) const {
        return workspace.CurrentTileSet.GetBlockPixel(workspace.Editing.CurrentTile, x, y);
    }
    // Every pixel of the current Block, row-major.
    std::vector<ColorIndex> blockPixels() const {
        std::vector<ColorIndex> out;
        const BlockSize b = workspace.CurrentTileSet.Block;
        for (int y = 0; y < b.Height; ++y)
            for (int x = 0; x < b.Width; ++x)
                out.push_back(pixel(x, y));
        return out;
    }
    // Random pixels and palette numbers in all 768 slots, so a write anywhere shows.
    void scramble(unsigned seed = 7) {
        std::mt19937 rng(seed);
        TileSet& t = workspace.CurrentTileSet;
        for (int tile = 0; tile < kMaxTiles; ++tile) {
            for (auto& pixel : t.Tiles[tile])
                pixel = static_cast<ColorIndex>(rng() % 4);
            t.TilePalette[tile] = static_cast<int>(rng() % 8);
            t.TilePaletteSet[tile] = static_cast<int>(rng() % 8);
        }
    }
    // What an edit of the current Block must leave alone: every byte and palette number
    // of the other slots, and the bytes of the Block's own Tiles outside its width and
    // height.
    std::vector<int> outsideBlock() const {
        const TileSet& t = workspace.CurrentTileSet;
        const int first = workspace.Editing.CurrentTile, across = t.Block.TilesAcross();
        std::vector<int> out;
        for (int tile = 0; tile < kMaxTiles; ++tile) {
            const int k = tile - first;
            const bool inBlock = k >= 0 && k < t.TilesPerBlock();
            for (int i = 0; i < kTileBytes; ++i)
                if (!inBlock || k % across * 8 + i % 8 >= t.Block.Width ||
                    k / across * 8 + i / 8 >= t.Block.Height)
                    out.push_back(t.Tiles[tile][i]);
            if (!inBlock) {
                out.push_back(t.TilePalette[tile]);
                out.push_back(t.TilePaletteSet[tile]);
            }
        }
        return out;
    }
    // A pattern that tells every pixel apart modulo 4 along both axes.
    void paintPattern() {
        const BlockSize b = workspace.CurrentTileSet.Block;
        for (int y = 0; y < b.Height; ++y)
            for (int x = 0; x < b.Width; ++x)
                workspace.CurrentTileSet.SetBlockPixel(
                    workspace.Editing.CurrentTile, x, y,
                    static_cast<ColorIndex>((x * 3 + y * 7 + x * y) % 4));
    }
};

} // namespace tessivar::tileeditor_test
