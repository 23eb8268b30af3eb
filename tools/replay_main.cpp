// pexilon-replay: runs a script of frame times and keys through the game's pass and prints
// the state after every pass.
#include <cerrno>
#include <fstream>
#include <iostream>
#include <system_error>

#include "game/quoting.hpp"
#include "game/script_file.hpp"
#include "tools/replay.hpp"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

namespace {

constexpr int kExitOutputFailed = 1;
constexpr int kExitBadInput = 2;

void say(std::string_view message)
{
    std::cerr << "pexilon-replay: " << message << '\n';
}

// A path as the messages name it: whole, but with nothing in it that could steer the terminal.
std::string quotedPath(std::string_view path)
{
    return quoteForMessage(path, std::string_view::npos);
}

// Flushes standard output; on failure says why, with the reason of the write that failed.
bool outputWritten()
{
    std::cout.flush();
    if (std::cout)
        return true;
    say("cannot write to standard output: " + std::generic_category().message(errno));
    return false;
}

std::string problemMessage(const ScriptProblem& problem, std::string_view path)
{
    if (problem.kind == ScriptProblem::Kind::Unreadable)
        return "cannot read " + quotedPath(path) + ": " + problem.problem;
    return "line " + std::to_string(problem.line) + ": " + problem.problem;
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    // Text mode would write every line end as CRLF and stop reading at a Ctrl-Z byte: scripts,
    // traces and messages are the same bytes as on Linux.
    for (FILE* stream : {stdin, stdout, stderr})
        _setmode(_fileno(stream), _O_BINARY);
#endif
    // Unsynchronised, the standard streams read and write through file buffers, which report
    // a failed read as an exception with the system's reason and a failed write in their state.
    std::ios::sync_with_stdio(false);
    const CommandLine command = parseCommandLine(std::vector<std::string_view>(argv + 1, argv + argc));
    if (command.help) {
        std::cout << usageText();
        return outputWritten() ? 0 : kExitOutputFailed;
    }
    if (!command.usageError.empty()) {
        say(command.usageError);
        std::cerr << usageText();
        return kExitBadInput;
    }
    std::ifstream file;
    const bool fromStandardInput = command.scriptPath == kStandardInput;
    if (!fromStandardInput) {
        if (const std::optional<std::string> reason = openScript(file, command.scriptPath)) {
            say("cannot open " + quotedPath(command.scriptPath) + ": " + *reason);
            return kExitBadInput;
        }
    }
    std::istream& script = fromStandardInput ? std::cin : file;
    const std::optional<ScriptProblem> problem = replayScript(script, std::cout, command.every);
    // The passes before a problem stay printed, ahead of its message.
    const bool written = outputWritten();
    if (problem) {
        say(problemMessage(*problem, command.scriptPath));
        return kExitBadInput;
    }
    return written ? 0 : kExitOutputFailed;
}
