#include "core/tileinfo/AnimationChain.h"

#include <algorithm>

namespace tessivar {

void AnimationChain::Restart() {
    for (int i = 0; i < kMaxTiles; ++i)
        frames_[i] = i;
    countdowns_.fill(0);
}

void AnimationChain::Tick(const TileSet& tileSet, std::vector<Step>& steps) {
    Tick(tileSet, steps, Categories{});
}

void AnimationChain::Tick(const TileSet& tileSet, std::vector<Step>& steps, Categories categories) {
    steps.clear();
    const int inUse = std::clamp(tileSet.TileCount, 0, kMaxTiles);
    for (int t = 0; t < inUse; ++t) {
        if (tileSet.TileInfo[t][categories.Animated] == 0)
            continue;
        countdowns_[t] -= kTickMs;
        if (countdowns_[t] >= 0)
            continue;
        const int current = frames_[t];
        if (current < 0 || current >= inUse)
            continue;
        const int next = tileSet.TileInfo[current][categories.Next];
        if (next < 0 || next >= inUse)
            continue; // the chain stops here
        frames_[t] = next;
        countdowns_[t] = tileSet.TileInfo[next][categories.Delay];
        steps.push_back({t, next});
    }
}

} // namespace tessivar
