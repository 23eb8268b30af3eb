// The frame time from the counter, and the rest a pass takes when the swap did not wait.
#include <gtest/gtest.h>

#include "app/frame_timing.hpp"

TEST(FrameTiming, CounterDifferenceInSecondsCappedAtFiftyMilliseconds)
{
    const struct {
        std::uint64_t ticks;
        float dt;
    } cases[] = {{0, 0.0f}, {16'667, 0.016667f}, {50'000, 0.05f}, {300'000, 0.05f}, {1'000'000'000, 0.05f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ticks);
        FrameClock clock{5'000'000, 1'000'000.0f};
        EXPECT_FLOAT_EQ(measureFrameTime(clock, 5'000'000 + c.ticks), c.dt);
        EXPECT_EQ(clock.lastCounter, 5'000'000 + c.ticks) << "the reading becomes the previous one";
    }
}

TEST(FrameTiming, OnlyPassesUnderHalfARefreshPeriodRestTheRestOfIt)
{
    const struct {
        std::uint64_t passNs;
        float refreshHz;
        std::uint64_t restNs;
    } cases[] = {
        {1'000'000, 60.0f, 15'666'666},  // an unpaced software frame
        {1'000'000, 0.0f, 15'666'666},   // no refresh rate known: 60 Hz
        {3'000'000, 144.0f, 3'944'444},
        {8'333'333, 60.0f, 0},           // half a period: paced by the swap or just slow
        {16'000'000, 60.0f, 0},
        {40'000'000, 60.0f, 0},
        {0, 120.0f, 8'333'333},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.passNs << " ns at " << c.refreshHz << " Hz");
        EXPECT_EQ(restAfterPassNs(c.passNs, c.refreshHz), c.restNs);
    }
}

TEST(FrameTiming, AWatchedPassWaitsUntilTheRecordedTimesUpToItsOwnHavePassed)
{
    // Frame times that are exact in binary, so the rests come out in whole nanoseconds.
    constexpr std::uint64_t kStartNs = 7'000'000'000;
    const struct {
        float dt;
        std::uint64_t sinceStartNs;  // when the pass is due to be shown
        std::uint64_t restNs;
    } passes[] = {
        {0.015625f, 0, 15'625'000},           // the first pass is shown one frame time after the start
        {0.015625f, 15'625'000, 15'625'000},
        {0.03125f, 40'000'000, 22'500'000},
        {0.0078125f, 900'000'000, 0},          // behind the schedule: no rest, no hurry either
        {0.0078125f, 900'000'000, 0},
    };
    WatchSchedule schedule{kStartNs, 0.0};
    for (const auto& pass : passes) {
        SCOPED_TRACE(pass.sinceStartNs);
        EXPECT_EQ(restBeforeWatchedPass(schedule, pass.dt, kStartNs + pass.sinceStartNs), pass.restNs);
    }
}
