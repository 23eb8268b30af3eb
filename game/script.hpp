// Replay scripts, the game's own record of a played game: one line per pass, the frame time
// and then the words of the held keys and restarts. The game writes them while it records
// and reads them to show a recorded game; the replay tool reads them too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "game/pass.hpp"

enum class LineKind { Ignored, Pass, Bad };

struct ScriptLine {
    LineKind kind = LineKind::Ignored;
    PassInput input;       // a pass: the capped dt, the restarts and the held keys
    std::string problem;   // a bad line: what is wrong, e.g. "unknown word 'jump'"
};

// One line of a script without its line end; blank lines and comments are Ignored.
ScriptLine parseScriptLine(std::string_view line);

// What ended a script before its end: a bad line, or a read that failed.
struct ScriptProblem {
    enum class Kind { BadLine, Unreadable };
    Kind kind = Kind::BadLine;
    // The line it ended at, counted from 1 over every line, blank and comment lines included.
    std::int64_t line = 0;
    std::string problem;  // what is wrong with the line, or why the script cannot be read
};

// Longer lines are bad lines, refused without reading them to their end.
constexpr std::size_t kLongestLine = std::size_t{1} << 20;

// Reads a script pass by pass, so that a long script is never held whole.
struct ScriptReader {
    explicit ScriptReader(std::istream& script) : script(script) {}

    std::istream& script;
    std::int64_t lineNumber = 0;           // lines read so far
    std::optional<ScriptProblem> problem;  // why reading ended early
    std::string line;                      // the line being read, kept to reuse its memory
};

// The next pass of the script, past blank and comment lines; nothing at the end of the
// script or at a problem, which `reader.problem` then holds.
std::optional<PassInput> readPass(ScriptReader& reader);

// One pass as a script line, with its line end: the frame time written so that it reads back
// to the very same float, then left, right and fire when held, and one restart per restart.
void appendScriptLine(std::string& out, const PassInput& input);
