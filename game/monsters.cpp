// Monster kinds, spawning and descent.
#include "game/monsters.hpp"

#include <algorithm>

#include "game/exact_math.hpp"
#include "game/game_state.hpp"
#include "game/random.hpp"
#include "game/waves.hpp"

namespace {

struct KindTraits {
    float width;
    float height;
    std::int32_t baseHitPoints;
    std::int32_t hitPointsPerLevel;  // a fifth of the base, added per level
    std::int32_t scoreValue;
    std::int32_t escapesPerPenalty;
    float baseSpeed;  // units per second at wave 1
    float speedCap;
    Rgb color;
};

constexpr KindTraits kSmall{40.0f, 34.0f, 10, 2, 100, 3, 3.5f, 40.0f, {1.0f, 0.88f, 0.1f}};
constexpr KindTraits kMedium{48.0f, 38.0f, 50, 10, 350, 2, 3.0f, 36.0f, {0.1f, 0.4f, 1.0f}};
constexpr KindTraits kBig{56.0f, 44.0f, 100, 20, 700, 1, 2.5f, 32.0f, {1.0f, 0.1f, 0.08f}};

const KindTraits& traitsOf(MonsterKind kind)
{
    switch (kind) {
    case MonsterKind::Medium: return kMedium;
    case MonsterKind::Big: return kBig;
    case MonsterKind::Small: break;
    }
    return kSmall;
}

constexpr float kBigChance = 0.08f;
constexpr float kMediumChance = 0.42f;  // counted from 0, so it includes the Big band
constexpr std::int32_t kMostBigPerWave = 1;
constexpr std::int32_t kMostMediumPerWave = 5;

MonsterKind chooseKind(float u, std::int32_t& mediumSpawnedInWave, std::int32_t& bigSpawnedInWave)
{
    if (bigSpawnedInWave < kMostBigPerWave && u < kBigChance) {
        bigSpawnedInWave += 1;
        return MonsterKind::Big;
    }
    if (mediumSpawnedInWave < kMostMediumPerWave && u < kMediumChance) {
        mediumSpawnedInWave += 1;
        return MonsterKind::Medium;
    }
    return MonsterKind::Small;
}

constexpr float kSpawnMargin = 20.0f;
constexpr float kSpawnY = 118.0f;
constexpr float kSpeedGrowthPerWave = 1.02f;

}  // namespace

Monster spawnMonster(std::mt19937& rng, std::int32_t wave, std::int32_t& mediumSpawnedInWave,
                     std::int32_t& bigSpawnedInWave, float laneLeft, float laneRight)
{
    const float kindRoll = randomUnit(rng);
    const MonsterKind kind = chooseKind(kindRoll, mediumSpawnedInWave, bigSpawnedInWave);
    const KindTraits& traits = traitsOf(kind);
    const std::int32_t level = levelForWave(wave);
    const std::int32_t wavesSinceFirst = std::max(wave, 1) - 1;

    Monster monster;
    monster.kind = kind;
    monster.width = traits.width;
    monster.height = traits.height;
    monster.scoreValue = traits.scoreValue;
    monster.escapesPerPenalty = traits.escapesPerPenalty;
    monster.color = traits.color;
    monster.hitPoints = traits.baseHitPoints + traits.hitPointsPerLevel * (level - 1);
    monster.maxHitPoints = monster.hitPoints;
    monster.y = kSpawnY;

    const float positionRoll = randomUnit(rng);
    const float left = laneLeft + kSpawnMargin;
    monster.x = left + positionRoll * ((laneRight - monster.width - kSpawnMargin) - left);

    const float growth = wholePower(kSpeedGrowthPerWave, wavesSinceFirst);
    monster.speed = std::min(traits.speedCap, traits.baseSpeed * growth);
    return monster;
}

namespace {
constexpr std::int32_t kMonstersPerWave = 10;
constexpr float kLongestSpawnIntervalSeconds = 2.15f;
constexpr float kShortestSpawnIntervalSeconds = 0.85f;
constexpr float kIntervalShrinkPerSpawnSeconds = 0.025f;
}  // namespace

void syncWave(std::int32_t spawnedCount, std::int32_t& wave, std::int32_t& mediumSpawnedInWave,
              std::int32_t& bigSpawnedInWave)
{
    const std::int32_t current = spawnedCount / kMonstersPerWave + 1;
    if (current != wave) {
        wave = current;
        mediumSpawnedInWave = 0;
        bigSpawnedInWave = 0;
    }
}

void runSpawning(GameState& state, float dt)
{
    state.spawnTimer -= dt;
    if (state.spawnTimer > 0.0f)
        return;
    // The timer stays run out, so a spawn follows on the first pass with room in the lane.
    if (state.monsters.size() >= kMostMonstersAlive)
        return;
    syncWave(state.spawnedCount, state.wave, state.mediumSpawnedInWave, state.bigSpawnedInWave);
    state.monsters.push_back(spawnMonster(state.rng, state.wave, state.mediumSpawnedInWave,
                                          state.bigSpawnedInWave, kLaneLeft, kLaneRight));
    state.spawnedCount += 1;
    syncWave(state.spawnedCount, state.wave, state.mediumSpawnedInWave, state.bigSpawnedInWave);
    // Set, not added to: time by which the timer overshot zero is dropped.
    state.spawnTimer = std::max(kShortestSpawnIntervalSeconds,
                                kLongestSpawnIntervalSeconds -
                                    kIntervalShrinkPerSpawnSeconds * static_cast<float>(state.spawnedCount));
}

void moveMonsters(std::vector<Monster>& monsters, float dt)
{
    for (Monster& monster : monsters)
        monster.y += monster.speed * dt;
}
