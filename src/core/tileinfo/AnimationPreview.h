#pragma once

// The Animation dialog's preview as plain state: the run it steps through, the frame on
// show and the time still owed to the next step. The dialog's timer reports the time
// that passed; tests drive it with a fake clock.

#include <cstdint>

namespace tessivar {

class AnimationPreview {
public:
    // Opening the dialog: the run is the tile list's selection, shown from its start.
    void Open(int selectionStart, int selectionEnd);

    // The play button with the three fields read as numbers. The preview runs while the
    // delay is positive; a delay of 0 or below leaves it stopped on the start frame.
    void Play(int start, int end, int delay);
    // The stop button and closing the dialog: the frame shown stays.
    void Stop();

    // `elapsedMs` have passed: one step of `tilesPerBlock` Tiles per whole period, back
    // to start when a step passes end. Returns the number of steps taken; a long stall
    // catches up at most kMaxCatchUpSteps of them.
    int Advance(std::int64_t elapsedMs, int tilesPerBlock);

    static constexpr int kMaxCatchUpSteps = 768;

    int Start() const { return start_; }
    int End() const { return end_; }
    int Delay() const { return delay_; }
    int Frame() const { return frame_; }
    // Timer period in milliseconds; 0 while stopped.
    int Period() const { return period_; }

private:
    int start_ = 0;
    int end_ = 0;
    int delay_ = 0;
    int frame_ = 0;
    int period_ = 0;
    std::int64_t owed_ = 0; // milliseconds since the last step
};

} // namespace tessivar
