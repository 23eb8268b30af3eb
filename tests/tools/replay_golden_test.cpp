// The golden games: each script in tests/replay runs through the built tool and must print
// exactly its committed trace, NAME.golden.jsonl beside NAME.txt. Long games are compared
// thinned with --every, to keep the traces small.
//
// After a deliberate change of the rules the traces are rewritten, not compared, with
//     PEXILON_UPDATE_GOLDENS=1 build-replay/tests/replay_tests --gtest_filter='Golden*'
// (tools/regenerate-goldens does this). Read the new traces against the rules before
// committing them: a trace nobody checked proves nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "tests/tools/run_tool.hpp"

namespace {

struct Golden {
    const char* name;
    int every;
};

constexpr Golden kGoldens[] = {
    {"opening", 1},
    {"restarts", 1},
    {"idle-game-over", 100},
    {"lane-level-up", 50},
    {"upgrades-and-losses", 50},
};

bool updatingGoldens()
{
    const char* update = std::getenv("PEXILON_UPDATE_GOLDENS");
    return update != nullptr && std::string(update) == "1";
}

// Where two lines first differ, with some text around it, so a failure names the field.
std::string firstDifference(const std::string& expected, const std::string& actual)
{
    constexpr std::size_t kContext = 80;
    const std::size_t at = std::mismatch(expected.begin(), expected.begin() + std::min(expected.size(), actual.size()),
                                         actual.begin())
                               .first -
                           expected.begin();
    const std::size_t from = at > kContext ? at - kContext : 0;
    return "at column " + std::to_string(at + 1) + "\n  golden: ..." + expected.substr(from, 2 * kContext) +
           "\n  now:    ..." + actual.substr(from, 2 * kContext);
}

// Names the game in test output instead of dumping the record's bytes.
void PrintTo(const Golden& golden, std::ostream* out)
{
    *out << golden.name << " every " << golden.every;
}

class GoldenGame : public testing::TestWithParam<Golden> {};

TEST_P(GoldenGame, PrintsItsCommittedTrace)
{
    const Golden golden = GetParam();
    const std::string script = testDataPath("replay/" + std::string(golden.name) + ".txt");
    const std::string tracePath = testDataPath("replay/" + std::string(golden.name) + ".golden.jsonl");
    const ToolRun run = runReplayTool({"--every", std::to_string(golden.every), script});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(run.err, "");

    if (updatingGoldens()) {
        std::ofstream(tracePath, std::ios::binary) << run.out;
        GTEST_SKIP() << "rewrote " << tracePath;
    }
    const std::vector<std::string> expected = splitLines(readWholeFile(tracePath));
    const std::vector<std::string> actual = splitLines(run.out);
    ASSERT_FALSE(expected.empty()) << "no golden trace at " << tracePath;
    for (std::size_t i = 0; i < std::min(expected.size(), actual.size()); ++i)
        ASSERT_TRUE(expected[i] == actual[i]) << "pass " << passNumberOf(expected[i]) << " differs "
                                          << firstDifference(expected[i], actual[i]);
    EXPECT_EQ(actual.size(), expected.size()) << "printed lines";
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenGame, testing::ValuesIn(kGoldens),
                         [](const testing::TestParamInfo<Golden>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
