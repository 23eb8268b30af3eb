// The replay tool as a user meets it: the built binary, its output, messages and exit codes.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/tools/run_tool.hpp"

namespace {

constexpr int kExitOutputFailed = 1;
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
    constexpr std::string_view kAbsent = "No such file or directory";
#ifdef _WIN32
    constexpr std::string_view kControlBytesInName = "Invalid argument";  // no such name can exist
#else
    constexpr std::string_view kControlBytesInName = kAbsent;
#endif
    const struct {
        std::string path, shown;
        std::string_view reason;
    } missing[] = {
        {"/nonexistent-pexilon-folder/game.txt", "'/nonexistent-pexilon-folder/game.txt'", kAbsent},
        {"", "''", kAbsent},  // an empty path is no path, not standard input
        {"/nonexistent-pexilon-folder/\x1b[2Jgame.txt", R"('/nonexistent-pexilon-folder/\x1b[2Jgame.txt')",
         kControlBytesInName},
    };
    for (const auto& [path, shown, reason] : missing) {
        const ToolRun absent = runReplayTool({path}, kExampleScript);
        EXPECT_EQ(absent.exitCode, kExitBadInput) << path;
        EXPECT_EQ(absent.err, "pexilon-replay: cannot open " + shown + ": " + std::string(reason) + "\n");
        EXPECT_EQ(absent.out, "") << path;
    }

    // A folder without backslashes in its name, which a message would show escaped.
    const std::string folder = testDataPath("replay");
    const ToolRun directory = runReplayTool({folder});
    EXPECT_EQ(directory.exitCode, kExitBadInput);
    EXPECT_EQ(directory.err, "pexilon-replay: cannot open '" + folder + "': Is a directory\n");
}

#ifndef _WIN32
// Closed descriptors, a directory as a stream and /dev/full, with the reasons POSIX gives.
TEST(ReplayCli, AStandardInputThatCannotBeReadIsAnErrorNotAnEmptyScript)
{
    const std::pair<StreamOverride, std::string> inputs[] = {
        {{0, std::filesystem::temp_directory_path().string()}, "Is a directory"},
        {{0, ""}, "Bad file descriptor"},  // closed
        {{0, "/dev/null", O_WRONLY}, "Bad file descriptor"},
    };
    for (const auto& [input, reason] : inputs) {
        const ToolRun run = runReplayTool({}, {}, {input});
        EXPECT_EQ(run.exitCode, kExitBadInput) << input.path;
        EXPECT_EQ(run.err, "pexilon-replay: cannot read '-': " + reason + "\n");
        EXPECT_EQ(run.out, "") << input.path;
    }
}

TEST(ReplayCli, OutputThatCannotBeWrittenIsAnError)
{
    const std::string longGame = testDataPath("replay/lane-level-up.txt");
    const std::pair<StreamOverride, std::string> outputs[] = {
        {{1, "/dev/full", O_WRONLY}, "No space left on device"},
        {{1, ""}, "Bad file descriptor"},  // closed
    };
    for (const auto& [output, reason] : outputs) {
        // A short output fails at the last flush, a long one on the way, and so does the help.
        for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, {longGame}, {"--help"}}) {
            const ToolRun run = runReplayTool(arguments, kExampleScript, {output});
            EXPECT_EQ(run.exitCode, kExitOutputFailed) << output.path << ' ' << arguments.size();
            EXPECT_EQ(run.err, "pexilon-replay: cannot write to standard output: " + reason + "\n");
        }
    }
}
#endif

TEST(ReplayCli, MessagesQuoteLittleOfTheScriptAndNoControlBytes)
{
    const std::pair<std::string, std::string> cases[] = {
        {"0.02 \x1b]0;owned\x07\n", R"(line 1: unknown word '\x1b]0;owned\x07')"},
        {"0.02\n0.02 " + std::string(200'000, 'j') + "\n", "line 2: unknown word '" + std::string(40, 'j') + "...'"},
        {"-0\n", "line 1: bad frame time '-0'"},
        {std::string(3'000'000, ' ') + "0.02\n", "line 1: longer than 1048576 bytes"},
    };
    for (const auto& [script, message] : cases) {
        const ToolRun run = runReplayTool({}, script);
        EXPECT_EQ(run.exitCode, kExitBadInput) << message;
        EXPECT_EQ(run.err, "pexilon-replay: " + message + "\n");
    }
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
