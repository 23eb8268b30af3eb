// The replay tool without its process: the command line, the pass loop and the JSON form
// of a pass. The executable and the tests share all of it; script lines are the game's.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/script.hpp"

struct GameState;

// The script path that means standard input.
constexpr std::string_view kStandardInput = "-";

struct CommandLine {
    bool help = false;
    std::int64_t every = 1;  // print passes whose number is a multiple of this, and the last
    std::string scriptPath{kStandardInput};
    std::string usageError;  // empty when the arguments were fine
};

CommandLine parseCommandLine(const std::vector<std::string_view>& arguments);

std::string_view usageText();

// Runs the script from the start-up state, one pass per pass line, and writes the passes
// that `every` selects (and always the last one run) to `out`, one JSON object a line.
// A problem in the script stops the run there; the passes before it have been written. So
// does a failed write, which leaves `out` failed.
std::optional<ScriptProblem> replayScript(std::istream& script, std::ostream& out, std::int64_t every);

// A JSON string literal, with quotes, backslashes and control characters escaped.
void appendJsonString(std::string& out, std::string_view text);

// The whole state after one pass as one JSON object, keys in the replay format's order.
void appendPassJson(std::string& out, std::int64_t pass, float dt, const GameState& state, std::string_view title);
