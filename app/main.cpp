// Pexilon: a small arcade shooter. Without options it starts a game; --record writes the game
// to a replay script as it is played, --play shows a recorded one.
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/browser.hpp"
#include "app/loop.hpp"
#include "app/options.hpp"
#include "app/recording.hpp"
#include "game/quoting.hpp"
#include "game/script.hpp"
#include "game/script_file.hpp"

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitBadInput = 2;

int fail(std::string_view message, int exitCode)
{
    std::cerr << "pexilon: " << message << '\n';
    return exitCode;
}

int record(const std::string& path)
{
    Recording recording;
    if (!startRecording(recording, path))
        return fail(recording.error, kExitBadInput);
    const int exitCode = runGame({&recording, nullptr});
    // Also when the window did not open: the file is then complete with no pass in it.
    if (!finishRecording(recording))
        return fail(recording.error, kExitFailed);
    return exitCode;
}

// Reads the whole script before the window opens, so that a bad one is refused at once;
// says why it cannot be shown, or nothing.
std::optional<std::string> readWholeScript(const std::string& path, std::vector<PassInput>& passes)
{
    const std::string shownPath = quoteForMessage(path, std::string_view::npos);
    std::ifstream file;
    if (const std::optional<std::string> reason = openScript(file, path))
        return "cannot open " + shownPath + ": " + *reason;
    ScriptReader reader{file};
    while (const std::optional<PassInput> pass = readPass(reader))
        passes.push_back(*pass);
    if (!reader.problem)
        return std::nullopt;
    if (reader.problem->kind == ScriptProblem::Kind::Unreadable)
        return "cannot read " + shownPath + ": " + reader.problem->problem;
    return shownPath + ": line " + std::to_string(reader.problem->line) + ": " + reader.problem->problem;
}

int watch(const std::string& path)
{
    std::vector<PassInput> passes;
    if (const std::optional<std::string> problem = readWholeScript(path, passes))
        return fail(*problem, kExitBadInput);
    return runGame({nullptr, &passes});
}

}  // namespace

int main(int argc, char** argv)
{
    const Options options = parseOptions(std::vector<std::string_view>(argv + 1, argv + argc));
    if (!options.usageError.empty()) {
        fail(options.usageError, kExitBadInput);
        std::cerr << usageLine() << "pexilon --help says more.\n";
        return kExitBadInput;
    }
    switch (options.mode) {
    case Mode::Help:
        std::cout << usageText();
        return 0;
    case Mode::Version:
        std::cout << versionText() << '\n';
        return 0;
    case Mode::Record:
        return record(options.scriptPath);
    case Mode::Watch:
        return watch(options.scriptPath);
    case Mode::Play:
        break;
    }
    const int exitCode = runGame({});
#ifdef __EMSCRIPTEN__
    tellPageGameEnded(exitCode);
#endif
    return exitCode;
}
