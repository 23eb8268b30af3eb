// Monster kinds, spawning and the spawn timer.
#include "game/monsters.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

#include "game/game_state.hpp"
#include "tests/game/builders.hpp"

namespace {

struct Band {
    float low;
    float high;  // exclusive
};

std::mt19937 engineWithKindDraw(Band band)
{
    return draws::engineWithNextUnits([band](float u1, float) { return band.low <= u1 && u1 < band.high; });
}

// The second draw of the next spawn, read without moving the engine.
float positionDrawOf(const std::mt19937& engine)
{
    std::mt19937 peek = engine;
    peek.discard(1);
    return draws::unitOf(static_cast<std::uint32_t>(peek()));
}

void expectTraitsOfWaveOne(const Monster& m, MonsterKind kind)
{
    const Monster expected = build::monster(kind, 0.0f, 0.0f);
    EXPECT_EQ(m.kind, kind);
    EXPECT_EQ(m.width, expected.width);
    EXPECT_EQ(m.height, expected.height);
    EXPECT_EQ(m.hitPoints, expected.hitPoints);
    EXPECT_EQ(m.maxHitPoints, expected.hitPoints);
    EXPECT_EQ(m.scoreValue, expected.scoreValue);
    EXPECT_EQ(m.escapesPerPenalty, expected.escapesPerPenalty);
    EXPECT_EQ(m.speed, expected.speed);
    EXPECT_EQ(m.color.r, expected.color.r);
    EXPECT_EQ(m.color.g, expected.color.g);
    EXPECT_EQ(m.color.b, expected.color.b);
    EXPECT_EQ(m.y, 118.0f);
}

// Spawns a monster of the kind asked for at the given wave, steering the kind by the
// per-wave counters with a first draw below 0.08.
Monster spawnOfKind(MonsterKind kind, std::int32_t wave)
{
    std::mt19937 rng = engineWithKindDraw({0.0f, 0.08f});
    std::int32_t medium = kind == MonsterKind::Small ? 5 : 0;
    std::int32_t big = kind == MonsterKind::Big ? 0 : 1;
    const Monster m = spawnMonster(rng, wave, medium, big, 150.0f, 750.0f);
    EXPECT_EQ(m.kind, kind);
    return m;
}

}  // namespace

TEST(Monsters, FirstDrawChoosesTheKindWithinThePerWaveLimits)
{
    struct Case {
        Band u1;
        std::int32_t bigBefore, mediumBefore;
        MonsterKind kind;
        std::int32_t bigAfter, mediumAfter;
    };
    const Case cases[] = {
        {{0.0f, 0.08f}, 0, 0, MonsterKind::Big, 1, 0},
        {{0.0795f, 0.08f}, 0, 0, MonsterKind::Big, 1, 0},
        {{0.0f, 0.08f}, 1, 0, MonsterKind::Medium, 1, 1},  // the one Big of the wave is out
        {{0.0f, 0.08f}, 1, 5, MonsterKind::Small, 1, 5},
        {{0.08f, 0.0805f}, 0, 0, MonsterKind::Medium, 0, 1},
        {{0.08f, 0.42f}, 0, 4, MonsterKind::Medium, 0, 5},
        {{0.4195f, 0.42f}, 0, 0, MonsterKind::Medium, 0, 1},
        {{0.08f, 0.42f}, 0, 5, MonsterKind::Small, 0, 5},
        {{0.42f, 0.4205f}, 0, 0, MonsterKind::Small, 0, 0},
        {{0.42f, 1.0f}, 0, 0, MonsterKind::Small, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "u1 in [" << c.u1.low << ", " << c.u1.high << "), big " << c.bigBefore
                                          << ", medium " << c.mediumBefore);
        std::mt19937 rng = engineWithKindDraw(c.u1);
        const float u2 = positionDrawOf(rng);
        const std::mt19937 afterTwo = draws::advanced(rng, 2);
        std::int32_t medium = c.mediumBefore;
        std::int32_t big = c.bigBefore;

        const Monster m = spawnMonster(rng, 1, medium, big, 150.0f, 750.0f);
        expectTraitsOfWaveOne(m, c.kind);
        EXPECT_EQ(big, c.bigAfter);
        EXPECT_EQ(medium, c.mediumAfter);
        EXPECT_EQ(m.x, 170.0f + u2 * ((750.0f - m.width - 20.0f) - 170.0f));
        EXPECT_TRUE(rng == afterTwo) << "two draws per spawn";
    }
}

TEST(Monsters, HitPointsGrowByLevelAndSpeedByWave)
{
    struct Case {
        std::int32_t wave;
        std::int32_t small, medium, big;  // hit points
    };
    const Case cases[] = {
        {-4, 10, 50, 100}, {0, 10, 50, 100}, {1, 10, 50, 100},  {5, 10, 50, 100},   {6, 12, 60, 120},
        {10, 12, 60, 120}, {11, 14, 70, 140}, {50, 28, 140, 280}, {51, 30, 150, 300}, {200, 88, 440, 880},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "wave " << c.wave);
        const float growth = std::pow(1.02f, static_cast<float>(std::max(c.wave, 1) - 1));
        const Monster s = spawnOfKind(MonsterKind::Small, c.wave);
        const Monster m = spawnOfKind(MonsterKind::Medium, c.wave);
        const Monster b = spawnOfKind(MonsterKind::Big, c.wave);
        EXPECT_EQ(s.hitPoints, c.small);
        EXPECT_EQ(m.hitPoints, c.medium);
        EXPECT_EQ(b.hitPoints, c.big);
        EXPECT_EQ(b.maxHitPoints, c.big);
        EXPECT_EQ(s.speed, std::min(40.0f, 3.5f * growth));
        EXPECT_EQ(m.speed, std::min(36.0f, 3.0f * growth));
        EXPECT_EQ(b.speed, std::min(32.0f, 2.5f * growth));
    }

    EXPECT_NEAR(spawnOfKind(MonsterKind::Small, 11).speed, 4.27f, 0.005f);
    EXPECT_NEAR(spawnOfKind(MonsterKind::Medium, 11).speed, 3.66f, 0.005f);
    EXPECT_NEAR(spawnOfKind(MonsterKind::Big, 11).speed, 3.05f, 0.005f);
    EXPECT_EQ(spawnOfKind(MonsterKind::Small, 200).speed, 40.0f);
    EXPECT_EQ(spawnOfKind(MonsterKind::Medium, 200).speed, 36.0f);
    EXPECT_EQ(spawnOfKind(MonsterKind::Big, 200).speed, 32.0f);
}

TEST(Monsters, SpawnTimerRunsOutAtZeroAndIsSetNotAddedTo)
{
    GameState state = createGameState();
    runSpawning(state, 0.25f);
    EXPECT_TRUE(state.monsters.empty());
    EXPECT_EQ(state.spawnTimer, 0.35f - 0.25f);

    state.spawnTimer = 0.5f;
    runSpawning(state, 0.5f);
    ASSERT_EQ(state.monsters.size(), 1u) << "a timer at exactly zero spawns";
    EXPECT_EQ(state.spawnedCount, 1);
    EXPECT_EQ(state.spawnTimer, std::max(0.85f, 2.15f - 0.025f * 1.0f));
    EXPECT_NEAR(state.spawnTimer, 2.125f, 1e-6f);

    // Overshoot is dropped: the interval is the same however far below zero the timer fell.
    struct Case {
        std::int32_t spawnedBefore;
        float interval;
    };
    for (Case c : {Case{1, 2.1f}, Case{49, 0.9f}, Case{50, 0.875f}, Case{51, 0.85f}, Case{52, 0.85f}, Case{300, 0.85f}}) {
        state.spawnedCount = c.spawnedBefore;
        state.wave = c.spawnedBefore / 10 + 1;
        state.monsters.clear();
        state.spawnTimer = 0.01f;
        runSpawning(state, 0.4f);
        EXPECT_EQ(state.spawnedCount, c.spawnedBefore + 1);
        EXPECT_NEAR(state.spawnTimer, c.interval, 1e-5f) << "after spawn " << c.spawnedBefore + 1;
        EXPECT_GE(state.spawnTimer, 0.85f);
    }
}

TEST(Monsters, NoSpawnWithTwelveAliveUntilOneLeaves)
{
    GameState state = createGameState();
    for (int i = 0; i < 12; ++i)
        state.monsters.push_back(build::small(170.0f + 40.0f * static_cast<float>(i), 200.0f));
    state.spawnedCount = 20;
    state.wave = 3;
    state.spawnTimer = 0.01f;
    const std::mt19937 engine = state.rng;

    runSpawning(state, 0.05f);
    runSpawning(state, 0.05f);
    EXPECT_EQ(state.monsters.size(), 12u);
    EXPECT_EQ(state.spawnedCount, 20);
    EXPECT_LE(state.spawnTimer, 0.0f) << "the timer stays run out";
    EXPECT_TRUE(state.rng == engine) << "nothing drawn";

    state.monsters.erase(state.monsters.begin() + 3);
    runSpawning(state, 0.001f);
    EXPECT_EQ(state.monsters.size(), 12u) << "spawned on the first pass with room";
    EXPECT_EQ(state.spawnedCount, 21);
    EXPECT_NEAR(state.spawnTimer, 2.15f - 0.025f * 21.0f, 1e-5f);
    EXPECT_EQ(state.monsters.back().y, 118.0f) << "appended last";
}

TEST(Monsters, TenthSpawnClosesTheWaveAndClearsItsCounters)
{
    GameState state = createGameState();
    state.spawnedCount = 9;
    state.bigSpawnedInWave = 1;
    state.mediumSpawnedInWave = 5;
    state.spawnTimer = 0.0f;
    state.rng = engineWithKindDraw({0.0f, 0.08f});

    runSpawning(state, 0.01f);
    ASSERT_EQ(state.monsters.size(), 1u);
    EXPECT_EQ(state.monsters[0].kind, MonsterKind::Small) << "the 10th spawn still counts against wave 1";
    EXPECT_EQ(state.monsters[0].speed, 3.5f);
    EXPECT_EQ(state.spawnedCount, 10);
    EXPECT_EQ(state.wave, 2);
    EXPECT_EQ(state.bigSpawnedInWave, 0);
    EXPECT_EQ(state.mediumSpawnedInWave, 0);

    // The 11th belongs to wave 2: a Big is allowed again, with wave 2's speed.
    state.spawnTimer = 0.0f;
    state.rng = engineWithKindDraw({0.0f, 0.08f});
    runSpawning(state, 0.01f);
    ASSERT_EQ(state.monsters.size(), 2u);
    EXPECT_EQ(state.monsters[1].kind, MonsterKind::Big);
    EXPECT_EQ(state.monsters[1].speed, 2.5f * std::pow(1.02f, 1.0f));
    EXPECT_EQ(state.bigSpawnedInWave, 1);
    EXPECT_EQ(state.wave, 2);
}

TEST(Monsters, WaveIsBroughtUpToDateBeforeASpawn)
{
    // A stale wave number is corrected before the kind is chosen.
    GameState state = createGameState();
    state.spawnedCount = 20;
    state.wave = 2;
    state.bigSpawnedInWave = 1;
    state.spawnTimer = 0.0f;
    state.rng = engineWithKindDraw({0.0f, 0.08f});

    runSpawning(state, 0.01f);
    ASSERT_EQ(state.monsters.size(), 1u);
    EXPECT_EQ(state.monsters[0].kind, MonsterKind::Big);
    EXPECT_EQ(state.monsters[0].speed, 2.5f * std::pow(1.02f, 2.0f));
    EXPECT_EQ(state.wave, 3);
}
