#pragma once

// Plays the animation chains of the built-in categories on a 50 ms tick, for the map
// editor: each Tile number that is "Animated" walks from frame to frame along
// "AnimNext", each frame staying for its own "AnimDelay".

#include "core/model/TileSet.h"
#include "core/tileinfo/TileInfoTypes.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tessivar {

class AnimationChain {
public:
    static constexpr int kTickMs = 50;

    struct Step {
        int Tile;  // the Tile number whose cells change
        int Frame; // the Tile they show now
        friend bool operator==(const Step&, const Step&) = default;
    };

    // Where the three values sit in the information table (0..63 each).
    struct Categories {
        int Animated = kAnimatedCategory;
        int Next = kAnimNextCategory;
        int Delay = kAnimDelayCategory;
    };

    AnimationChain() { Restart(); }

    // Every Tile back to its own picture, each due at the next tick.
    void Restart();

    // One tick: fills `steps` with the Tile numbers whose frame changed, in increasing
    // order. A chain whose "AnimNext" leaves the Tiles in use stops on its frame. The
    // countdown is 64-bit, so delays near the 32-bit limits cannot overflow; a delay of
    // 0 or below shows its frame for one tick.
    void Tick(const TileSet& tileSet, std::vector<Step>& steps);
    // The same with the three values found elsewhere in the table.
    void Tick(const TileSet& tileSet, std::vector<Step>& steps, Categories categories);

    int Frame(int tile) const { return frames_[tile]; }

private:
    std::array<int, kMaxTiles> frames_{};
    std::array<std::int64_t, kMaxTiles> countdowns_{};
};

} // namespace tessivar
