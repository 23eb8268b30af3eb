// The real frame: the game's own window and pass (update, title, draw, swap) on a peak-load
// state, each pass timed alone; the state is refreshed from a copy between passes, untimed.
//
//   bench_real_frame [passes]      (default 3000; run under X, e.g. Xvfb with Mesa llvmpipe)
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <SDL3/SDL_opengl.h>

#include "game/game_state.hpp"
#include "app/loop.hpp"
#include "game/pass.hpp"
#include "bench/alloc_count.hpp"
#include "bench/peak_state.hpp"
#include "ui/frame.hpp"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWarmUpPasses = 200;
constexpr int kBreakdownPasses = 500;

double microsecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

PassInput peakInput()
{
    PassInput input;
    input.dt = 1.0f / 60.0f;
    input.held.fire = true;
    return input;
}

double percentile(const std::vector<double>& sorted, double p)
{
    const auto rank = static_cast<std::size_t>(p * static_cast<double>(sorted.size()) + 0.999999);
    return sorted[std::min(sorted.size(), std::max<std::size_t>(rank, 1)) - 1];
}

void report(const char* what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    double sum = 0.0;
    for (double t : times)
        sum += t;
    std::printf("%s: passes %zu  median_us %.1f  p99_us %.1f  max_us %.1f  mean_us %.1f  min_us %.1f\n", what,
                times.size(), percentile(times, 0.5), percentile(times, 0.99), times.back(),
                sum / static_cast<double>(times.size()), times.front());
}

// playPass's own steps, each timed: where a pass spends its time. Diagnostic only; the figure
// that counts is the whole playPass above.
void reportBreakdown(const GameWindow& gameWindow, const GameState& peak, GameState& state)
{
    std::vector<double> update, title, draw, swap;
    const PassInput input = peakInput();
    int widthPixels = 0;
    int heightPixels = 0;
    SDL_GetWindowSizeInPixels(gameWindow.window, &widthPixels, &heightPixels);
    for (int i = 0; i < kBreakdownPasses; ++i) {
        state = peak;
        SDL_PumpEvents();
        Clock::time_point start = Clock::now();
        const std::string text = runPass(state, input);
        update.push_back(microsecondsSince(start));
        start = Clock::now();
        SDL_SetWindowTitle(gameWindow.window, text.c_str());
        title.push_back(microsecondsSince(start));
        start = Clock::now();
        drawFrame(state, widthPixels, heightPixels);
        draw.push_back(microsecondsSince(start));
        start = Clock::now();
        SDL_GL_SwapWindow(gameWindow.window);
        swap.push_back(microsecondsSince(start));
    }
    report("  runPass", update);
    report("  SDL_SetWindowTitle", title);
    report("  drawFrame", draw);
    report("  SDL_GL_SwapWindow", swap);
}

}  // namespace

int main(int argc, char** argv)
{
    const int passes = argc > 1 ? std::max(100, std::atoi(argv[1])) : 3000;
    GameWindow gameWindow;
    if (!openGameWindow(gameWindow))
        return 1;
    std::printf("real_frame: GL_RENDERER %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    const GameState peak = makePeakState();
    GameState state = peak;
    const PassInput input = peakInput();
    for (int i = 0; i < kWarmUpPasses; ++i) {
        state = peak;
        SDL_PumpEvents();
        playPass(gameWindow, state, input);
    }

    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(passes));
    std::uint64_t allocations = 0;
    for (int i = 0; i < passes; ++i) {
        // The game drains its events between passes too; here they are only pumped, untimed.
        state = peak;
        SDL_PumpEvents();
        const std::uint64_t allocationsBefore = allocationCount();
        const Clock::time_point start = Clock::now();
        playPass(gameWindow, state, input);
        times.push_back(microsecondsSince(start));
        allocations += allocationCount() - allocationsBefore;
    }
    report("real_frame", times);
    std::printf("real_frame: allocs_per_pass %.2f (operator new only, all threads)  target p99 < 2000 us\n",
                static_cast<double>(allocations) / passes);
    reportBreakdown(gameWindow, peak, state);
    closeGameWindow(gameWindow);
    return 0;
}
