// Small builders for rule tests: a state built by hand from the start-up state, monsters,
// shots and resting columns, and helpers that read the game's engine the way the rules do.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string_view>

#include "game/game_state.hpp"
#include "game/health_column.hpp"
#include "game/messages.hpp"
#include "game/monsters.hpp"
#include "game/ship.hpp"
#include "game/weapon_column.hpp"

namespace build {

// A monster of the given kind with its wave-1 traits, its top-left corner at (x, y).
inline Monster monster(MonsterKind kind, float x, float y)
{
    Monster m;
    m.kind = kind;
    m.x = x;
    m.y = y;
    switch (kind) {
    case MonsterKind::Small:
        m.width = 40.0f, m.height = 34.0f, m.hitPoints = 10, m.scoreValue = 100, m.escapesPerPenalty = 3;
        m.speed = 3.5f, m.color = {1.0f, 0.88f, 0.1f};
        break;
    case MonsterKind::Medium:
        m.width = 48.0f, m.height = 38.0f, m.hitPoints = 50, m.scoreValue = 350, m.escapesPerPenalty = 2;
        m.speed = 3.0f, m.color = {0.1f, 0.4f, 1.0f};
        break;
    case MonsterKind::Big:
        m.width = 56.0f, m.height = 44.0f, m.hitPoints = 100, m.scoreValue = 700, m.escapesPerPenalty = 1;
        m.speed = 2.5f, m.color = {1.0f, 0.1f, 0.08f};
        break;
    }
    m.maxHitPoints = m.hitPoints;
    return m;
}

inline Monster small(float x, float y) { return monster(MonsterKind::Small, x, y); }
inline Monster medium(float x, float y) { return monster(MonsterKind::Medium, x, y); }
inline Monster big(float x, float y) { return monster(MonsterKind::Big, x, y); }

// A monster whose bottom edge lies exactly on the floor line.
inline Monster onFloor(MonsterKind kind, float x = 300.0f)
{
    Monster m = monster(kind, x, 0.0f);
    m.y = 660.0f - m.height;
    return m;
}

// A straight-up shot centred at (x, y).
inline Shot shot(float x, float y, std::int32_t damage = 1)
{
    return Shot{x, y, 0.0f, -640.0f, 5.0f, damage};
}

// Centre of the bottom crate box of the weapon column (781..829 x 538..586) and of the
// health column (71..119 x 538..586).
inline constexpr float kWeaponCrateCentreX = 805.0f;
inline constexpr float kHealthPackCentreX = 95.0f;
inline constexpr float kBottomCrateCentreY = 562.0f;

inline float slotY(int slot) { return 538.0f - 78.0f * static_cast<float>(slot); }

// A resting weapon column of these types, bottom first.
inline WeaponColumn weaponColumn(std::initializer_list<UpgradeType> types)
{
    WeaponColumn column;
    int slot = 0;
    for (UpgradeType type : types) {
        UpgradeCrate crate;
        crate.x = 781.0f;
        crate.y = crate.targetY = slotY(slot++);
        crate.width = crate.height = 48.0f;
        crate.type = type;
        crate.hitsNeeded = 10;
        column.push_back(crate);
    }
    return column;
}

// The start-up state with a resting weapon column of these types.
inline GameState stateWithWeaponColumn(std::initializer_list<UpgradeType> types)
{
    GameState state = createGameState();
    state.weaponColumn = weaponColumn(types);
    return state;
}

}  // namespace build

namespace draws {

// The engine output as the rules turn it into a unit: its top 24 bits times 2^-24.
inline float unitOf(std::uint32_t u) { return static_cast<float>(u >> 8) * 0x1p-24f; }

// The high and low halves of the 64-bit product n x u.
inline std::uint32_t highOf(std::uint32_t n, std::uint32_t u)
{
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(n) * u) >> 32);
}
inline std::uint32_t lowOf(std::uint32_t n, std::uint32_t u)
{
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(n) * u);
}

inline std::mt19937 advanced(std::mt19937 engine, unsigned long long outputs)
{
    engine.discard(outputs);
    return engine;
}

// An engine, moved on from the game's seed, whose next two outputs as units satisfy want.
template <typename Want>
std::mt19937 engineWithNextUnits(Want want)
{
    std::mt19937 engine(kRandomSeed);
    for (;;) {
        std::mt19937 peek = engine;
        const float u1 = unitOf(static_cast<std::uint32_t>(peek()));
        const float u2 = unitOf(static_cast<std::uint32_t>(peek()));
        if (want(u1, u2))
            return engine;
        engine.discard(1);
    }
}

// The next output of an engine, without moving the engine.
inline std::uint32_t peekOutput(const std::mt19937& engine)
{
    std::mt19937 copy = engine;
    return static_cast<std::uint32_t>(copy());
}

}  // namespace draws

// Checks every field a rule sets when it posts a message.
inline void expectMessage(const FloatingText& message, std::string_view text, float x, float y, float r, float g, float b)
{
    EXPECT_EQ(message.text, text);
    EXPECT_EQ(message.x, x) << text;
    EXPECT_EQ(message.y, y) << text;
    EXPECT_EQ(message.color.r, r) << text;
    EXPECT_EQ(message.color.g, g) << text;
    EXPECT_EQ(message.color.b, b) << text;
    EXPECT_EQ(message.timeLeft, 1.0f) << text;
    EXPECT_EQ(message.lifetime, 1.0f) << text;
}
