// The replay tool without its process: the command line, the pass loop and the JSON form
// of a pass.
#include "tools/replay.hpp"

#include <charconv>
#include <iterator>
#include <istream>
#include <limits>
#include <ostream>
#include <system_error>

#include "game/float_text.hpp"
#include "game/game_state.hpp"
#include "game/quoting.hpp"

namespace {

// Why an --every value is refused, or nothing when it is a whole number of 1 or more,
// which is then in `every`.
std::optional<std::string> everyProblem(std::string_view text, std::int64_t& every)
{
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, every);
    if (stop == end && error == std::errc::result_out_of_range && !text.starts_with('-'))
        return "--every " + quoteForMessage(text) + " is too large: the most is " +
               std::to_string(std::numeric_limits<std::int64_t>::max());
    if (stop != end || error != std::errc() || every < 1)
        return "--every needs a whole number of 1 or more, not " + quoteForMessage(text);
    return std::nullopt;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string_view>& arguments)
{
    CommandLine command;
    bool scriptGiven = false;
    // The first problem is kept, but the scan goes on: --help anywhere still wins.
    auto reject = [&command](std::string problem) {
        if (command.usageError.empty())
            command.usageError = std::move(problem);
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help") {
            command.help = true;
        } else if (argument == "--every") {
            if (i + 1 == arguments.size()) {
                reject("--every needs a number");
                continue;
            }
            std::int64_t every = 0;
            if (std::optional<std::string> problem = everyProblem(arguments[++i], every))
                reject(std::move(*problem));
            else
                command.every = every;
        } else if (argument.size() > 1 && argument.front() == '-') {
            reject("unknown option " + quoteForMessage(argument));
        } else if (scriptGiven) {
            reject("one script only, not also " + quoteForMessage(argument));
        } else {
            command.scriptPath = std::string(argument);
            scriptGiven = true;
        }
    }
    return command;
}

std::string_view usageText()
{
    return "usage: pexilon-replay [--every N] [SCRIPT]\n"
           "\n"
           "Runs the game's rules without a window, one pass of the main loop per script line,\n"
           "and prints the whole state after each pass as one JSON object a line.\n"
           "\n"
           "  SCRIPT     the script file; without it, or with -, standard input\n"
           "  --every N  print only the passes whose number is a multiple of N (N >= 1),\n"
           "             and always the last pass\n"
           "  --help     this text\n"
           "\n"
           "A script line is a frame time in seconds (capped at 0.05 as in the game), then\n"
           "any of the words left, right, fire and restart. Blank lines and lines starting\n"
           "with # are skipped. Exit status: 0 after the whole script ran, 2 on a usage\n"
           "error, an unreadable script or a bad script line, 1 when the output could not\n"
           "be written.\n";
}

std::optional<ScriptProblem> replayScript(std::istream& script, std::ostream& out, std::int64_t every)
{
    GameState state = createGameState();
    ScriptReader reader{script};
    std::string json;
    std::int64_t pass = 0;
    std::optional<PassInput> next = readPass(reader);
    // Nobody sees the passes after a failed write: the run ends there.
    while (next && out) {
        const PassInput input = *next;
        const std::string title = runPass(state, input);
        ++pass;
        // Read one pass ahead: only then is it known whether this pass is the last one.
        next = readPass(reader);
        if (pass % every != 0 && next)
            continue;
        json.clear();
        appendPassJson(json, pass, input.dt, state, title);
        json += '\n';
        out.write(json.data(), static_cast<std::streamsize>(json.size()));
    }
    return reader.problem;
}

void appendJsonString(std::string& out, std::string_view text)
{
    constexpr char kHexDigits[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xf];
        } else {
            out += c;
        }
    }
    out += '"';
}

namespace {

// Every value kind a pass prints; declared up front so the object and array templates
// below see them all.
void appendValue(std::string& out, float value);
void appendValue(std::string& out, std::int32_t value);
void appendValue(std::string& out, std::int64_t value);
void appendValue(std::string& out, bool value);
void appendValue(std::string& out, std::string_view value);
void appendValue(std::string& out, MonsterKind kind);
void appendValue(std::string& out, UpgradeType type);
void appendValue(std::string& out, const PlayerShip& ship);
void appendValue(std::string& out, const Monster& monster);
void appendValue(std::string& out, const Shot& shot);
void appendValue(std::string& out, const UpgradeCrate& crate);
void appendValue(std::string& out, const HealthCrate& pack);
void appendValue(std::string& out, const FloatingText& message);

// Every member and element is written with a comma after it; the closing bracket takes
// the place of the last one.
void close(std::string& out, char bracket)
{
    if (out.back() == ',')
        out.back() = bracket;
    else
        out += bracket;
}

template <typename Element>
void appendValue(std::string& out, const std::vector<Element>& elements)
{
    out += '[';
    for (const Element& element : elements) {
        appendValue(out, element);
        out += ',';
    }
    close(out, ']');
}

void appendMembers(std::string& out)
{
    close(out, '}');
}

template <typename Value, typename... More>
void appendMembers(std::string& out, std::string_view key, const Value& value, const More&... more)
{
    out += '"';
    out += key;
    out += "\":";
    appendValue(out, value);
    out += ',';
    appendMembers(out, more...);
}

// An object from its members, each key followed by its value:
// appendObject(out, "x", ship.x, "y", ship.y).
template <typename... KeysAndValues>
void appendObject(std::string& out, const KeysAndValues&... keysAndValues)
{
    static_assert(sizeof...(keysAndValues) % 2 == 0, "every key needs its value");
    out += '{';
    appendMembers(out, keysAndValues...);
}

void appendValue(std::string& out, float value)
{
    appendFloat(out, value);
}

void appendValue(std::string& out, std::int64_t value)
{
    char buffer[24];
    const std::to_chars_result result = std::to_chars(std::begin(buffer), std::end(buffer), value);
    out.append(buffer, result.ptr);
}

void appendValue(std::string& out, std::int32_t value)
{
    appendValue(out, static_cast<std::int64_t>(value));
}

void appendValue(std::string& out, bool value)
{
    out += value ? "true" : "false";
}

void appendValue(std::string& out, std::string_view value)
{
    appendJsonString(out, value);
}

void appendValue(std::string& out, MonsterKind kind)
{
    appendValue(out, static_cast<std::int32_t>(kind));
}

void appendValue(std::string& out, UpgradeType type)
{
    appendValue(out, static_cast<std::int32_t>(type));
}

void appendValue(std::string& out, const PlayerShip& ship)
{
    appendObject(out, "x", ship.x, "y", ship.y, "width", ship.width, "height", ship.height);
}

void appendValue(std::string& out, const Monster& monster)
{
    appendObject(out,
                 "kind", monster.kind,
                 "x", monster.x,
                 "y", monster.y,
                 "width", monster.width,
                 "height", monster.height,
                 "hitPoints", monster.hitPoints,
                 "maxHitPoints", monster.maxHitPoints,
                 "scoreValue", monster.scoreValue,
                 "escapesPerPenalty", monster.escapesPerPenalty,
                 "speed", monster.speed);
}

void appendValue(std::string& out, const Shot& shot)
{
    appendObject(out,
                 "x", shot.x,
                 "y", shot.y,
                 "vx", shot.vx,
                 "vy", shot.vy,
                 "radius", shot.radius,
                 "damage", shot.damage);
}

void appendValue(std::string& out, const UpgradeCrate& crate)
{
    appendObject(out,
                 "x", crate.x,
                 "y", crate.y,
                 "width", crate.width,
                 "height", crate.height,
                 "targetY", crate.targetY,
                 "type", crate.type,
                 "hits", crate.hits,
                 "hitsNeeded", crate.hitsNeeded,
                 "unlocked", crate.unlocked,
                 "unlockFlash", crate.unlockFlash);
}

void appendValue(std::string& out, const HealthCrate& pack)
{
    appendObject(out,
                 "x", pack.x,
                 "y", pack.y,
                 "width", pack.width,
                 "height", pack.height,
                 "targetY", pack.targetY,
                 "hits", pack.hits,
                 "hitsNeeded", pack.hitsNeeded);
}

void appendValue(std::string& out, const FloatingText& message)
{
    appendObject(out,
                 "text", std::string_view(message.text),
                 "x", message.x,
                 "y", message.y,
                 "timeLeft", message.timeLeft,
                 "lifetime", message.lifetime,
                 "r", message.color.r,
                 "g", message.color.g,
                 "b", message.color.b);
}

}  // namespace

void appendPassJson(std::string& out, std::int64_t pass, float dt, const GameState& state, std::string_view title)
{
    appendObject(out,
                 "pass", pass,
                 "dt", dt,
                 "gameOver", state.gameOver,
                 "health", state.health,
                 "score", state.score,
                 "wave", state.wave,
                 "level", state.level,
                 "announcedLevel", state.announcedLevel,
                 "spawnedCount", state.spawnedCount,
                 "mediumSpawnedInWave", state.mediumSpawnedInWave,
                 "bigSpawnedInWave", state.bigSpawnedInWave,
                 "guns", state.guns,
                 "power", state.power,
                 "supergun", state.supergun,
                 "lastUpgradeScore", state.lastUpgradeScore,
                 "mediumEscapes", state.mediumEscapes,
                 "smallEscapes", state.smallEscapes,
                 "fireCooldown", state.fireCooldown,
                 "spawnTimer", state.spawnTimer,
                 "ship", state.ship,
                 "monsters", state.monsters,
                 "shots", state.shots,
                 "weaponColumn", state.weaponColumn,
                 "healthColumn", state.healthColumn,
                 "upgradeHistory", state.upgradeHistory,
                 "messages", state.messages,
                 "title", title);
}
