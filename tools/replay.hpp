// The replay tool without its process: the command line, script lines, the pass loop and
// the JSON form of a pass. The executable and the tests share all of it.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/pass.hpp"

struct GameState;

struct CommandLine {
    bool help = false;
    std::int64_t every = 1;  // print passes whose number is a multiple of this, and the last
    std::string scriptPath;  // empty or "-": standard input
    std::string usageError;  // empty when the arguments were fine
};

CommandLine parseCommandLine(const std::vector<std::string_view>& arguments);

std::string_view usageText();

enum class LineKind { Ignored, Pass, Bad };

struct ScriptLine {
    LineKind kind = LineKind::Ignored;
    PassInput input;       // a pass: the capped dt, the restarts and the held keys
    std::string problem;   // a bad line: what is wrong, e.g. "unknown word 'jump'"
};

// One line of a script without its line end; blank lines and comments are Ignored.
ScriptLine parseScriptLine(std::string_view line);

struct ScriptProblem {
    std::int64_t line = 0;  // counted from 1 over every line, blank and comment lines included
    std::string problem;
};

// Runs the script from the start-up state, one pass per pass line, and writes the passes
// that `every` selects (and always the last one run) to `out`, one JSON object a line.
// A bad line stops the run there; the passes before it have been written.
std::optional<ScriptProblem> replayScript(std::istream& script, std::ostream& out, std::int64_t every);

// The shortest decimal text that reads back as exactly this float.
void appendFloat(std::string& out, float value);

// A JSON string literal, with quotes, backslashes and control characters escaped.
void appendJsonString(std::string& out, std::string_view text);

// The whole state after one pass as one JSON object, keys in the replay format's order.
void appendPassJson(std::string& out, std::int64_t pass, float dt, const GameState& state, std::string_view title);
