// Hits, kills, escapes with their penalties, and the end of the game.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/monsters.hpp"
#include "game/ship.hpp"
#include "game/upgrade.hpp"

struct GameState;

// True when the circle touches or overlaps the rectangle; touching counts.
bool circleHitsRect(float cx, float cy, float radius, float x, float y, float w, float h);

// Each live shot damages the oldest monster it touches and is spent by that hit.
void hitMonsters(std::vector<Monster>& monsters, std::vector<Shot>& shots);

void removeSpentShots(std::vector<Shot>& shots);

// Removes dead monsters, keeping the order of the rest, and adds their score values.
void collectKills(std::vector<Monster>& monsters, std::int32_t& score);

// Monsters that reached the floor line count towards penalties and leave without points.
void handleEscapes(GameState& state);

// Takes back the newest upgrade still held, or 5 health when there is none.
void applyPenalty(GameState& state);

std::string lossText(UpgradeType type);

// Health at or below 0 ends the game; health is then stored as 0.
void checkGameOver(std::int32_t& health, bool& gameOver);
