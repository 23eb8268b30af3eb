// The game state at start-up, the play reset and the full restart.
#include "game/game_state.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "game/messages.hpp"
#include "tests/game/builders.hpp"

namespace {

std::vector<UpgradeType> typesOf(const WeaponColumn& column)
{
    std::vector<UpgradeType> types;
    for (const UpgradeCrate& crate : column)
        types.push_back(crate.type);
    return types;
}

// A game well under way: every field away from its start value.
GameState gameUnderWay()
{
    GameState state = createGameState();
    state.ship.x = 700.0f;
    state.shots.push_back(build::shot(400.0f, 300.0f, 4));
    state.monsters.push_back(build::big(300.0f, 400.0f));
    state.weaponColumn = build::weaponColumn({UpgradeType::Supergun});
    state.healthColumn[0].hits = 7;
    state.healthColumn.pop_back();
    state.upgradeHistory = {UpgradeType::Gun, UpgradeType::Supergun, UpgradeType::Gun};
    addMessage(state.messages, "1 GUN ADDED", 450.0f, 330.0f, {0.75f, 1.0f, 0.55f});
    state.messages.back().timeLeft = 0.4f;
    state.health = 35;
    state.score = 12345;
    state.wave = 12;
    state.level = 3;
    state.announcedLevel = 3;
    state.spawnedCount = 115;
    state.mediumSpawnedInWave = 4;
    state.bigSpawnedInWave = 1;
    state.guns = 3;
    state.power = 6;
    state.supergun = true;
    state.lastUpgradeScore = 9000;
    state.mediumEscapes = 1;
    state.smallEscapes = 2;
    state.fireCooldown = 0.07f;
    state.spawnTimer = -0.2f;
    state.gameOver = true;
    state.loadoutChanged = true;
    return state;
}

void expectFreshGame(const GameState& state)
{
    EXPECT_EQ(state.ship.x, 431.0f);
    EXPECT_EQ(state.ship.y, 622.0f);
    EXPECT_EQ(state.ship.width, 38.0f);
    EXPECT_EQ(state.ship.height, 52.0f);
    EXPECT_TRUE(state.shots.empty());
    EXPECT_TRUE(state.monsters.empty());
    EXPECT_TRUE(state.upgradeHistory.empty());
    EXPECT_TRUE(state.messages.empty());
    EXPECT_EQ(state.health, 100);
    EXPECT_EQ(state.score, 0);
    EXPECT_EQ(state.wave, 1);
    EXPECT_EQ(state.level, 1);
    EXPECT_EQ(state.announcedLevel, 1);
    EXPECT_EQ(state.spawnedCount, 0);
    EXPECT_EQ(state.mediumSpawnedInWave, 0);
    EXPECT_EQ(state.bigSpawnedInWave, 0);
    EXPECT_EQ(state.guns, 1);
    EXPECT_EQ(state.power, 1);
    EXPECT_FALSE(state.supergun);
    EXPECT_EQ(state.lastUpgradeScore, 0);
    EXPECT_EQ(state.mediumEscapes, 0);
    EXPECT_EQ(state.smallEscapes, 0);
    EXPECT_EQ(state.fireCooldown, 0.0f);
    EXPECT_EQ(state.spawnTimer, 0.35f);
    EXPECT_FALSE(state.gameOver);

    ASSERT_EQ(state.healthColumn.size(), 5u);
    ASSERT_EQ(state.weaponColumn.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const HealthCrate& pack = state.healthColumn[i];
        EXPECT_EQ(pack.x, 71.0f);
        EXPECT_EQ(pack.y, build::slotY(i)) << "pack " << i << " rests at once";
        EXPECT_EQ(pack.targetY, build::slotY(i));
        EXPECT_EQ(pack.width, 48.0f);
        EXPECT_EQ(pack.height, 48.0f);
        EXPECT_EQ(pack.hits, 0);
        EXPECT_EQ(pack.hitsNeeded, 20);

        const UpgradeCrate& crate = state.weaponColumn[i];
        EXPECT_EQ(crate.x, 781.0f);
        EXPECT_EQ(crate.y, build::slotY(i)) << "crate " << i << " rests at once";
        EXPECT_EQ(crate.targetY, build::slotY(i));
        EXPECT_EQ(crate.width, 48.0f);
        EXPECT_EQ(crate.height, 48.0f);
        EXPECT_EQ(crate.hits, 0);
        EXPECT_EQ(crate.hitsNeeded, 10);
        EXPECT_FALSE(crate.unlocked);
        EXPECT_EQ(crate.unlockFlash, 0.0f);
        EXPECT_NE(crate.type, UpgradeType::Supergun);
    }
}

}  // namespace

TEST(GameState, StartUpIsAFreshGame)
{
    const GameState state = createGameState();
    expectFreshGame(state);
    EXPECT_FALSE(state.loadoutChanged);
}

TEST(GameState, FirstWeaponColumnIsFixedBySeed)
{
    // Five draws from the seeded engine, each an index into Gun, Gun, Power, Power, Power:
    // the high half of 5 x u.
    constexpr UpgradeType kCandidates[] = {UpgradeType::Gun, UpgradeType::Gun, UpgradeType::Power,
                                           UpgradeType::Power, UpgradeType::Power};
    std::mt19937 reference(kRandomSeed);
    std::vector<UpgradeType> expected;
    for (int i = 0; i < 5; ++i) {
        const auto u = static_cast<std::uint32_t>(reference());
        ASSERT_GE(draws::lowOf(5, u), 5u) << "no rejection at these draws";
        expected.push_back(kCandidates[draws::highOf(5, u)]);
    }

    const GameState state = createGameState();
    EXPECT_EQ(typesOf(state.weaponColumn), expected);
    EXPECT_EQ(typesOf(state.weaponColumn),
              (std::vector{UpgradeType::Power, UpgradeType::Power, UpgradeType::Gun, UpgradeType::Power, UpgradeType::Gun}));
    EXPECT_TRUE(state.rng == reference) << "start-up draws exactly one output per crate";
    EXPECT_EQ(typesOf(createGameState().weaponColumn), expected) << "every start-up is the same";
}

TEST(GameState, RestartStartsAFreshGameAndKeepsTheEngineRunning)
{
    GameState state = gameUnderWay();
    std::mt19937 engine = state.rng;
    WeaponColumn expectedColumn;
    fillWeaponColumn(expectedColumn, engine, 1, 1, false, 760.0f, 660.0f);

    restartGame(state);

    expectFreshGame(state);
    EXPECT_EQ(typesOf(state.weaponColumn), typesOf(expectedColumn)) << "drawn from the engine where it stood";
    EXPECT_TRUE(state.rng == engine);
    EXPECT_FALSE(state.rng == draws::advanced(std::mt19937(kRandomSeed), 5)) << "the engine is not reseeded";
    EXPECT_TRUE(state.loadoutChanged) << "left for the next update to clear";
}

TEST(GameState, PlayResetTouchesOnlyThePlayFields)
{
    GameState state = gameUnderWay();
    resetPlayState(state, 0.0f, 100.0f, 500.0f);

    EXPECT_EQ(state.ship.x, 31.0f) << "centred between the edges given";
    EXPECT_EQ(state.ship.y, 422.0f) << "78 above the bottom given";
    EXPECT_EQ(state.ship.width, 38.0f);
    EXPECT_EQ(state.ship.height, 52.0f);
    EXPECT_TRUE(state.shots.empty());
    EXPECT_TRUE(state.monsters.empty());
    EXPECT_EQ(state.health, 100);
    EXPECT_EQ(state.score, 0);
    EXPECT_EQ(state.wave, 1);
    EXPECT_EQ(state.spawnedCount, 0);
    EXPECT_EQ(state.fireCooldown, 0.0f);
    EXPECT_EQ(state.spawnTimer, 0.35f);
    EXPECT_FALSE(state.gameOver);

    // Left for the restart to handle.
    EXPECT_EQ(state.level, 3);
    EXPECT_EQ(state.guns, 3);
    EXPECT_EQ(state.lastUpgradeScore, 9000);
    EXPECT_EQ(state.bigSpawnedInWave, 1);
    EXPECT_EQ(state.smallEscapes, 2);
    EXPECT_EQ(state.upgradeHistory.size(), 3u);
    EXPECT_EQ(state.messages.size(), 1u);
    EXPECT_EQ(state.weaponColumn.size(), 1u);
    EXPECT_EQ(state.healthColumn.size(), 4u);
}
