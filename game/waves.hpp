// Waves and levels: the level follows the wave, and each new level is announced once.
#pragma once

#include <cstdint>

struct GameState;

// Waves 1 to 5 are level 1, 6 to 10 level 2, ...; waves below 1 count as wave 1.
std::int32_t levelForWave(std::int32_t wave);

// Brings the level up to date and posts the two-line banner when it is new in this game.
void announceLevel(GameState& state);
