#include "core/tileinfo/AnimationChain.h"

#include <algorithm>

namespace tessivar {

void AnimationChain::restart() {
    for (int i = 0; i < kMaxTiles; ++i)
        frames_[i] = i;
    countdowns_.fill(0);
}

void AnimationChain::tick(const TileSet& tileSet, std::vector<Step>& steps) {
    tick(tileSet, steps, Categories{});
}

void AnimationChain::tick(const TileSet& tileSet, std::vector<Step>& steps, Categories categories) {
    steps.clear();
    const int inUse = std::clamp(tileSet.tileCount, 0, kMaxTiles);
    for (int t = 0; t < inUse; ++t) {
        if (tileSet.tileInfo[t][categories.animated] == 0)
            continue;
        countdowns_[t] -= kTickMs;
        if (countdowns_[t] >= 0)
            continue;
        const int current = frames_[t];
        if (current < 0 || current >= inUse)
            continue;
        const int next = tileSet.tileInfo[current][categories.next];
        if (next < 0 || next >= inUse)
            continue; // the chain stops here
        frames_[t] = next;
        countdowns_[t] = tileSet.tileInfo[next][categories.delay];
        steps.push_back({t, next});
    }
}

} // namespace tessivar
