// Frame timing: the frame time each pass hands to the rules, and how long a pass rests when
// the buffer swap did not wait for the display.
#include "app/frame_timing.hpp"

#include "game/pass.hpp"

float measureFrameTime(FrameClock& clock, std::uint64_t counterNow)
{
    const float dt = static_cast<float>(counterNow - clock.lastCounter) / clock.frequency;
    clock.lastCounter = counterNow;
    return capFrameTime(dt);
}

namespace {
constexpr float kAssumedRefreshHz = 60.0f;
constexpr double kNanosecondsPerSecond = 1e9;
}  // namespace

std::uint64_t restAfterPassNs(std::uint64_t passNs, float refreshHz)
{
    const double hz = refreshHz > 0.0f ? refreshHz : kAssumedRefreshHz;
    const auto periodNs = static_cast<std::uint64_t>(kNanosecondsPerSecond / hz);
    // A pass of half a period or more was paced by the swap, or is simply slow: no rest.
    if (passNs * 2 >= periodNs)
        return 0;
    return periodNs - passNs;
}

std::uint64_t restBeforeWatchedPass(WatchSchedule& schedule, float dt, std::uint64_t nowNs)
{
    schedule.scheduledSeconds += dt;
    const auto dueNs = schedule.startNs + static_cast<std::uint64_t>(schedule.scheduledSeconds * kNanosecondsPerSecond);
    // Unsigned: a pass already due would otherwise wait for centuries.
    return dueNs > nowNs ? dueNs - nowNs : 0;
}
