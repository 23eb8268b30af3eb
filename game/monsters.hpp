// Monster kinds, spawning and descent.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "game/rgb.hpp"

struct GameState;

enum class MonsterKind : std::int32_t { Small = 0, Medium = 1, Big = 2 };

struct Monster {
    MonsterKind kind = MonsterKind::Small;
    float x = 0.0f;  // left edge
    float y = 0.0f;  // top edge; grows as the monster sinks
    float width = 0.0f;
    float height = 0.0f;
    std::int32_t hitPoints = 0;  // 0 or less: dead
    std::int32_t maxHitPoints = 0;
    std::int32_t scoreValue = 0;
    std::int32_t escapesPerPenalty = 0;  // how many escapes of this kind cost one penalty
    float speed = 0.0f;  // units per second
    Rgb color;
};

inline constexpr int kMostMonstersAlive = 12;

// Draws two random units from rng (kind, then position) and counts the chosen kind
// in its per-wave counter.
Monster spawnMonster(std::mt19937& rng, std::int32_t wave, std::int32_t& mediumSpawnedInWave,
                     std::int32_t& bigSpawnedInWave, float laneLeft, float laneRight);

// The spawn step of one update, with the wave bookkeeping around each spawn.
void runSpawning(GameState& state, float dt);

// Every ten spawns make a wave; a new wave starts with fresh per-kind counters.
void syncWave(std::int32_t spawnedCount, std::int32_t& wave, std::int32_t& mediumSpawnedInWave,
              std::int32_t& bigSpawnedInWave);

void moveMonsters(std::vector<Monster>& monsters, float dt);
