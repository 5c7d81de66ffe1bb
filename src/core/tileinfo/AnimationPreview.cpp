#include "core/tileinfo/AnimationPreview.h"

#include <algorithm>

namespace tessivar {

void AnimationPreview::open(int selectionStart, int selectionEnd) {
    start_ = selectionStart;
    end_ = selectionEnd;
    frame_ = start_;
}

void AnimationPreview::play(int start, int end, int delay) {
    start_ = start;
    end_ = end;
    delay_ = delay;
    frame_ = start_;
    period_ = std::max(delay, 0);
    owed_ = 0;
}

void AnimationPreview::stop() {
    period_ = 0;
    owed_ = 0;
}

int AnimationPreview::advance(std::int64_t elapsedMs, int tilesPerBlock) {
    if (period_ <= 0 || elapsedMs <= 0)
        return 0;
    owed_ += elapsedMs;
    const std::int64_t due = owed_ / period_;
    owed_ %= period_;
    const int steps = static_cast<int>(std::min<std::int64_t>(due, kMaxCatchUpSteps));
    for (int i = 0; i < steps; ++i) {
        // 64-bit, so a run that ends near the int limit cannot overflow the step.
        const std::int64_t next = static_cast<std::int64_t>(frame_) + tilesPerBlock;
        frame_ = next > end_ ? start_ : static_cast<int>(next);
    }
    return steps;
}

} // namespace tessivar
