// Frame timing: the frame time each pass hands to the rules, and how long a pass rests when
// the buffer swap did not wait for the display.
#pragma once

#include <cstdint>

struct FrameClock {
    std::uint64_t lastCounter = 0;  // the performance counter at the previous pass
    float frequency = 1.0f;         // counter ticks per second
};

// The counter difference since the previous pass in seconds, computed in float and capped:
// a pass of 0.3 s moves the game only 0.05 s. The reading becomes the previous one.
float measureFrameTime(FrameClock& clock, std::uint64_t counterNow);

// Vertical sync paces the loop where the driver honours it: the swap then waits, and a pass
// lasts about one refresh period. Where it does not (a software renderer, some drivers), a
// pass that took under half a period rests for the rest of it, so the game runs at the
// display's rate instead of spinning a core. refreshHz 0 (unknown) counts as 60.
std::uint64_t restAfterPassNs(std::uint64_t passNs, float refreshHz);

// Watching a recorded game: when its first pass began and the recorded frame times so far.
struct WatchSchedule {
    std::uint64_t startNs = 0;
    double scheduledSeconds = 0.0;
};

// Adds this pass's recorded frame time to the schedule, then says how long to wait before
// showing the pass, so that the time since the first pass began follows the recorded frame
// times up to and including this one. A pass that is late does not wait; the game does not
// hurry to catch up either.
std::uint64_t restBeforeWatchedPass(WatchSchedule& schedule, float dt, std::uint64_t nowNs);
