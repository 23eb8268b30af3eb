// Waves and levels: the level follows the wave, and each new level is announced once.
#pragma once

#include <cstdint>

#include "game/messages.hpp"

// Waves 1 to 5 are level 1, 6 to 10 level 2, ...; waves below 1 count as wave 1.
std::int32_t levelForWave(std::int32_t wave);

// Brings the level up to date and posts the two-line banner when it is new in this game.
void announceLevel(std::int32_t wave, std::int32_t& level, std::int32_t& announcedLevel, MessageList& messages);
