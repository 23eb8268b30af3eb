// Headless game time: the replay pass loop over one hour of random play at 60 passes per
// second, timed in process CPU seconds, with its allocations per pass.
//
//   bench_game_time [repetitions]      (default 5)
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "game/game_state.hpp"
#include "game/pass.hpp"
#include "game/title.hpp"
#include "bench/alloc_count.hpp"

namespace {

constexpr float kPassSeconds = 1.0f / 60.0f;
constexpr int kPassesPerHour = 60 * 60 * 60;
// A beat after the game ends before R is pressed, as a player reads the title.
constexpr int kPassesBeforeRestart = 45;

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// SplitMix64: the player's own dice, apart from the game's engine.
struct PlayerDice {
    std::uint64_t state;
    std::uint32_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
};

// Holds one choice of keys for a while (0.1 to 1 s), then picks again: mostly firing,
// drifting left or right or standing still.
struct RandomPlayer {
    PlayerDice dice{0x5EED'B0A7ull};
    HeldKeys held;
    int passesLeft = 0;

    HeldKeys keysForPass()
    {
        if (passesLeft-- > 0)
            return held;
        passesLeft = 6 + dice.below(55);
        held.fire = dice.below(100) < 85;
        const int move = dice.below(10);
        held.left = move < 3;
        held.right = move >= 3 && move < 6;
        return held;
    }
};

struct HourFigures {
    double cpuSeconds = 0.0;
    std::uint64_t allocations = 0;
    int games = 1;
    std::int32_t bestLevel = 1;
    std::int32_t bestWave = 1;
    double shotsInFlight = 0.0;  // summed over passes
    double monstersAlive = 0.0;
    std::size_t titleBytes = 0;  // keeps every title observably used
};

HourFigures playHour()
{
    GameState state = createGameState();
    RandomPlayer player;
    HourFigures figures;
    int overPasses = 0;
    const std::uint64_t allocationsBefore = allocationCount();
    const double start = cpuSeconds();
    for (int pass = 0; pass < kPassesPerHour; ++pass) {
        PassInput input;
        input.dt = kPassSeconds;
        input.held = player.keysForPass();
        if (state.gameOver && ++overPasses > kPassesBeforeRestart) {
            input.restarts = 1;
            overPasses = 0;
            figures.games += 1;
        }
        const std::string title = runPass(state, input);
        figures.titleBytes += title.size();
        figures.bestLevel = std::max(figures.bestLevel, state.level);
        figures.bestWave = std::max(figures.bestWave, state.wave);
        figures.shotsInFlight += static_cast<double>(state.shots.size());
        figures.monstersAlive += static_cast<double>(state.monsters.size());
    }
    figures.cpuSeconds = cpuSeconds() - start;
    figures.allocations = allocationCount() - allocationsBefore;
    return figures;
}

// The title alone, for the same number of passes: how much of the hour it takes.
double titleOnlySeconds(std::uint64_t& allocations)
{
    const GameState state = createGameState();
    std::size_t bytes = 0;
    const std::uint64_t allocationsBefore = allocationCount();
    const double start = cpuSeconds();
    for (int pass = 0; pass < kPassesPerHour; ++pass)
        bytes += composeTitle(state).size();
    const double seconds = cpuSeconds() - start;
    allocations = allocationCount() - allocationsBefore;
    if (bytes == 0)
        std::puts("");
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<double> seconds;
    HourFigures last;
    for (int r = 0; r < repetitions; ++r) {
        last = playHour();
        seconds.push_back(last.cpuSeconds);
        std::printf("run %d: %.4f CPU s for %d passes\n", r + 1, last.cpuSeconds, kPassesPerHour);
    }
    std::sort(seconds.begin(), seconds.end());
    const double passes = kPassesPerHour;
    std::printf("game_time: passes %d  cpu_s median %.4f  min %.4f  max %.4f  (target < 1.0)\n", kPassesPerHour,
                seconds[seconds.size() / 2], seconds.front(), seconds.back());
    std::printf("game_time: ns_per_pass median %.1f\n", seconds[seconds.size() / 2] / passes * 1e9);
    std::printf("game_time: allocs_per_pass %.3f\n", static_cast<double>(last.allocations) / passes);
    std::printf("game_time: games %d  best level %d  best wave %d  mean shots %.1f  mean monsters %.1f  title bytes %zu\n",
                last.games, last.bestLevel, last.bestWave, last.shotsInFlight / passes, last.monstersAlive / passes,
                last.titleBytes);
    std::uint64_t titleAllocations = 0;
    const double titleSeconds = titleOnlySeconds(titleAllocations);
    std::printf("game_time: title only  cpu_s %.4f  ns_per_title %.1f  allocs_per_title %.3f\n", titleSeconds,
                titleSeconds / passes * 1e9, static_cast<double>(titleAllocations) / passes);
    return 0;
}
