// The one record of game-wide state, its start-up values, reset and restart.
#include "game/game_state.hpp"

namespace {
constexpr float kShipWidth = 38.0f;
constexpr float kShipHeight = 52.0f;
constexpr float kShipTopAboveBottom = 78.0f;
constexpr float kFirstSpawnDelaySeconds = 0.35f;

void fillColumns(GameState& state)
{
    fillWeaponColumn(state.weaponColumn, state.rng, state.guns, state.power, state.supergun, kWeaponColumnX, kFloorY);
    fillHealthColumn(state.healthColumn, kHealthColumnX, kFloorY);
}

}  // namespace

GameState createGameState()
{
    GameState state;
    resetPlayState(state, kLaneLeft, kLaneRight, kShipBottomReference);
    fillColumns(state);
    return state;
}

void resetPlayState(GameState& state, float laneLeft, float laneRight, float bottomReference)
{
    state.shots.clear();
    state.monsters.clear();
    state.ship.width = kShipWidth;
    state.ship.height = kShipHeight;
    state.ship.x = (laneLeft + laneRight) * 0.5f - kShipWidth * 0.5f;
    state.ship.y = bottomReference - kShipTopAboveBottom;
    state.health = 100;
    state.score = 0;
    state.wave = 1;
    state.spawnedCount = 0;
    state.fireCooldown = 0.0f;
    state.spawnTimer = kFirstSpawnDelaySeconds;
    state.gameOver = false;
}

void restartGame(GameState& state)
{
    state.guns = 1;
    state.power = 1;
    state.supergun = false;
    state.lastUpgradeScore = 0;
    state.level = 1;
    state.announcedLevel = 1;
    state.mediumSpawnedInWave = 0;
    state.bigSpawnedInWave = 0;
    resetPlayState(state, kLaneLeft, kLaneRight, kShipBottomReference);
    state.upgradeHistory.clear();
    state.messages.clear();
    state.smallEscapes = 0;
    state.mediumEscapes = 0;
    fillColumns(state);
}
