// One pass of the game, written once: the main loop and the replay tool both run it.
#include "game/pass.hpp"

#include <algorithm>

#include "game/game_state.hpp"
#include "game/title.hpp"
#include "game/columns.hpp"
#include "game/hits.hpp"
#include "game/waves.hpp"

namespace {
constexpr float kLongestFrameSeconds = 0.05f;
}

float capFrameTime(float seconds)
{
    return std::min(kLongestFrameSeconds, seconds);
}

void updateGame(GameState& state, float dt, const HeldKeys& held)
{
    state.loadoutChanged = false;
    moveShip(state.ship, dt, held.left, held.right);
    runGuns(state, dt, held.fire);
    runSpawning(state, dt);
    announceLevel(state.wave, state.level, state.announcedLevel, state.messages);
    // New shots move in the pass that fired them.
    moveShots(state.shots, dt);
    cullShots(state.shots);
    slideColumn(state.weaponColumn, dt);
    slideColumn(state.healthColumn, dt);
    moveMonsters(state.monsters, dt);
    // A shot is offered to the monsters, then the weapon crate, then the health pack;
    // its first hit spends it.
    hitMonsters(state.monsters, state.shots);
    shootWeaponColumn(state);
    shootHealthColumn(state.healthColumn, state.shots, state.health, state.messages);
    removeSpentShots(state.shots);
    // Kills come before escapes: a monster killed on the floor line scores and costs nothing.
    collectKills(state.monsters, state.score);
    handleEscapes(state);
    if (state.loadoutChanged)
        topUpWeaponColumn(state.weaponColumn, state.rng, state.guns, state.power, state.supergun, kWeaponColumnX, kFloorY);
    updateUnlockFlash(state.weaponColumn, state.score, state.lastUpgradeScore, dt);
    checkGameOver(state.health, state.gameOver);
}

std::string runPass(GameState& state, const PassInput& input)
{
    for (int i = 0; i < input.restarts; ++i)
        restartGame(state);
    // Messages keep fading while the game is over.
    ageMessages(state.messages, input.dt);
    if (!state.gameOver)
        updateGame(state, input.dt, input.held);
    return composeTitle(state);
}
