// The replay tool without its process: the command line, script lines, the pass loop and
// the JSON form of a pass. The executable and the tests share all of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/pass.hpp"

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

// How much of a word or argument a message quotes.
constexpr std::size_t kMostQuotedChars = 40;

// Text from outside (a script, an argument, a path) as a message shows it: in single quotes,
// every byte outside printable ASCII as \xNN and a backslash as \\, and cut short with "..."
// before it shows more than `mostChars` characters, so no input can flood or steer the
// terminal the message goes to.
std::string quoteForMessage(std::string_view text, std::size_t mostChars = kMostQuotedChars);

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

// Runs the script from the start-up state, one pass per pass line, and writes the passes
// that `every` selects (and always the last one run) to `out`, one JSON object a line.
// A problem in the script stops the run there; the passes before it have been written. So
// does a failed write, which leaves `out` failed.
std::optional<ScriptProblem> replayScript(std::istream& script, std::ostream& out, std::int64_t every);

// The shortest decimal text that reads back as exactly this float.
void appendFloat(std::string& out, float value);

// A JSON string literal, with quotes, backslashes and control characters escaped.
void appendJsonString(std::string& out, std::string_view text);

// The whole state after one pass as one JSON object, keys in the replay format's order.
void appendPassJson(std::string& out, std::int64_t pass, float dt, const GameState& state, std::string_view title);
