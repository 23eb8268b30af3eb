// The replay tool's parts in-process: the command line, the pass loop and the JSON printer.
#include "tools/replay.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <system_error>
#include <utility>

#include "game/game_state.hpp"
#include "tests/tools/run_tool.hpp"

namespace {

// --- Command line -------------------------------------------------------------------------

CommandLine parse(std::vector<std::string_view> arguments)
{
    return parseCommandLine(arguments);
}

TEST(CommandLine, ReadsEveryAndTheScriptInAnyOrder)
{
    const CommandLine both = parse({"--every", "25", "game.txt"});
    EXPECT_EQ(both.every, 25);
    EXPECT_EQ(both.scriptPath, "game.txt");
    EXPECT_EQ(both.usageError, "");

    const CommandLine swapped = parse({"game.txt", "--every", "7"});
    EXPECT_EQ(swapped.every, 7);
    EXPECT_EQ(swapped.scriptPath, "game.txt");

    const CommandLine none = parse({});
    EXPECT_EQ(none.every, 1);
    EXPECT_EQ(none.scriptPath, "-");
    EXPECT_FALSE(none.help);

    EXPECT_EQ(parse({"-"}).scriptPath, "-") << "a lone dash is standard input, not an option";
    EXPECT_EQ(parse({""}).scriptPath, "") << "an empty path is a path that cannot open, not standard input";
    EXPECT_TRUE(parse({"--help"}).help);
}

TEST(CommandLine, RefusesEveryValuesBelowOneOrNotWhole)
{
    for (const std::string_view value : {"0", "-1", "abc", "", "5x", "1.5", "+3", "-99999999999999999999"}) {
        const CommandLine command = parse({"--every", value, "game.txt"});
        EXPECT_EQ(command.usageError, "--every needs a whole number of 1 or more, not '" + std::string(value) + "'");
    }
    EXPECT_EQ(parse({"--every", "99999999999999999999"}).usageError,
              "--every '99999999999999999999' is too large: the most is 9223372036854775807");
    EXPECT_EQ(parse({"--every", "9223372036854775807"}).every, 9223372036854775807);
    EXPECT_EQ(parse({"--every"}).usageError, "--every needs a number");
    EXPECT_EQ(parse({"game.txt", "--every"}).usageError, "--every needs a number");
}

TEST(CommandLine, RefusesUnknownOptionsAndASecondScript)
{
    EXPECT_EQ(parse({"--fast"}).usageError, "unknown option '--fast'");
    EXPECT_EQ(parse({"-e", "5"}).usageError, "unknown option '-e'");
    EXPECT_EQ(parse({"a.txt", "b.txt"}).usageError, "one script only, not also 'b.txt'");
    EXPECT_EQ(parse({"--every", "0", "--fast"}).usageError, "--every needs a whole number of 1 or more, not '0'")
        << "the first problem is the one reported";
    EXPECT_TRUE(parse({"--every", "0", "--help"}).help) << "--help anywhere still shows the help";
}

// --- The pass loop --------------------------------------------------------------------------

struct Replayed {
    std::vector<std::string> lines;
    std::optional<ScriptProblem> problem;
};

Replayed replay(const std::string& script, std::int64_t every = 1)
{
    std::istringstream in(script);
    std::ostringstream out;
    Replayed replayed;
    replayed.problem = replayScript(in, out, every);
    replayed.lines = splitLines(out.str());
    return replayed;
}

std::vector<std::int64_t> passNumbers(const Replayed& replayed)
{
    std::vector<std::int64_t> numbers;
    for (const std::string& line : replayed.lines)
        numbers.push_back(passNumberOf(line));
    return numbers;
}

std::string repeatLine(std::string_view line, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += line;
        text += '\n';
    }
    return text;
}

TEST(Replay, AnEmptyScriptRunsNoPass)
{
    for (const std::string script : {"", "\n\n", "# only a note\n   \n"}) {
        const Replayed replayed = replay(script);
        EXPECT_TRUE(replayed.lines.empty());
        EXPECT_FALSE(replayed.problem.has_value());
    }
}

TEST(Replay, OnlyPassLinesAreNumberedAsPasses)
{
    const Replayed replayed = replay("# opening note\n0.02\n\n   # another\n\t\n0.02 fire\n0.02");
    EXPECT_FALSE(replayed.problem.has_value());
    EXPECT_EQ(passNumbers(replayed), (std::vector<std::int64_t>{1, 2, 3})) << "the last line needs no line end";
}

TEST(Replay, ABadLineStopsTheRunAndNamesItsLine)
{
    const Replayed replayed = replay("0.02\n# note\n\n0.02 fire\n0.02 jump\n0.02\n");
    ASSERT_TRUE(replayed.problem.has_value());
    EXPECT_EQ(replayed.problem->line, 5) << "lines count blank and comment lines too";
    EXPECT_EQ(replayed.problem->problem, "unknown word 'jump'");
    EXPECT_EQ(passNumbers(replayed), (std::vector<std::int64_t>{1, 2})) << "nothing after the bad line runs";

    const Replayed first = replay("abc\n0.02\n");
    ASSERT_TRUE(first.problem.has_value());
    EXPECT_EQ(first.problem->line, 1);
    EXPECT_TRUE(first.lines.empty());
}

TEST(Replay, EveryPrintsTheMultiplesAndTheLastPass)
{
    EXPECT_EQ(passNumbers(replay(repeatLine("0.02", 10), 3)), (std::vector<std::int64_t>{3, 6, 9, 10}));
    EXPECT_EQ(passNumbers(replay(repeatLine("0.02", 9), 3)), (std::vector<std::int64_t>{3, 6, 9}))
        << "a last pass that is also a multiple prints once";
    EXPECT_EQ(passNumbers(replay(repeatLine("0.02", 2), 5)), (std::vector<std::int64_t>{2}));
    EXPECT_EQ(passNumbers(replay(repeatLine("0.02", 4) + "# trailing note\n\n", 3)),
              (std::vector<std::int64_t>{3, 4}))
        << "notes after the last pass do not hide that it is the last";
}

TEST(Replay, EveryStillPrintsTheLastPassBeforeABadLine)
{
    const Replayed replayed = replay(repeatLine("0.02", 5) + "0.02 jump\n", 3);
    EXPECT_EQ(passNumbers(replayed), (std::vector<std::int64_t>{3, 5}));
    ASSERT_TRUE(replayed.problem.has_value());
    EXPECT_EQ(replayed.problem->line, 6);
}

TEST(ScriptReader, ALineOverTheLimitIsABadLineNotReadToItsEnd)
{
    const std::string longest = std::string(kLongestLine - 4, ' ') + "0.02";
    const std::string tooLong(kLongestLine + 1, ' ');
    const std::string script = "0.02\n" + longest + "\n" + tooLong + std::string(kLongestLine, 'x') + "\n0.02\n";
    std::istringstream in(script);
    std::ostringstream out;
    const std::optional<ScriptProblem> problem = replayScript(in, out, 1);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->line, 3);
    EXPECT_EQ(problem->problem, "longer than 1048576 bytes");
    EXPECT_EQ(splitLines(out.str()).size(), 2u) << "a line of the longest length is a pass";
    EXPECT_LE(static_cast<std::size_t>(in.tellg()), script.size() - kLongestLine);
}

// Gives its text, then refuses the next read as a file's buffer does when the system does.
struct FailingReadBuffer : std::stringbuf {
    using std::stringbuf::stringbuf;
    int_type underflow() override
    {
        const int_type next = std::stringbuf::underflow();
        if (traits_type::eq_int_type(next, traits_type::eof()))
            throw std::ios_base::failure("read", std::make_error_code(std::errc::io_error));
        return next;
    }
};

TEST(Replay, AFailedReadIsAProblemAfterThePassesReadBeforeIt)
{
    FailingReadBuffer buffer("0.02\n0.02 fire\n");
    std::istream in(&buffer);
    std::ostringstream out;
    const std::optional<ScriptProblem> problem = replayScript(in, out, 1);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->kind, ScriptProblem::Kind::Unreadable);
    EXPECT_EQ(problem->problem, std::make_error_code(std::errc::io_error).message());
    EXPECT_EQ(splitLines(out.str()).size(), 2u);
}

// Refuses every write, as a full disk does.
struct FailingWriteBuffer : std::streambuf {
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(Replay, AFailedWriteEndsTheRun)
{
    std::istringstream in(repeatLine("0.02", 100));
    FailingWriteBuffer nowhere;
    std::ostream out(&nowhere);
    EXPECT_FALSE(replayScript(in, out, 1).has_value());
    EXPECT_TRUE(out.bad());
    EXPECT_EQ(in.tellg(), 10) << "read on past the first pass and the one after it";
}

// --- The printer ----------------------------------------------------------------------------

// Just enough JSON to read the printer's output back: members keep their order.
struct Json {
    enum class Type { Literal, Number, String, Array, Object } type = Type::Literal;
    std::string text;  // a literal's or number's spelling, a string's decoded bytes
    std::vector<Json> elements;
    std::vector<std::pair<std::string, Json>> members;

    const Json& operator[](std::string_view key) const
    {
        for (const auto& [name, value] : members)
            if (name == key)
                return value;
        throw std::out_of_range("no member " + std::string(key));
    }
};

struct JsonReader {
    std::string_view text;
    std::size_t at = 0;

    char peek() const { return at < text.size() ? text[at] : '\0'; }

    void expect(char c)
    {
        if (peek() != c)
            throw std::runtime_error("expected '" + std::string(1, c) + "' at " + std::to_string(at));
        ++at;
    }

    std::string readString()
    {
        expect('"');
        std::string value;
        while (peek() != '"') {
            char c = text.at(at++);
            if (static_cast<unsigned char>(c) < 0x20)
                throw std::runtime_error("raw control character in a string");
            if (c == '\\') {
                c = text.at(at++);
                if (c == 'u') {
                    value += static_cast<char>(std::stoi(std::string(text.substr(at, 4)), nullptr, 16));
                    at += 4;
                    continue;
                }
                if (c != '"' && c != '\\')
                    throw std::runtime_error("unexpected escape");
            }
            value += c;
        }
        ++at;
        return value;
    }

    Json read()
    {
        Json value;
        const char c = peek();
        if (c == '{') {
            value.type = Json::Type::Object;
            ++at;
            while (peek() != '}') {
                if (!value.members.empty())
                    expect(',');
                std::string key = readString();
                expect(':');
                value.members.emplace_back(std::move(key), read());
            }
            ++at;
        } else if (c == '[') {
            value.type = Json::Type::Array;
            ++at;
            while (peek() != ']') {
                if (!value.elements.empty())
                    expect(',');
                value.elements.push_back(read());
            }
            ++at;
        } else if (c == '"') {
            value.type = Json::Type::String;
            value.text = readString();
        } else {
            const std::size_t end = text.find_first_of(",]}", at);
            value.text = std::string(text.substr(at, end - at));
            value.type = value.text == "true" || value.text == "false" ? Json::Type::Literal : Json::Type::Number;
            at = end;
        }
        return value;
    }
};

Json readJson(std::string_view text)
{
    JsonReader reader{text};
    Json value = reader.read();
    if (reader.at != text.size())
        throw std::runtime_error("text after the value");
    return value;
}

std::vector<std::string> keysOf(const Json& object)
{
    std::vector<std::string> keys;
    for (const auto& member : object.members)
        keys.push_back(member.first);
    return keys;
}

std::uint32_t bitsOf(float value)
{
    return std::bit_cast<std::uint32_t>(value);
}

float readFloat(const std::string& text)
{
    float value = std::numeric_limits<float>::quiet_NaN();
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << "not a number: " << text;
    return value;
}

TEST(Printer, StringsEscapeQuotesBackslashesAndControlCharacters)
{
    std::string text;
    using namespace std::string_view_literals;
    const std::string_view raw = "say \"hi\" \\ \n\t\x01\x1f\0 end"sv;
    appendJsonString(text, raw);
    EXPECT_EQ(text, R"("say \"hi\" \\ \u000a\u0009\u0001\u001f\u0000 end")");
    EXPECT_EQ(readJson(text).text, raw);
}

// A state in which every printed field holds a value of its own, so a field printed under
// the wrong key, or not at all, shows.
GameState distinctState()
{
    GameState state = createGameState();
    state.gameOver = true;
    state.health = 35;
    state.score = 4250;
    state.wave = 7;
    state.level = 2;
    state.announcedLevel = 3;
    state.spawnedCount = 61;
    state.mediumSpawnedInWave = 4;
    state.bigSpawnedInWave = 1;
    state.guns = 3;
    state.power = 12;
    state.supergun = true;
    state.lastUpgradeScore = 2250;
    state.mediumEscapes = 1;
    state.smallEscapes = 2;
    state.fireCooldown = 0.1f / 3.0f;
    state.spawnTimer = -0.0125f;
    state.ship.x = 431.0f / 3.0f;
    Monster big;
    big.kind = MonsterKind::Big;
    big.x = 170.0f + 0.1f;
    big.y = 118.0f / 7.0f;
    big.width = 56.0f;
    big.height = 44.0f;
    big.hitPoints = -3;
    big.maxHitPoints = 120;
    big.scoreValue = 700;
    big.escapesPerPenalty = 1;
    big.speed = 2.5f * 1.02f;
    Monster medium = big;
    medium.kind = MonsterKind::Medium;
    medium.x = 333.3f;
    state.monsters = {big, medium};
    state.shots = {{431.1f, 600.3f, -122.1f, -628.2f, 5.0f, 12}, {440.0f, 500.0f, 0.0f, -640.0f, 5.0f, 0}};
    state.weaponColumn[0].type = UpgradeType::Supergun;
    state.weaponColumn[0].hits = 9;
    state.weaponColumn[0].unlocked = true;
    state.weaponColumn[0].unlockFlash = 4.95f;
    state.weaponColumn[2].y = 300.1f;
    state.weaponColumn.pop_back();
    state.healthColumn[0].hits = 19;
    state.healthColumn[1].y = 461.7f;
    state.upgradeHistory = {UpgradeType::Gun, UpgradeType::Supergun, UpgradeType::Power};
    addMessage(state.messages, "LEVEL 3", 450.0f, 300.0f, {0.55f, 0.85f, 1.0f});
    addMessage(state.messages, "1 POWER LOST", 450.0f, 330.0f, {1.0f, 0.42f, 0.22f});
    state.messages[0].timeLeft = 0.35f;
    return state;
}

void expectFloat(const Json& json, float value, std::string_view where)
{
    ASSERT_EQ(json.type, Json::Type::Number) << where;
    EXPECT_EQ(bitsOf(readFloat(json.text)), bitsOf(value)) << where << ": printed " << json.text;
}

void expectInteger(const Json& json, std::int64_t value, std::string_view where)
{
    ASSERT_EQ(json.type, Json::Type::Number) << where;
    EXPECT_EQ(json.text, std::to_string(value)) << where;
}

void expectBool(const Json& json, bool value, std::string_view where)
{
    ASSERT_EQ(json.type, Json::Type::Literal) << where;
    EXPECT_EQ(json.text, value ? "true" : "false") << where;
}

TEST(Printer, APassLineHoldsEveryFieldUnderItsKeyInTheFormatsOrder)
{
    const GameState state = distinctState();
    std::string line;
    appendPassJson(line, 1234567, 0.05f, state, "Pexilon  |  Score: 4250  |  GAME OVER");
    const Json pass = readJson(line);

    EXPECT_EQ(keysOf(pass), (std::vector<std::string>{
                                "pass", "dt", "gameOver", "health", "score", "wave", "level", "announcedLevel",
                                "spawnedCount", "mediumSpawnedInWave", "bigSpawnedInWave", "guns", "power", "supergun",
                                "lastUpgradeScore", "mediumEscapes", "smallEscapes", "fireCooldown", "spawnTimer",
                                "ship", "monsters", "shots", "weaponColumn", "healthColumn", "upgradeHistory",
                                "messages", "title"}));
    expectInteger(pass["pass"], 1234567, "pass");
    expectFloat(pass["dt"], 0.05f, "dt");
    expectBool(pass["gameOver"], true, "gameOver");
    const std::pair<const char*, std::int32_t> integers[] = {
        {"health", state.health},
        {"score", state.score},
        {"wave", state.wave},
        {"level", state.level},
        {"announcedLevel", state.announcedLevel},
        {"spawnedCount", state.spawnedCount},
        {"mediumSpawnedInWave", state.mediumSpawnedInWave},
        {"bigSpawnedInWave", state.bigSpawnedInWave},
        {"guns", state.guns},
        {"power", state.power},
        {"lastUpgradeScore", state.lastUpgradeScore},
        {"mediumEscapes", state.mediumEscapes},
        {"smallEscapes", state.smallEscapes},
    };
    for (const auto& [key, value] : integers)
        expectInteger(pass[key], value, key);
    expectBool(pass["supergun"], true, "supergun");
    expectFloat(pass["fireCooldown"], state.fireCooldown, "fireCooldown");
    expectFloat(pass["spawnTimer"], state.spawnTimer, "spawnTimer");
    EXPECT_EQ(pass["title"].text, "Pexilon  |  Score: 4250  |  GAME OVER");

    const Json& ship = pass["ship"];
    EXPECT_EQ(keysOf(ship), (std::vector<std::string>{"x", "y", "width", "height"}));
    expectFloat(ship["x"], state.ship.x, "ship.x");
    expectFloat(ship["y"], state.ship.y, "ship.y");
    expectFloat(ship["width"], state.ship.width, "ship.width");
    expectFloat(ship["height"], state.ship.height, "ship.height");
}

TEST(Printer, MonstersAndShotsAreListedInArrayOrderWithEveryField)
{
    const GameState state = distinctState();
    std::string line;
    appendPassJson(line, 1, 0.05f, state, "");
    const Json pass = readJson(line);

    const Json& monsters = pass["monsters"];
    ASSERT_EQ(monsters.elements.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const Json& json = monsters.elements[i];
        const Monster& monster = state.monsters[i];
        EXPECT_EQ(keysOf(json), (std::vector<std::string>{"kind", "x", "y", "width", "height", "hitPoints",
                                                          "maxHitPoints", "scoreValue", "escapesPerPenalty", "speed"}));
        expectInteger(json["kind"], static_cast<std::int32_t>(monster.kind), "kind");
        expectFloat(json["x"], monster.x, "monster.x");
        expectFloat(json["y"], monster.y, "monster.y");
        expectFloat(json["width"], monster.width, "monster.width");
        expectFloat(json["height"], monster.height, "monster.height");
        expectInteger(json["hitPoints"], monster.hitPoints, "hitPoints");
        expectInteger(json["maxHitPoints"], monster.maxHitPoints, "maxHitPoints");
        expectInteger(json["scoreValue"], monster.scoreValue, "scoreValue");
        expectInteger(json["escapesPerPenalty"], monster.escapesPerPenalty, "escapesPerPenalty");
        expectFloat(json["speed"], monster.speed, "speed");
    }

    const Json& shots = pass["shots"];
    ASSERT_EQ(shots.elements.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const Json& json = shots.elements[i];
        const Shot& shot = state.shots[i];
        EXPECT_EQ(keysOf(json), (std::vector<std::string>{"x", "y", "vx", "vy", "radius", "damage"}));
        expectFloat(json["x"], shot.x, "shot.x");
        expectFloat(json["y"], shot.y, "shot.y");
        expectFloat(json["vx"], shot.vx, "shot.vx");
        expectFloat(json["vy"], shot.vy, "shot.vy");
        expectFloat(json["radius"], shot.radius, "shot.radius");
        expectInteger(json["damage"], shot.damage, "shot.damage");
    }
}

TEST(Printer, ColumnsHistoryAndMessagesAreListedWithEveryField)
{
    const GameState state = distinctState();
    std::string line;
    appendPassJson(line, 1, 0.05f, state, "");
    const Json pass = readJson(line);

    const Json& weapons = pass["weaponColumn"];
    ASSERT_EQ(weapons.elements.size(), state.weaponColumn.size());
    for (std::size_t i = 0; i < state.weaponColumn.size(); ++i) {
        const Json& json = weapons.elements[i];
        const UpgradeCrate& crate = state.weaponColumn[i];
        EXPECT_EQ(keysOf(json), (std::vector<std::string>{"x", "y", "width", "height", "targetY", "type", "hits",
                                                          "hitsNeeded", "unlocked", "unlockFlash"}));
        expectFloat(json["x"], crate.x, "crate.x");
        expectFloat(json["y"], crate.y, "crate.y");
        expectFloat(json["width"], crate.width, "crate.width");
        expectFloat(json["height"], crate.height, "crate.height");
        expectFloat(json["targetY"], crate.targetY, "crate.targetY");
        expectInteger(json["type"], static_cast<std::int32_t>(crate.type), "crate.type");
        expectInteger(json["hits"], crate.hits, "crate.hits");
        expectInteger(json["hitsNeeded"], crate.hitsNeeded, "crate.hitsNeeded");
        expectBool(json["unlocked"], crate.unlocked, "crate.unlocked");
        expectFloat(json["unlockFlash"], crate.unlockFlash, "crate.unlockFlash");
    }

    const Json& packs = pass["healthColumn"];
    ASSERT_EQ(packs.elements.size(), state.healthColumn.size());
    for (std::size_t i = 0; i < state.healthColumn.size(); ++i) {
        const Json& json = packs.elements[i];
        const HealthCrate& pack = state.healthColumn[i];
        EXPECT_EQ(keysOf(json), (std::vector<std::string>{"x", "y", "width", "height", "targetY", "hits", "hitsNeeded"}));
        expectFloat(json["x"], pack.x, "pack.x");
        expectFloat(json["y"], pack.y, "pack.y");
        expectFloat(json["width"], pack.width, "pack.width");
        expectFloat(json["height"], pack.height, "pack.height");
        expectFloat(json["targetY"], pack.targetY, "pack.targetY");
        expectInteger(json["hits"], pack.hits, "pack.hits");
        expectInteger(json["hitsNeeded"], pack.hitsNeeded, "pack.hitsNeeded");
    }

    const Json& history = pass["upgradeHistory"];
    ASSERT_EQ(history.elements.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        expectInteger(history.elements[i], static_cast<std::int32_t>(state.upgradeHistory[i]), "history");

    const Json& messages = pass["messages"];
    ASSERT_EQ(messages.elements.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const Json& json = messages.elements[i];
        const FloatingText& message = state.messages[i];
        EXPECT_EQ(keysOf(json), (std::vector<std::string>{"text", "x", "y", "timeLeft", "lifetime", "r", "g", "b"}));
        EXPECT_EQ(json["text"].text, message.text);
        expectFloat(json["x"], message.x, "message.x");
        expectFloat(json["y"], message.y, "message.y");
        expectFloat(json["timeLeft"], message.timeLeft, "message.timeLeft");
        expectFloat(json["lifetime"], message.lifetime, "message.lifetime");
        expectFloat(json["r"], message.color.r, "message.r");
        expectFloat(json["g"], message.color.g, "message.g");
        expectFloat(json["b"], message.color.b, "message.b");
    }
}

TEST(Printer, EmptyListsPrintAsEmptyArrays)
{
    GameState state = createGameState();
    state.weaponColumn.clear();
    std::string line;
    appendPassJson(line, 1, 0.0f, state, "");
    const Json pass = readJson(line);
    for (const char* key : {"monsters", "shots", "weaponColumn", "upgradeHistory", "messages"}) {
        EXPECT_EQ(pass[key].type, Json::Type::Array) << key;
        EXPECT_TRUE(pass[key].elements.empty()) << key;
    }
}

// --- Inputs the fuzzer once found trouble with ----------------------------------------------

// Each file is replayed as the fuzzer replayed it; beyond not crashing (the sanitized build
// watches that), it must give the same output twice and name a line inside the file.
TEST(FuzzRegressions, ReplayTheSameTwiceAndNameOnlyTheirOwnLines)
{
    const std::filesystem::path folder = testDataPath("replay/fuzz-regressions");
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string script = readWholeFile(entry.path());
        const Replayed first = replay(script);
        const Replayed second = replay(script);
        EXPECT_EQ(first.lines, second.lines) << entry.path();
        if (first.problem) {
            const auto lineCount = std::count(script.begin(), script.end(), '\n') + 1;
            EXPECT_GE(first.problem->line, 1) << entry.path();
            EXPECT_LE(first.problem->line, lineCount) << entry.path();
        }
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "no input found in " << folder;
}

}  // namespace
