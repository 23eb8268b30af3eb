// Pexilon: a small arcade shooter. Without options it starts a game; --record writes the game
// to a replay script as it is played, --play shows a recorded one.
//
// main is our own rather than SDL's (SDL_MAIN_USE_CALLBACKS): SDL's main ends with 0 or 1 only,
// and a usage error or a refused file ends with 2, told before SDL starts. The game itself
// runs in SDL's main callbacks (runGame), the same on every platform.
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/loop.hpp"
#include "app/options.hpp"
#include "app/recording.hpp"
#include "app/watching.hpp"

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitBadInput = 2;

int fail(std::string_view message, int exitCode)
{
    std::cerr << "pexilon: " << message << '\n';
    return exitCode;
}

int exitCodeOf(const GameEnd& end)
{
    if (!end.recordingError.empty())
        return fail(end.recordingError, kExitFailed);
    return end.exitCode;
}

int record(const std::string& path)
{
    Recording recording;
    if (!startRecording(recording, path))
        return fail(recording.error, kExitBadInput);
    return exitCodeOf(runGame(PlaySession{std::move(recording)}));
}

// The whole recording is checked before the window opens, so that a bad one is refused at once.
int watch(const std::string& path)
{
    CheckedRecording checked;
    if (const std::optional<std::string> problem = checkRecording(path, checked))
        return fail(*problem, kExitBadInput);
    return exitCodeOf(runGame(std::move(checked)));
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
    return exitCodeOf(runGame(PlaySession{}));
}
