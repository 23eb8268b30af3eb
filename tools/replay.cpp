// The replay tool without its process: the command line, script lines, the pass loop and
// the JSON form of a pass.
#include "tools/replay.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <system_error>

#include "game/game_state.hpp"

namespace {

std::optional<std::int64_t> parsePositiveCount(std::string_view text)
{
    std::int64_t value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < 1)
        return std::nullopt;
    return value;
}

std::string quoted(std::string_view text)
{
    std::string result;
    result.reserve(text.size() + 2);
    result += '\'';
    result += text;
    result += '\'';
    return result;
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
            const std::string_view value = arguments[++i];
            if (const std::optional<std::int64_t> every = parsePositiveCount(value))
                command.every = *every;
            else
                reject("--every needs a whole number of 1 or more, not " + quoted(value));
        } else if (argument.size() > 1 && argument.front() == '-') {
            reject("unknown option " + quoted(argument));
        } else if (scriptGiven) {
            reject("one script only, not also " + quoted(argument));
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
           "error, an unreadable script or a bad script line.\n";
}

namespace {

constexpr std::string_view kFieldSeparators = " \t";

// Takes the next field off the front of `rest`; empty when none is left.
std::string_view takeField(std::string_view& rest)
{
    const std::size_t start = rest.find_first_not_of(kFieldSeparators);
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const std::size_t length = std::min(rest.find_first_of(kFieldSeparators), rest.size());
    const std::string_view field = rest.substr(0, length);
    rest.remove_prefix(length);
    return field;
}

// A frame time as a 32-bit float, or nothing when it is not a plain decimal number of
// 0 or more (negative, infinite, NaN, trailing junk).
std::optional<float> parseFrameTime(std::string_view text)
{
    // A sign in front of a positive number is still a decimal number; from_chars takes none.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    float value = 0.0f;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (stop != end)
        return std::nullopt;
    // from_chars rejects a value past float's range without saying which side; strtof
    // rounds it the way a float parse does, to infinity (refused below) or to zero.
    if (error == std::errc::result_out_of_range)
        value = std::strtof(std::string(text).c_str(), nullptr);
    else if (error != std::errc())
        return std::nullopt;
    // "-0" (or a negative number too small for a float) reads as zero, which is no negative time.
    if (!std::isfinite(value) || value < 0.0f)
        return std::nullopt;
    return value;
}

ScriptLine badLine(std::string problem)
{
    ScriptLine line;
    line.kind = LineKind::Bad;
    line.problem = std::move(problem);
    return line;
}

}  // namespace

ScriptLine parseScriptLine(std::string_view line)
{
    // A script saved with CRLF line ends reads the same.
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    std::string_view rest = line;
    const std::string_view first = takeField(rest);
    if (first.empty() || first.front() == '#')
        return {};
    const std::optional<float> frameTime = parseFrameTime(first);
    if (!frameTime)
        return badLine("bad frame time " + quoted(first));
    ScriptLine parsed;
    parsed.kind = LineKind::Pass;
    parsed.input.dt = capFrameTime(*frameTime);
    for (std::string_view word = takeField(rest); !word.empty(); word = takeField(rest)) {
        if (word == "left")
            parsed.input.held.left = true;
        else if (word == "right")
            parsed.input.held.right = true;
        else if (word == "fire")
            parsed.input.held.fire = true;
        else if (word == "restart")
            parsed.input.restarts += 1;
        else
            return badLine("unknown word " + quoted(word));
    }
    return parsed;
}

namespace {

// Reads on to the next pass line or bad line, counting every line read; an Ignored line
// at the end of the script.
ScriptLine readToPassOrProblem(std::istream& script, std::string& buffer, std::int64_t& lineNumber)
{
    while (std::getline(script, buffer)) {
        ++lineNumber;
        ScriptLine parsed = parseScriptLine(buffer);
        if (parsed.kind != LineKind::Ignored)
            return parsed;
    }
    return {};
}

}  // namespace

std::optional<ScriptProblem> replayScript(std::istream& script, std::ostream& out, std::int64_t every)
{
    GameState state = createGameState();
    std::string buffer;
    std::string json;
    std::int64_t lineNumber = 0;
    std::int64_t pass = 0;
    ScriptLine next = readToPassOrProblem(script, buffer, lineNumber);
    while (next.kind == LineKind::Pass) {
        const PassInput input = next.input;
        const std::string title = runPass(state, input);
        ++pass;
        // Read one line ahead: only then is it known whether this pass is the last one.
        next = readToPassOrProblem(script, buffer, lineNumber);
        if (pass % every != 0 && next.kind == LineKind::Pass)
            continue;
        json.clear();
        appendPassJson(json, pass, input.dt, state, title);
        json += '\n';
        out.write(json.data(), static_cast<std::streamsize>(json.size()));
    }
    if (next.kind == LineKind::Bad)
        return ScriptProblem{lineNumber, std::move(next.problem)};
    return std::nullopt;
}

void appendFloat(std::string& out, float value)
{
    char buffer[32];
    const std::to_chars_result result = std::to_chars(std::begin(buffer), std::end(buffer), value);
    out.append(buffer, result.ptr);
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

// Every value kind a pass prints; declared up front so the member and array templates
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

template <typename Value>
void appendMember(std::string& out, std::string_view key, const Value& value)
{
    out += '"';
    out += key;
    out += "\":";
    appendValue(out, value);
    out += ',';
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
    out += '{';
    appendMember(out, "x", ship.x);
    appendMember(out, "y", ship.y);
    appendMember(out, "width", ship.width);
    appendMember(out, "height", ship.height);
    close(out, '}');
}

void appendValue(std::string& out, const Monster& monster)
{
    out += '{';
    appendMember(out, "kind", monster.kind);
    appendMember(out, "x", monster.x);
    appendMember(out, "y", monster.y);
    appendMember(out, "width", monster.width);
    appendMember(out, "height", monster.height);
    appendMember(out, "hitPoints", monster.hitPoints);
    appendMember(out, "maxHitPoints", monster.maxHitPoints);
    appendMember(out, "scoreValue", monster.scoreValue);
    appendMember(out, "escapesPerPenalty", monster.escapesPerPenalty);
    appendMember(out, "speed", monster.speed);
    close(out, '}');
}

void appendValue(std::string& out, const Shot& shot)
{
    out += '{';
    appendMember(out, "x", shot.x);
    appendMember(out, "y", shot.y);
    appendMember(out, "vx", shot.vx);
    appendMember(out, "vy", shot.vy);
    appendMember(out, "radius", shot.radius);
    appendMember(out, "damage", shot.damage);
    close(out, '}');
}

void appendValue(std::string& out, const UpgradeCrate& crate)
{
    out += '{';
    appendMember(out, "x", crate.x);
    appendMember(out, "y", crate.y);
    appendMember(out, "width", crate.width);
    appendMember(out, "height", crate.height);
    appendMember(out, "targetY", crate.targetY);
    appendMember(out, "type", crate.type);
    appendMember(out, "hits", crate.hits);
    appendMember(out, "hitsNeeded", crate.hitsNeeded);
    appendMember(out, "unlocked", crate.unlocked);
    appendMember(out, "unlockFlash", crate.unlockFlash);
    close(out, '}');
}

void appendValue(std::string& out, const HealthCrate& pack)
{
    out += '{';
    appendMember(out, "x", pack.x);
    appendMember(out, "y", pack.y);
    appendMember(out, "width", pack.width);
    appendMember(out, "height", pack.height);
    appendMember(out, "targetY", pack.targetY);
    appendMember(out, "hits", pack.hits);
    appendMember(out, "hitsNeeded", pack.hitsNeeded);
    close(out, '}');
}

void appendValue(std::string& out, const FloatingText& message)
{
    out += '{';
    appendMember(out, "text", std::string_view(message.text));
    appendMember(out, "x", message.x);
    appendMember(out, "y", message.y);
    appendMember(out, "timeLeft", message.timeLeft);
    appendMember(out, "lifetime", message.lifetime);
    appendMember(out, "r", message.color.r);
    appendMember(out, "g", message.color.g);
    appendMember(out, "b", message.color.b);
    close(out, '}');
}

}  // namespace

void appendPassJson(std::string& out, std::int64_t pass, float dt, const GameState& state, std::string_view title)
{
    out += '{';
    appendMember(out, "pass", pass);
    appendMember(out, "dt", dt);
    appendMember(out, "gameOver", state.gameOver);
    appendMember(out, "health", state.health);
    appendMember(out, "score", state.score);
    appendMember(out, "wave", state.wave);
    appendMember(out, "level", state.level);
    appendMember(out, "announcedLevel", state.announcedLevel);
    appendMember(out, "spawnedCount", state.spawnedCount);
    appendMember(out, "mediumSpawnedInWave", state.mediumSpawnedInWave);
    appendMember(out, "bigSpawnedInWave", state.bigSpawnedInWave);
    appendMember(out, "guns", state.guns);
    appendMember(out, "power", state.power);
    appendMember(out, "supergun", state.supergun);
    appendMember(out, "lastUpgradeScore", state.lastUpgradeScore);
    appendMember(out, "mediumEscapes", state.mediumEscapes);
    appendMember(out, "smallEscapes", state.smallEscapes);
    appendMember(out, "fireCooldown", state.fireCooldown);
    appendMember(out, "spawnTimer", state.spawnTimer);
    appendMember(out, "ship", state.ship);
    appendMember(out, "monsters", state.monsters);
    appendMember(out, "shots", state.shots);
    appendMember(out, "weaponColumn", state.weaponColumn);
    appendMember(out, "healthColumn", state.healthColumn);
    appendMember(out, "upgradeHistory", state.upgradeHistory);
    appendMember(out, "messages", state.messages);
    appendMember(out, "title", title);
    close(out, '}');
}
