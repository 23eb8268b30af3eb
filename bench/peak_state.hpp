// The busiest state a pass meets, shared by the benchmarks that time a pass or a frame.
#pragma once

#include "game/game_state.hpp"

inline constexpr int kPeakShots = 40;
inline constexpr int kPeakMessages = 4;

// From the start-up state: a full lane of 12 monsters, 40 shots in flight spread so that
// only a few hit in the next pass, both columns full and resting with the bottom upgrade
// open and flashing, four messages alive, a three-gun fan loadout and the guns ready to fire.
GameState makePeakState();
