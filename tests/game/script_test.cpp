// Replay scripts: reading lines and passes, and writing a pass so that it reads back the same.
#include "game/quoting.hpp"
#include "game/script.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(ScriptLine, ReadsTheFrameTimeThenTheWordsInAnyOrder)
{
    const ScriptLine plain = parseScriptLine("0.016667");
    ASSERT_EQ(plain.kind, LineKind::Pass);
    EXPECT_EQ(plain.input.dt, 0.016667f);
    EXPECT_FALSE(plain.input.held.left || plain.input.held.right || plain.input.held.fire);
    EXPECT_EQ(plain.input.restarts, 0);

    const ScriptLine all = parseScriptLine("0.02 fire right left");
    ASSERT_EQ(all.kind, LineKind::Pass);
    EXPECT_TRUE(all.input.held.left);
    EXPECT_TRUE(all.input.held.right);
    EXPECT_TRUE(all.input.held.fire);

    const ScriptLine tabs = parseScriptLine("\t 0.02\t\tleft  \t");
    ASSERT_EQ(tabs.kind, LineKind::Pass);
    EXPECT_EQ(tabs.input.dt, 0.02f);
    EXPECT_TRUE(tabs.input.held.left);
    EXPECT_FALSE(tabs.input.held.right);

    const ScriptLine crlf = parseScriptLine("0.02 fire\r");
    ASSERT_EQ(crlf.kind, LineKind::Pass) << crlf.problem;
    EXPECT_TRUE(crlf.input.held.fire);
}

TEST(ScriptLine, CountsEveryRestartWord)
{
    const ScriptLine line = parseScriptLine("0.02 restart fire restart restart");
    ASSERT_EQ(line.kind, LineKind::Pass);
    EXPECT_EQ(line.input.restarts, 3);
    EXPECT_TRUE(line.input.held.fire);
}

TEST(ScriptLine, CapsTheFrameTimeAsTheMainLoopDoes)
{
    const std::pair<std::string_view, float> cases[] = {
        {"0.3", 0.05f},  {"0.05", 0.05f},   {"0.0500001", 0.05f}, {"0.049", 0.049f}, {"1e-4", 1e-4f},
        {"0", 0.0f},     {"0.0", 0.0f},     {"5.", 0.05f},        {".01", 0.01f},    {"2E-2", 0.02f},
        {"1e-50", 0.0f},  // below the smallest float: rounds to zero, like any float parse
        {"+0.02", 0.02f}, {"+1", 0.05f},
    };
    for (const auto& [text, dt] : cases) {
        const ScriptLine line = parseScriptLine(text);
        ASSERT_EQ(line.kind, LineKind::Pass) << text << ": " << line.problem;
        EXPECT_EQ(line.input.dt, dt) << text;
    }
}

TEST(ScriptLine, SkipsBlankAndCommentLines)
{
    for (const std::string_view text : {"", "   ", "\t", "\r", "# a note", "  \t# indented", "#0.05 fire"})
        EXPECT_EQ(parseScriptLine(text).kind, LineKind::Ignored) << '"' << text << '"';
}

TEST(ScriptLine, NamesWhatIsWrongWithABadLine)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"abc", "bad frame time 'abc'"},
        {"-0.01", "bad frame time '-0.01'"},
        {"-0", "bad frame time '-0'"},  // a minus sign says negative, even on what reads as zero
        {"-1e-50", "bad frame time '-1e-50'"},
        {"+-1", "bad frame time '+-1'"},
        {"+", "bad frame time '+'"},
        {"inf", "bad frame time 'inf'"},
        {"-inf", "bad frame time '-inf'"},
        {"infinity", "bad frame time 'infinity'"},
        {"nan", "bad frame time 'nan'"},
        {"1e50", "bad frame time '1e50'"},  // infinite as a float
        {"0.1x", "bad frame time '0.1x'"},
        {"0x1p-4", "bad frame time '0x1p-4'"},
        {"\v0.02", "bad frame time '\\x0b0.02'"},  // strtof would skip the leading space
        {"fire 0.02", "bad frame time 'fire'"},
        {"0.02 jump", "unknown word 'jump'"},
        {"0.02 fire Fire", "unknown word 'Fire'"},
        {"0.02 fire,left", "unknown word 'fire,left'"},
        {"0.02 fire # held", "unknown word '#'"},
    };
    for (const auto& [text, problem] : cases) {
        const ScriptLine line = parseScriptLine(text);
        EXPECT_EQ(line.kind, LineKind::Bad) << text;
        EXPECT_EQ(line.problem, problem) << text;
    }
    EXPECT_EQ(parseScriptLine("0.02 " + std::string(200'000, 'j')).problem,
              "unknown word '" + std::string(kMostQuotedChars, 'j') + "...'");
}

TEST(ScriptReader, GivesThePassesInOrderThenTheBadLineByItsNumber)
{
    std::istringstream script("# warm up\n0.02 left\n\n0.3 fire restart\n0.02 jump\n0.02\n");
    ScriptReader reader{script};
    std::vector<PassInput> passes;
    while (const std::optional<PassInput> pass = readPass(reader))
        passes.push_back(*pass);
    ASSERT_EQ(passes.size(), 2u);
    EXPECT_TRUE(passes[0].held.left);
    EXPECT_EQ(passes[1].dt, 0.05f);
    EXPECT_EQ(passes[1].restarts, 1);
    ASSERT_TRUE(reader.problem.has_value());
    EXPECT_EQ(reader.problem->kind, ScriptProblem::Kind::BadLine);
    EXPECT_EQ(reader.problem->line, 5);
    EXPECT_FALSE(readPass(reader).has_value()) << "nothing is read past a problem";
}

TEST(ScriptReader, TheLongestLineIsAPassAndOneByteMoreIsABadLine)
{
    for (const std::size_t length : {kLongestLine, kLongestLine + 1}) {
        SCOPED_TRACE(length);
        std::istringstream script(std::string(length - 4, ' ') + "0.02\n");
        ScriptReader reader{script};
        EXPECT_EQ(readPass(reader).has_value(), length == kLongestLine);
        EXPECT_EQ(reader.problem.has_value(), length > kLongestLine);
    }
}

// A pass as a recording writes it, read back as a replay reads it.
PassInput writtenAndReadBack(const PassInput& pass, std::string& line)
{
    line.clear();
    appendScriptLine(line, pass);
    EXPECT_TRUE(line.ends_with('\n')) << line;
    const ScriptLine parsed = parseScriptLine(std::string_view(line).substr(0, line.size() - 1));
    EXPECT_EQ(parsed.kind, LineKind::Pass) << line << parsed.problem;
    return parsed.input;
}

TEST(ScriptWriter, WritesTheFrameTimeShortThenTheHeldWordsThenOneRestartEach)
{
    const std::pair<PassInput, std::string_view> cases[] = {
        {{0.016667f, 0, {}}, "0.016667\n"},
        {{0.05f, 0, {true, false, true}}, "0.05 left fire\n"},
        {{1e-4f, 2, {false, true, false}}, "1e-04 right restart restart\n"},  // the shorter form
        {{0.0f, 1, {true, true, true}}, "0 left right fire restart\n"},
    };
    std::string line;
    for (const auto& [pass, text] : cases) {
        const PassInput read = writtenAndReadBack(pass, line);
        EXPECT_EQ(line, text);
        EXPECT_EQ(read.held.left, pass.held.left) << text;
        EXPECT_EQ(read.held.right, pass.held.right) << text;
        EXPECT_EQ(read.held.fire, pass.held.fire) << text;
        EXPECT_EQ(read.restarts, pass.restarts) << text;
    }
}

TEST(ScriptWriter, EveryFrameTimeReadsBackAsTheVerySameFloat)
{
    // The edges of what a capped frame time can be, then many drawn at random between them.
    std::vector<float> frameTimes = {0.0f,
                                     std::numeric_limits<float>::denorm_min(),
                                     std::numeric_limits<float>::min(),
                                     1.0f / 60.0f,
                                     1.0f / 144.0f,
                                     std::nextafter(0.05f, 0.0f),
                                     0.05f};
    std::mt19937 bits(12);
    const std::uint32_t capBits = std::bit_cast<std::uint32_t>(0.05f);
    while (frameTimes.size() < 100'000)
        frameTimes.push_back(std::bit_cast<float>(static_cast<std::uint32_t>(bits() % (capBits + 1))));
    std::string line;
    for (const float dt : frameTimes) {
        const PassInput read = writtenAndReadBack({dt, 0, {}}, line);
        ASSERT_EQ(std::bit_cast<std::uint32_t>(read.dt), std::bit_cast<std::uint32_t>(dt)) << line;
    }
}

}  // namespace
