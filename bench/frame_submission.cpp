// Frame submission: drawFrame of the peak-load state into a stand-in for libGL, timed per
// frame, with the GL calls, primitives and vertices one frame issues and its allocations.
#include <benchmark/benchmark.h>

#include <SDL3/SDL.h>

#include <cstdint>

#include "game/game_state.hpp"
#include "bench/alloc_count.hpp"
#include "bench/gl_tally.hpp"
#include "bench/peak_state.hpp"
#include "ui/frame.hpp"

namespace {

// A window of the game's size on SDL's dummy driver, so beginFrame's size query succeeds
// as in the game instead of taking its failure path.
SDL_Window* openDummyWindow()
{
    SDL_SetHint(SDL_HINT_VIDEO_DRIVER, "dummy");
    if (!SDL_Init(SDL_INIT_VIDEO))
        return nullptr;
    return SDL_CreateWindow("Pexilon benchmark", 900, 700, 0);
}

void submitPeakFrame(benchmark::State& state)
{
    SDL_Window* window = openDummyWindow();
    if (window == nullptr) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    const GameState peak = makePeakState();
    startGlTally();
    drawFrame(window, peak);
    const GlTally frame = glTally();

    std::uint64_t allocations = 0;
    for (auto _ : state) {
        // Part of the stand-in's cost: the double frees its record of the last frame here.
        dropGlRecord();
        const std::uint64_t before = allocationCount();
        drawFrame(window, peak);
        allocations += allocationCount() - before;
    }
    state.counters["gl_calls"] = static_cast<double>(frame.calls);
    state.counters["primitives"] = static_cast<double>(frame.primitives);
    state.counters["vertices"] = static_cast<double>(frame.vertices);
    state.counters["allocs_per_frame"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    state.SetLabel(glStandIn());
    SDL_DestroyWindow(window);
    SDL_Quit();
}

}  // namespace

BENCHMARK(submitPeakFrame)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
