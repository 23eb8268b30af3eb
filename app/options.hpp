// The command line: play, play and record the game to a script, or watch a recorded one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class Mode { Play, Record, Watch, Help, Version };

struct Options {
    Mode mode = Mode::Play;
    std::string scriptPath;  // the script --record writes or --play reads
    std::string usageError;  // empty when the arguments were fine
};

// --help wins over everything else on the line, then --version, then the first problem.
Options parseOptions(const std::vector<std::string_view>& arguments);

// The one line that says how to call the program, with its line end; usageText starts with it.
std::string_view usageLine();

std::string_view usageText();

// The program's name and version, as --version prints it and a recording's first line names it.
std::string_view versionText();
