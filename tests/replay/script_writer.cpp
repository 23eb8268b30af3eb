// Writes the scripts of the golden games. Each game is played through the game's own pass
// by a small autopilot that reads the state, so the keys it records do what the comments in
// the script say: it shoots the monster nearest the floor, parks at a column, or idles.
//
//   replay_script_writer OUTPUT_FOLDER
//
// The scripts are inputs, committed as written; tools/regenerate-goldens rewrites them
// only when asked to (see there).
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <string_view>

#include "game/game_state.hpp"
#include "game/pass.hpp"
#include "game/playfield.hpp"
#include "game/weapon_column.hpp"
#include "tools/replay.hpp"

namespace {

// Long enough for the slowest game (the idle one), short enough to stop a lost autopilot.
constexpr int kMostPassesPerScript = 40000;

struct Recording {
    std::string name;
    GameState state = createGameState();
    std::string script;
    int passes = 0;
};

void note(Recording& game, std::string_view text)
{
    game.script += "# ";
    game.script += text;
    game.script += '\n';
}

// Writes one script line and runs it exactly as the replay tool will read it.
void play(Recording& game, std::string_view frameTime, HeldKeys keys, int restarts = 0)
{
    std::string line(frameTime);
    if (keys.left)
        line += " left";
    if (keys.right)
        line += " right";
    if (keys.fire)
        line += " fire";
    for (int i = 0; i < restarts; ++i)
        line += " restart";
    runPass(game.state, parseScriptLine(line).input);
    game.script += line;
    game.script += '\n';
    if (++game.passes > kMostPassesPerScript) {
        std::cerr << "replay_script_writer: " << game.name << " did not reach its goal in "
                  << kMostPassesPerScript << " passes\n";
        std::exit(1);
    }
}

void playTimes(Recording& game, int passes, std::string_view frameTime, HeldKeys keys)
{
    for (int i = 0; i < passes; ++i)
        play(game, frameTime, keys);
}

using Goal = std::function<bool(const GameState&)>;
using Autopilot = std::function<HeldKeys(const GameState&)>;

void playUntil(Recording& game, const Goal& done, std::string_view frameTime, const Autopilot& keysFor)
{
    while (!done(game.state))
        play(game, frameTime, keysFor(game.state));
}

constexpr HeldKeys kNoKeys{};
constexpr HeldKeys kFire{false, false, true};
constexpr HeldKeys kLeft{true, false, false};
constexpr HeldKeys kRight{false, true, false};
constexpr HeldKeys kLeftAndFire{true, false, true};

Autopilot holding(HeldKeys keys)
{
    return [keys](const GameState&) { return keys; };
}

float frameSeconds(std::string_view frameTime)
{
    return parseScriptLine(frameTime).input.dt;
}

// Steers the ship's centre under `targetX` and fires meanwhile. Within half a step of the
// target it stands still, so it does not swing around it.
HeldKeys steerAndFire(const PlayerShip& ship, float targetX, float dt)
{
    constexpr float kShipSpeedPerSecond = 430.0f;
    const float centre = ship.x + ship.width * 0.5f;
    const float halfStep = kShipSpeedPerSecond * dt * 0.5f;
    HeldKeys keys = kFire;
    keys.left = targetX < centre - halfStep;
    keys.right = targetX > centre + halfStep;
    return keys;
}

// Shoots the monster nearest the floor; with the lane empty, waits at its centre.
Autopilot huntLowest(std::string_view frameTime)
{
    const float dt = frameSeconds(frameTime);
    return [dt](const GameState& state) {
        const Monster* lowest = nullptr;
        for (const Monster& monster : state.monsters)
            if (lowest == nullptr || monster.y + monster.height > lowest->y + lowest->height)
                lowest = &monster;
        if (lowest == nullptr) {
            HeldKeys keys = steerAndFire(state.ship, (kLaneLeft + kLaneRight) * 0.5f, dt);
            keys.fire = false;
            return keys;
        }
        return steerAndFire(state.ship, lowest->x + lowest->width * 0.5f, dt);
    };
}

bool parkedRight(const GameState& state)
{
    return state.ship.x + state.ship.width == 850.0f;
}

bool parkedLeft(const GameState& state)
{
    return state.ship.x == 50.0f;
}

bool bottomCrateOpen(const GameState& state)
{
    return !state.weaponColumn.empty() &&
           isCrateUnlocked(state.weaponColumn.front(), state.score, state.lastUpgradeScore);
}

void writeOpening(Recording& game)
{
    note(game, "The opening seconds of a game: timers, the volley cadence, the frame-time cap and the first spawns.");
    note(game, "Start-up: a few passes at 60 fps, standing still.");
    playTimes(game, 6, "0.016667", kNoKeys);
    note(game, "Tiny frame times barely move the timers.");
    playTimes(game, 6, "1e-4", kNoKeys);
    note(game, "Fire held at 60 fps: a volley at once, then one every 0.16 s of game time.");
    playTimes(game, 40, "0.016667", kFire);
    note(game, "Frame-time spikes: 0.3 s passes advance the game by 0.05 s only.");
    playTimes(game, 4, "0.3", kFire);
    note(game, "Right, then both move keys together (the ship stays put), then left while firing.");
    playTimes(game, 15, "0.016667", kRight);
    playTimes(game, 6, "0.016667", HeldKeys{true, true, false});
    playTimes(game, 15, "0.016667", kLeftAndFire);
    note(game, "Hands off through the first three spawns (0.35 s, then 2.125 s and 2.1 s apart).");
    playUntil(game, [](const GameState& state) { return state.spawnedCount == 3; }, "0.05",
              holding(kNoKeys));
    playTimes(game, 5, "0.05", kNoKeys);
}

void writeRestarts(Recording& game)
{
    note(game, "Restarts: in the middle of a game, and several on one line.");
    note(game, "Park under the health column and shoot the bottom pack 20 times at full health.");
    playUntil(game, parkedLeft, "0.05", holding(kLeft));
    playUntil(game, [](const GameState& state) { return !state.messages.empty(); }, "0.05",
              holding(kLeftAndFire));
    playTimes(game, 4, "0.05", kNoKeys);
    note(game, "Restart mid-game with monsters, shots in flight and the HEALTH FULL message up.");
    play(game, "0.016667", kNoKeys, 1);
    playTimes(game, 10, "0.016667", kNoKeys);
    note(game, "Two restarts on one line: two fresh weapon columns drawn one after the other, then fire.");
    play(game, "0.016667", kFire, 2);
    note(game, "The first spawn of the new game comes 0.35 s after the restart.");
    playTimes(game, 30, "0.016667", kFire);
}

void writeIdleGameOver(Recording& game)
{
    note(game, "Nobody at the keys: the monsters sink, escape and cost health until the game ends.");
    playUntil(game, [](const GameState& state) { return state.gameOver; }, "0.05", holding(kNoKeys));
    note(game, "Game over: nothing moves, whatever the keys; the last messages fade out.");
    playTimes(game, 100, "0.05", kLeftAndFire);
    playTimes(game, 50, "0.3", kNoKeys);
    note(game, "R during game over: a new game, updated in the same pass.");
    play(game, "0.05", kNoKeys, 1);
    playTimes(game, 20, "0.05", kNoKeys);
}

void writeLaneLevelUp(Recording& game)
{
    note(game, "Fighting in the lane, shooting the monster nearest the floor, past the");
    note(game, "50th spawn: wave 6, level 2, the two-line banner, and stronger monsters after it.");
    playUntil(game, [](const GameState& state) { return state.spawnedCount == 53; }, "0.05",
              huntLowest("0.05"));
}

// Fights until the bottom weapon crate opens, parks under the column and shoots it until
// its upgrade is granted.
void winUpgrade(Recording& game)
{
    note(game, "Fight in the lane until the score opens the bottom weapon crate (2000 past the last upgrade");
    note(game, "for a Gun crate, 3200 for Power).");
    playUntil(game, bottomCrateOpen, "0.05", huntLowest("0.05"));
    note(game, "Park at the weapon column (the ship stops at x 812) and shoot the crate ten times.");
    playUntil(game, parkedRight, "0.05", holding(kRight));
    const std::size_t granted = game.state.upgradeHistory.size();
    playUntil(game, [granted](const GameState& state) { return state.upgradeHistory.size() > granted; }, "0.05",
              holding(kFire));
}

// Parks under the health column, waits hands off until health is at most `health`, then
// shoots the bottom pack until it is claimed.
void healAt(Recording& game, int health)
{
    playUntil(game, parkedLeft, "0.05", holding(kLeft));
    playUntil(game, [health](const GameState& state) { return state.health <= health; }, "0.05",
              holding(kNoKeys));
    const int before = game.state.health;
    playUntil(game, [before](const GameState& state) { return state.health > before; }, "0.05",
              holding(kFire));
}

void writeUpgradesAndLosses(Recording& game)
{
    note(game, "Upgrades won at the weapon column, taken back newest first by penalties, and health");
    note(game, "packs claimed at partial health.");
    winUpgrade(game);
    winUpgrade(game);
    winUpgrade(game);
    note(game, "Hands off under the health column: escapes take the upgrades back, newest first, then");
    note(game, "5 health each. At health 90 shoot a pack: 100, \"10 HEALTH ADDED\".");
    healAt(game, 90);
    note(game, "Wait for the next loss (95) and claim again: still \"10 HEALTH ADDED\", though 5 were added.");
    healAt(game, 95);
    playTimes(game, 20, "0.05", kNoKeys);
}

void save(const Recording& game, const std::string& folder)
{
    const std::string path = folder + "/" + game.name + ".txt";
    std::ofstream file(path);
    file << game.script;
    if (!file) {
        std::cerr << "replay_script_writer: cannot write " << path << '\n';
        std::exit(1);
    }
    std::cout << path << ": " << game.passes << " passes\n";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: replay_script_writer OUTPUT_FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    const std::pair<std::string, void (*)(Recording&)> scripts[] = {
        {"opening", writeOpening},
        {"restarts", writeRestarts},
        {"idle-game-over", writeIdleGameOver},
        {"lane-level-up", writeLaneLevelUp},
        {"upgrades-and-losses", writeUpgradesAndLosses},
    };
    for (const auto& [name, write] : scripts) {
        Recording game;
        game.name = name;
        write(game);
        save(game, folder);
    }
    return 0;
}
