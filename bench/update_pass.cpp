// One update pass at peak load, stepped with dt 1/60 and fire held, and its allocations.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "game/game_state.hpp"
#include "game/pass.hpp"
#include "bench/alloc_count.hpp"
#include "bench/peak_state.hpp"

namespace {

constexpr float kPassSeconds = 1.0f / 60.0f;
// Passes between two refills of the copies: enough to make the paused refill's timer
// overhead negligible, few enough that the copies stay in cache.
constexpr int kCopies = 64;

void refill(std::vector<GameState>& copies, const GameState& peak)
{
    // Assignment keeps each vector's capacity, as the game's own state keeps it from pass to pass.
    for (GameState& copy : copies)
        copy = peak;
}

// Every timed pass starts from a fresh copy of the peak state, so each one does the same work.
void updatePassAtPeak(benchmark::State& state)
{
    const GameState peak = makePeakState();
    std::vector<GameState> copies(kCopies, peak);
    HeldKeys held;
    held.fire = true;
    // One untimed round so the shot lists have grown past 40 as in play, then back to peak.
    for (GameState& copy : copies)
        updateGame(copy, kPassSeconds, held);
    refill(copies, peak);

    int next = 0;
    std::uint64_t allocations = 0;
    for (auto _ : state) {
        const std::uint64_t before = allocationCount();
        updateGame(copies[next], kPassSeconds, held);
        allocations += allocationCount() - before;
        if (++next == kCopies) {
            state.PauseTiming();
            refill(copies, peak);
            next = 0;
            state.ResumeTiming();
        }
    }
    state.counters["allocs_per_pass"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    GameState after = peak;
    updateGame(after, kPassSeconds, held);
    state.counters["shots_after"] = static_cast<double>(after.shots.size());
    state.counters["monsters_after"] = static_cast<double>(after.monsters.size());
}

}  // namespace

BENCHMARK(updatePassAtPeak)->Repetitions(15)->ReportAggregatesOnly(true)->DisplayAggregatesOnly(true);

BENCHMARK_MAIN();
