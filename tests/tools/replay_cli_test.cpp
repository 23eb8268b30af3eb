// The replay tool as a user meets it: the built binary, its output, messages and exit codes.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/tools/run_tool.hpp"

namespace {

constexpr int kExitBadInput = 2;

// The example of the replay format: four passes, the third with its 0.25 s capped.
constexpr std::string_view kExampleScript =
    "# stand still, then hold fire for a quarter of a second, then restart\n"
    "0.016667\n"
    "0.016667 fire\n"
    "0.25 fire left\n"
    "0.016667 restart\n";

TEST(ReplayCli, HelpGoesToStandardOutput)
{
    const ToolRun run = runReplayTool({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.starts_with("usage: pexilon-replay [--every N] [SCRIPT]\n")) << run.out;
    EXPECT_EQ(run.err, "");
}

TEST(ReplayCli, UsageErrorsExitWithTwoAndPrintNothingOnStandardOutput)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--every", "0"}, {"--every", "-1"}, {"--every", "abc"}, {"--every"}, {"--fast"}, {"a.txt", "b.txt"},
    };
    for (const std::vector<std::string>& arguments : cases) {
        const ToolRun run = runReplayTool(arguments, kExampleScript);
        EXPECT_EQ(run.exitCode, kExitBadInput) << arguments[0];
        EXPECT_EQ(run.out, "") << arguments[0];
        EXPECT_TRUE(run.err.starts_with("pexilon-replay: ")) << run.err;
        EXPECT_NE(run.err.find("usage: pexilon-replay"), std::string::npos) << run.err;
    }
}

TEST(ReplayCli, ReadsStandardInputWithoutAScriptOrWithADash)
{
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, std::vector<std::string>{"-"}}) {
        const ToolRun run = runReplayTool(arguments, kExampleScript);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        const std::vector<std::string> lines = splitLines(run.out);
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_TRUE(lines[2].starts_with(R"({"pass":3,"dt":0.05,)")) << lines[2];
    }
}

TEST(ReplayCli, AScriptFileGivesWhatStandardInputGives)
{
    const std::string path = testDataPath("replay/restarts.txt");
    const ToolRun fromFile = runReplayTool({path});
    const ToolRun fromInput = runReplayTool({}, readWholeFile(path));
    EXPECT_EQ(fromFile.exitCode, 0);
    EXPECT_FALSE(fromFile.out.empty());
    EXPECT_EQ(fromFile.out, fromInput.out);
}

TEST(ReplayCli, ABadLineEndsTheRunWithItsMessageAfterThePassesBeforeIt)
{
    const ToolRun unknown = runReplayTool({}, "0.016667\n0.016667 fire\n# aim\n\n0.02 jump\n0.02\n");
    EXPECT_EQ(unknown.exitCode, kExitBadInput);
    EXPECT_EQ(unknown.err, "pexilon-replay: line 5: unknown word 'jump'\n");
    EXPECT_EQ(splitLines(unknown.out).size(), 2u);

    const ToolRun badTime = runReplayTool({}, "abc fire\n");
    EXPECT_EQ(badTime.exitCode, kExitBadInput);
    EXPECT_EQ(badTime.err, "pexilon-replay: line 1: bad frame time 'abc'\n");
    EXPECT_EQ(badTime.out, "");
}

TEST(ReplayCli, AnUnreadableScriptIsNamedWithTheReason)
{
    const std::string missing = "/nonexistent-pexilon-folder/game.txt";
    const ToolRun absent = runReplayTool({missing});
    EXPECT_EQ(absent.exitCode, kExitBadInput);
    EXPECT_EQ(absent.err, "pexilon-replay: cannot open '" + missing + "': No such file or directory\n");
    EXPECT_EQ(absent.out, "");

    const std::string folder = std::filesystem::temp_directory_path().string();
    const ToolRun directory = runReplayTool({folder});
    EXPECT_EQ(directory.exitCode, kExitBadInput);
    EXPECT_EQ(directory.err, "pexilon-replay: cannot open '" + folder + "': Is a directory\n");
}

TEST(ReplayCli, TheSameScriptPrintsTheSameGameTwice)
{
    const std::string path = testDataPath("replay/upgrades-and-losses.txt");
    const ToolRun first = runReplayTool({"--every", "10", path});
    const ToolRun second = runReplayTool({"--every", "10", path});
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_GT(splitLines(first.out).size(), 100u);
    EXPECT_EQ(first.out, second.out);
}

TEST(ReplayCli, EveryHundredAgreesWithTheWholeRunOnItsPasses)
{
    const std::string path = testDataPath("replay/lane-level-up.txt");
    const std::vector<std::string> whole = splitLines(runReplayTool({path}).out);
    const std::vector<std::string> thinned = splitLines(runReplayTool({"--every", "100", path}).out);
    ASSERT_GT(whole.size(), 1000u);

    std::vector<std::string> expected;
    for (const std::string& line : whole)
        if (passNumberOf(line) % 100 == 0)
            expected.push_back(line);
    if (whole.size() % 100 != 0)
        expected.push_back(whole.back());
    ASSERT_EQ(thinned.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(thinned[i], expected[i]) << "printed line " << i + 1;
}

}  // namespace
