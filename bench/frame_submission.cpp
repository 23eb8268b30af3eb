// Frame submission: drawFrame of the peak-load state into a stand-in for libGL, timed per
// frame, with the GL calls, primitives and vertices one frame issues and its allocations.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "game/game_state.hpp"
#include "bench/alloc_count.hpp"
#include "bench/gl_tally.hpp"
#include "bench/peak_state.hpp"
#include "ui/frame.hpp"

namespace {

// The game's opening window size.
constexpr int kWindowWidthPixels = 900;
constexpr int kWindowHeightPixels = 700;

void submitPeakFrame(benchmark::State& state)
{
    const GameState peak = makePeakState();
    startGlTally();
    drawFrame(peak, kWindowWidthPixels, kWindowHeightPixels);
    const GlTally frame = glTally();

    std::uint64_t allocations = 0;
    for (auto _ : state) {
        // Part of the stand-in's cost: the double frees its record of the last frame here.
        dropGlRecord();
        const std::uint64_t before = allocationCount();
        drawFrame(peak, kWindowWidthPixels, kWindowHeightPixels);
        allocations += allocationCount() - before;
    }
    state.counters["gl_calls"] = static_cast<double>(frame.calls);
    state.counters["primitives"] = static_cast<double>(frame.primitives);
    state.counters["vertices"] = static_cast<double>(frame.vertices);
    state.counters["allocs_per_frame"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    state.SetLabel(glStandIn());
}

}  // namespace

BENCHMARK(submitPeakFrame)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
