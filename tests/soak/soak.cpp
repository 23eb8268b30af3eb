// Long random play through the game's own pass, with the game's invariants checked after
// every pass.
//
//   soak [--passes N] [--scripts FOLDER]
//
// N (default 1000000) is shared out over the fixed seeds. With --scripts each seed's game is
// also written to FOLDER/seed-SEED.txt as a replay script, which the replay tool plays into
// the very same game (scripts/build-windows --check compares the traces of Linux and Windows).
//
// A random player, driven by the soak's own generator (never the game's), mashes keys,
// hunts monsters, shoots both crate columns, idles long enough for games to end, and
// restarts now and then; frame times are random in [0, 0.3] s before the game's cap. The
// first broken invariant stops the run with its seed and pass number and exit code 1.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#include "game/game_state.hpp"
#include "game/pass.hpp"
#include "game/script.hpp"
#include "game/waves.hpp"
#include "game/weapon_column.hpp"

namespace {

constexpr std::uint64_t kSeeds[] = {20260601, 7, 424242, 99991};

// --- The random player ------------------------------------------------------------------

double unit(std::mt19937_64& dice)
{
    return static_cast<double>(dice() >> 11) * 0x1p-53;
}

bool chance(std::mt19937_64& dice, double probability)
{
    return unit(dice) < probability;
}

int between(std::mt19937_64& dice, int low, int high)
{
    return low + static_cast<int>(unit(dice) * (high - low + 1));
}

enum class Behaviour { Mash, Hunt, ShootWeapons, ShootHealth, Idle };

struct Player {
    Behaviour behaviour = Behaviour::Mash;
    int passesLeft = 0;
    HeldKeys mashed;
    int mashedPassesLeft = 0;
};

// Spans in passes: idle ones long enough (at 0.05 s a pass) for monsters to reach the floor.
void chooseBehaviour(Player& player, std::mt19937_64& dice)
{
    const double roll = unit(dice);
    if (roll < 0.2) {
        player.behaviour = Behaviour::Mash;
        player.passesLeft = between(dice, 20, 400);
    } else if (roll < 0.65) {
        player.behaviour = Behaviour::Hunt;
        player.passesLeft = between(dice, 500, 8000);
    } else if (roll < 0.75) {
        player.behaviour = Behaviour::ShootWeapons;
        player.passesLeft = between(dice, 100, 1500);
    } else if (roll < 0.85) {
        player.behaviour = Behaviour::ShootHealth;
        player.passesLeft = between(dice, 100, 1500);
    } else {
        player.behaviour = Behaviour::Idle;
        player.passesLeft = between(dice, 1000, 20000);
    }
}

constexpr HeldKeys kRightAndFire{false, true, true};
constexpr HeldKeys kLeftAndFire{true, false, true};

// Fire held, moving toward the monster nearest the floor; once the bottom weapon crate
// opens, off to the weapon column to claim it, so games reach the bigger loadouts.
HeldKeys hunt(const GameState& state)
{
    const bool crateOpen = !state.weaponColumn.empty() &&
                           isCrateUnlocked(state.weaponColumn.front(), state.score, state.lastUpgradeScore);
    if (crateOpen)
        return kRightAndFire;
    HeldKeys keys;
    keys.fire = true;
    const Monster* lowest = nullptr;
    for (const Monster& monster : state.monsters)
        if (lowest == nullptr || monster.y + monster.height > lowest->y + lowest->height)
            lowest = &monster;
    if (lowest != nullptr) {
        const float aim = lowest->x + lowest->width * 0.5f;
        const float centre = state.ship.x + state.ship.width * 0.5f;
        keys.left = aim < centre - 4.0f;
        keys.right = aim > centre + 4.0f;
    }
    return keys;
}

HeldKeys chooseKeys(Player& player, std::mt19937_64& dice, const GameState& state)
{
    if (player.passesLeft-- <= 0)
        chooseBehaviour(player, dice);
    switch (player.behaviour) {
    case Behaviour::Mash:
        if (player.mashedPassesLeft-- <= 0) {
            player.mashed = {chance(dice, 0.5), chance(dice, 0.5), chance(dice, 0.5)};
            player.mashedPassesLeft = between(dice, 1, 8);
        }
        return player.mashed;
    case Behaviour::Hunt: return hunt(state);
    case Behaviour::ShootWeapons: return kRightAndFire;
    case Behaviour::ShootHealth: return kLeftAndFire;
    case Behaviour::Idle: break;
    }
    return {};
}

// Now and then a restart, rarely several at once; after a game ends, one comes within a
// few hundred passes.
int chooseRestarts(std::mt19937_64& dice, const GameState& state)
{
    if (state.gameOver)
        return chance(dice, 0.01) ? 1 : 0;
    if (chance(dice, 1.0 / 200000.0))
        return between(dice, 2, 4);
    return chance(dice, 1.0 / 40000.0) ? 1 : 0;
}

float chooseFrameTime(std::mt19937_64& dice)
{
    constexpr double kLongestMeasuredFrameSeconds = 0.3;
    return static_cast<float>(unit(dice) * kLongestMeasuredFrameSeconds);
}

// --- The invariants ---------------------------------------------------------------------

// Describes the first invariant the state breaks, or returns empty. `lowestScore` is the
// score the game had before this pass, or 0 after a restart.
std::string brokenInvariant(const GameState& state, std::int32_t lowestScore)
{
    std::ostringstream why;
    if (state.health < 0 || state.health > 100)
        why << "health " << state.health << " outside 0..100";
    else if ((state.health == 0) != state.gameOver)
        why << "health " << state.health << " with gameOver " << state.gameOver;
    else if (state.guns < 1 || state.guns > kMostGuns)
        why << "guns " << state.guns;
    else if (state.power < 1 || state.power > kMostPower)
        why << "power " << state.power;
    else if (state.supergun && state.guns < 2)
        why << "supergun with " << state.guns << " gun";
    else if (state.monsters.size() > kMostMonstersAlive)
        why << state.monsters.size() << " monsters";
    else if (state.weaponColumn.size() > 5)
        why << state.weaponColumn.size() << " weapon crates";
    else if (state.healthColumn.size() != 5)
        why << state.healthColumn.size() << " health packs";
    else if (state.messages.size() > MaxMessages)
        why << state.messages.size() << " messages";
    else if (state.score < lowestScore)
        why << "score fell from " << lowestScore << " to " << state.score;
    else if (state.wave != state.spawnedCount / 10 + 1)
        why << "wave " << state.wave << " after " << state.spawnedCount << " spawns";
    else if (state.level != levelForWave(state.wave))
        why << "level " << state.level << " at wave " << state.wave;
    if (!why.str().empty())
        return why.str();

    for (std::size_t i = 0; i < state.shots.size(); ++i) {
        const Shot& shot = state.shots[i];
        if (shot.damage <= 0)
            why << "spent shot " << i << " left in flight";
        else if (shot.y + shot.radius < 88.0f || shot.x + shot.radius < 0.0f || shot.x - shot.radius > 900.0f)
            why << "shot " << i << " at (" << shot.x << ", " << shot.y << ") beyond the culling lines";
        if (!why.str().empty())
            return why.str();
    }
    for (std::size_t i = 0; i < state.monsters.size(); ++i) {
        const Monster& monster = state.monsters[i];
        if (monster.y + monster.height >= 660.0f) {
            why << "monster " << i << " with its bottom at " << monster.y + monster.height << ", past the floor";
            return why.str();
        }
    }
    for (std::size_t i = 0; i < state.weaponColumn.size(); ++i) {
        const UpgradeType type = state.weaponColumn[i].type;
        if (!isUpgradeEligible(type, state.guns, state.power, state.supergun)) {
            why << "weapon crate " << i << " of type " << static_cast<int>(type) << " with guns " << state.guns
                << ", power " << state.power << ", supergun " << state.supergun;
            return why.str();
        }
    }
    return {};
}

// --- The run ----------------------------------------------------------------------------

struct Figures {
    std::int64_t passes = 0;
    std::int64_t gamesEnded = 0;
    std::int64_t restarts = 0;
    std::int64_t upgradesGranted = 0;
    std::int64_t mostMonsters = 0;
    std::int32_t mostPower = 0;
    std::int32_t highestWave = 0;
    bool loadoutSeen[kMostGuns + 1][2] = {};  // by guns, then supergun
};

// Plays `passes` passes from one seed, writing them to `script` when it is open; false after
// reporting a broken invariant.
bool soakOneSeed(std::uint64_t seed, std::int64_t passes, Figures& figures, std::ofstream& script)
{
    std::mt19937_64 dice(seed);
    Player player;
    GameState state = createGameState();
    std::string line;  // the script line of a pass, kept to reuse its memory
    for (std::int64_t pass = 1; pass <= passes; ++pass) {
        const bool wasOver = state.gameOver;
        const std::int32_t lastUpgradeScoreBefore = state.lastUpgradeScore;
        const std::int32_t scoreBefore = state.score;
        PassInput input;
        input.restarts = chooseRestarts(dice, state);
        input.held = chooseKeys(player, dice, state);
        input.dt = capFrameTime(chooseFrameTime(dice));
        if (script.is_open()) {
            line.clear();
            appendScriptLine(line, input);
            script << line;
        }
        runPass(state, input);

        const std::string broken = brokenInvariant(state, input.restarts > 0 ? 0 : scoreBefore);
        if (!broken.empty()) {
            std::cerr << "soak: seed " << seed << ", pass " << pass << ": " << broken << '\n';
            return false;
        }
        figures.passes += 1;
        figures.restarts += input.restarts;
        figures.gamesEnded += state.gameOver && (!wasOver || input.restarts > 0) ? 1 : 0;
        // A grant records the score, which lies at least 2000 past the one before.
        const std::int32_t lastUpgradeScoreAfterRestarts = input.restarts > 0 ? 0 : lastUpgradeScoreBefore;
        figures.upgradesGranted += state.lastUpgradeScore != lastUpgradeScoreAfterRestarts ? 1 : 0;
        figures.mostMonsters = std::max<std::int64_t>(figures.mostMonsters, state.monsters.size());
        figures.mostPower = std::max(figures.mostPower, state.power);
        figures.highestWave = std::max(figures.highestWave, state.wave);
        figures.loadoutSeen[state.guns][state.supergun ? 1 : 0] = true;
    }
    return true;
}

struct Options {
    std::int64_t passes = 1000000;
    std::string scriptFolder;  // empty: no scripts written
};

// The options, or nothing when they are not understood.
std::optional<Options> parseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        const std::string_view value = argv[i + 1];
        if (option == "--scripts") {
            options.scriptFolder = value;
            continue;
        }
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), options.passes);
        if (option != "--passes" || error != std::errc() || end != value.data() + value.size() || options.passes < 1)
            return std::nullopt;
    }
    if (argc % 2 == 0)
        return std::nullopt;
    return options;
}

// The loadouts seen, as "1 2 3 2S 3S": gun counts, S with the supergun.
std::string loadoutsSeen(const Figures& figures)
{
    std::string seen;
    for (const int supergun : {0, 1})
        for (std::int32_t guns = 1; guns <= kMostGuns; ++guns)
            if (figures.loadoutSeen[guns][supergun]) {
                if (!seen.empty())
                    seen += ' ';
                seen += std::to_string(guns);
                if (supergun)
                    seen += 'S';
            }
    return seen;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        std::cerr << "usage: soak [--passes N] [--scripts FOLDER]   (N >= 1, default 1000000)\n";
        return 2;
    }
    constexpr auto kSeedCount = static_cast<std::int64_t>(std::size(kSeeds));
    Figures figures;
    for (std::int64_t i = 0; i < kSeedCount; ++i) {
        const std::int64_t share = options->passes / kSeedCount + (i < options->passes % kSeedCount ? 1 : 0);
        std::ofstream script;
        if (!options->scriptFolder.empty()) {
            const std::string path = options->scriptFolder + "/seed-" + std::to_string(kSeeds[i]) + ".txt";
            script.open(path, std::ios::binary);
            if (!script) {
                std::cerr << "soak: cannot write " << path << '\n';
                return 2;
            }
        }
        if (!soakOneSeed(kSeeds[i], share, figures, script))
            return 1;
    }
    std::cout << "soak: " << figures.passes << " passes from " << kSeedCount << " seeds, " << figures.gamesEnded
              << " games ended, " << figures.restarts << " restarts, " << figures.upgradesGranted
              << " upgrades granted (most power " << figures.mostPower << ", loadouts " << loadoutsSeen(figures)
              << "), highest wave " << figures.highestWave << ", most monsters alive " << figures.mostMonsters
              << "; every invariant held\n";
    return 0;
}
