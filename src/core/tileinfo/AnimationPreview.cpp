#include "core/tileinfo/AnimationPreview.h"

#include <algorithm>

namespace tessivar {

void AnimationPreview::Open(int selectionStart, int selectionEnd) {
    start_ = selectionStart;
    end_ = selectionEnd;
    frame_ = start_;
}

void AnimationPreview::Play(int Start, int End, int Delay) {
    start_ = Start;
    end_ = End;
    delay_ = Delay;
    frame_ = start_;
    period_ = std::max(Delay, 0);
    owed_ = 0;
}

void AnimationPreview::Stop() {
    period_ = 0;
    owed_ = 0;
}

int AnimationPreview::Advance(std::int64_t elapsedMs, int tilesPerBlock) {
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
