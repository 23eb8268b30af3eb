// The busiest state a pass meets, shared by the benchmarks that time a pass or a frame.
#include "bench/peak_state.hpp"

#include <random>

#include "game/playfield.hpp"
#include "game/waves.hpp"
#include "game/weapon_column.hpp"

namespace {

// Late in a long game: level 5 monsters are tough enough to survive the pass they are hit in.
constexpr std::int32_t kPeakWave = 21;
constexpr std::int32_t kPeakPower = 8;

void giveLateLoadout(GameState& state)
{
    state.wave = kPeakWave;
    state.level = levelForWave(kPeakWave);
    state.announcedLevel = state.level;
    state.spawnedCount = (kPeakWave - 1) * 10;
    state.guns = kMostGuns;
    state.power = kPeakPower;
    state.supergun = true;
    state.upgradeHistory = {UpgradeType::Gun, UpgradeType::Power, UpgradeType::Gun, UpgradeType::Supergun};
    for (std::int32_t p = 2; p < kPeakPower - 2; ++p)
        state.upgradeHistory.push_back(UpgradeType::Power);
    state.score = 61'500;
    // 3200 past the last upgrade opens a power crate: the bottom one takes hits.
    state.lastUpgradeScore = 55'000;
    state.health = 80;
    // Only power crates are left to offer; the column refills resting, as at a restart.
    fillWeaponColumn(state.weaponColumn, state.rng, state.guns, state.power, state.supergun, kWeaponColumnX, kFloorY);
}

// Four across and three down in the lane, staggered; all well above the floor line.
void fillLane(GameState& state)
{
    std::mt19937 rng(7);  // the fixture's own dice: the state's engine is left where it was
    std::int32_t mediumSpawned = 0;
    std::int32_t bigSpawned = 0;
    for (int i = 0; i < kMostMonstersAlive; ++i) {
        // A fresh wave count per monster, so the kinds are not capped at one big and five medium.
        if (i % 4 == 0) {
            mediumSpawned = 0;
            bigSpawned = 0;
        }
        Monster monster = spawnMonster(rng, state.wave, mediumSpawned, bigSpawned, kLaneLeft, kLaneRight);
        monster.x = kLaneLeft + 30.0f + 150.0f * static_cast<float>(i % 4);
        monster.y = 130.0f + 140.0f * static_cast<float>(i / 4) + 15.0f * static_cast<float>(i % 4);
        state.monsters.push_back(monster);
    }
}

// Eight across and five down over the whole playfield, in the gaps between the monsters,
// fanned left, straight and right like the supergun's volleys.
void fillSky(GameState& state)
{
    for (int i = 0; i < kPeakShots; ++i) {
        const int column = i % 8;
        const int row = i / 8;
        const float vx = static_cast<float>(column % 3 - 1) * 165.0f;
        Shot shot{65.0f + 110.0f * static_cast<float>(column), 120.0f + 105.0f * static_cast<float>(row), vx,
                  -618.0f, 5.0f, state.power};
        state.shots.push_back(shot);
    }
}

void postMessages(GameState& state)
{
    constexpr float kX = (kLaneLeft + kLaneRight) * 0.5f;
    addMessage(state.messages, "LEVEL 5", kX, 300.0f, {0.55f, 0.85f, 1.0f});
    addMessage(state.messages, "MONSTERS STRONGER", kX, 345.0f, {1.0f, 0.72f, 0.25f});
    addMessage(state.messages, "1 POWER ADDED", kX, 330.0f, {0.75f, 1.0f, 0.55f});
    addMessage(state.messages, "10 HEALTH ADDED", kX, 330.0f, {0.45f, 1.0f, 0.45f});
    // Part way through their rise, the oldest furthest on.
    for (int i = 0; i < kPeakMessages; ++i)
        state.messages[i].timeLeft = 0.3f + 0.2f * static_cast<float>(i);
}

}  // namespace

GameState makePeakState()
{
    GameState state = createGameState();
    giveLateLoadout(state);
    fillLane(state);
    fillSky(state);
    postMessages(state);
    // The open crates have just opened: their rings flash.
    updateUnlockFlash(state.weaponColumn, state.score, state.lastUpgradeScore, 0.0f);
    // Ready to fire, and a spawn due that the full lane holds back.
    state.fireCooldown = 0.0f;
    state.spawnTimer = 0.0f;
    return state;
}
