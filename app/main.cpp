// Pexilon: a small arcade shooter. Without options it starts a game; --record writes the game
// to a replay script as it is played, --play shows a recorded one.
#include <iostream>
#include <string_view>
#include <vector>

#include "app/loop.hpp"
#include "app/options.hpp"
#include "app/recording.hpp"

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
        return fail("--play is not there yet", kExitFailed);
    case Mode::Play:
        break;
    }
    return runGame({});
}
