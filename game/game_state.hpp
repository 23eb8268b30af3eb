// The one record of game-wide state, its start-up values, reset and restart.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "game/health_column.hpp"
#include "game/messages.hpp"
#include "game/monsters.hpp"
#include "game/playfield.hpp"
#include "game/ship.hpp"
#include "game/upgrade.hpp"
#include "game/weapon_column.hpp"

inline constexpr std::uint32_t kRandomSeed = 20260520;

// Member initialisers are the start-up values; createGameState finishes the start-up.
struct GameState {
    PlayerShip ship;
    std::vector<Shot> shots;
    std::vector<Monster> monsters;
    WeaponColumn weaponColumn;
    HealthColumn healthColumn;
    std::vector<UpgradeType> upgradeHistory;  // a stack: one entry per upgrade granted, newest last
    MessageList messages;
    std::mt19937 rng{kRandomSeed};  // never reseeded: a restarted game does not repeat the first
    std::int32_t health = 100;
    std::int32_t score = 0;
    std::int32_t wave = 1;
    std::int32_t level = 1;
    std::int32_t announcedLevel = 1;
    std::int32_t spawnedCount = 0;
    std::int32_t mediumSpawnedInWave = 0;
    std::int32_t bigSpawnedInWave = 0;
    std::int32_t guns = 1;
    std::int32_t power = 1;
    bool supergun = false;
    std::int32_t lastUpgradeScore = 0;
    std::int32_t mediumEscapes = 0;  // Medium escapes since the last penalty for a Medium
    std::int32_t smallEscapes = 0;   // Small escapes since the last penalty for a Small
    float fireCooldown = 0.0f;
    float spawnTimer = 0.35f;
    bool gameOver = false;
    bool loadoutChanged = false;  // set during one update when guns, power or supergun changed
};

// The state before the first pass: seeded, reset, and both columns filled (the weapon
// column's fill draws the game's first random numbers).
GameState createGameState();

// Puts the play fields into their starting condition: shots, monsters, ship, health,
// score, wave, spawn count, cooldown, spawn timer and the game-over flag.
void resetPlayState(GameState& state, float laneLeft, float laneRight, float bottomReference);

// A new game from any state; the random engine keeps running.
void restartGame(GameState& state);
