// The command line: the mode and file each line asks for, and what is wrong with a bad one.
#include "app/options.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
    std::vector<std::string_view> arguments;
    Mode mode;                    // with the file, only looked at when there is no problem
    std::string_view scriptPath;
    std::string_view usageError;
};

TEST(Options, EachLineGivesItsModeFileOrProblem)
{
    const Case cases[] = {
        {{}, Mode::Play, "", ""},
        {{"--record", "game.txt"}, Mode::Record, "game.txt", ""},
        {{"--play", "game.txt"}, Mode::Watch, "game.txt", ""},
        {{"--play", "./-odd name"}, Mode::Watch, "./-odd name", ""},
        {{"--version"}, Mode::Version, "", ""},
        // --help wins over everything, --version over everything else, problems included.
        {{"--record", "game.txt", "--help", "--version"}, Mode::Help, "game.txt", ""},
        {{"--bogus", "--version"}, Mode::Version, "", ""},
        {{"--record", "--help"}, Mode::Help, "", ""},
        {{"--record"}, Mode::Play, "", "--record needs a file name"},
        {{"--play", ""}, Mode::Play, "", "--play needs a file name, not an empty one"},
        {{"--record", "--play", "game.txt"}, Mode::Play, "", "--record needs a file name, not '--play'"},
        {{"--record", "-x"}, Mode::Play, "", "--record needs a file name, not '-x'"},
        {{"--record", "a.txt", "--play", "b.txt"}, Mode::Play, "", "one game at a time: --record or --play, once"},
        {{"--record", "a.txt", "--record", "b.txt"}, Mode::Play, "", "one game at a time: --record or --play, once"},
        {{"--bogus", "--record"}, Mode::Play, "", "unknown option '--bogus'"},
        {{"-"}, Mode::Play, "", "unknown option '-'"},
        {{"game.txt"}, Mode::Play, "", "unexpected argument 'game.txt'"},
        {{""}, Mode::Play, "", "unexpected argument ''"},
        {{"--record=game.txt"}, Mode::Play, "", "unknown option '--record=game.txt'"},
        {{"--\x1b[2J"}, Mode::Play, "", "unknown option '--\\x1b[2J'"},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string_view argument : c.arguments) {
            line += '[';
            line += argument;
            line += "] ";
        }
        SCOPED_TRACE(line);
        const Options options = parseOptions(c.arguments);
        EXPECT_EQ(options.usageError, c.usageError);
        if (c.usageError.empty()) {
            EXPECT_EQ(options.mode, c.mode);
            EXPECT_EQ(options.scriptPath, c.scriptPath);
        }
    }
}

}  // namespace
