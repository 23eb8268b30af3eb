// The command line: play, play and record the game to a script, or watch a recorded one.
#include "app/options.hpp"

#include <optional>

#include "game/quoting.hpp"

#ifndef PEXILON_VERSION
#error "the build passes the project's version as PEXILON_VERSION"
#endif

namespace {

// Why the argument after --record or --play cannot be the name of its file; nothing when it can.
std::optional<std::string> fileProblem(std::string_view option, const std::vector<std::string_view>& arguments,
                                       std::size_t valueIndex)
{
    if (valueIndex == arguments.size())
        return std::string(option) + " needs a file name";
    const std::string_view value = arguments[valueIndex];
    if (value.empty())
        return std::string(option) + " needs a file name, not an empty one";
    // A name that looks like an option is most likely a forgotten file name; ./-name is the way
    // to mean such a file.
    if (value.starts_with('-'))
        return std::string(option) + " needs a file name, not " + quoteForMessage(value);
    return std::nullopt;
}

}  // namespace

Options parseOptions(const std::vector<std::string_view>& arguments)
{
    Options options;
    bool help = false;
    bool version = false;
    auto reject = [&options](std::string problem) {
        if (options.usageError.empty())
            options.usageError = std::move(problem);
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help") {
            help = true;
        } else if (argument == "--version") {
            version = true;
        } else if (argument == "--record" || argument == "--play") {
            if (std::optional<std::string> problem = fileProblem(argument, arguments, i + 1)) {
                reject(std::move(*problem));
                continue;
            }
            if (options.mode != Mode::Play)
                reject("one game at a time: --record or --play, once");
            options.mode = argument == "--record" ? Mode::Record : Mode::Watch;
            options.scriptPath = std::string(arguments[++i]);
        } else if (argument.starts_with('-')) {
            reject("unknown option " + quoteForMessage(argument));
        } else {
            reject("unexpected argument " + quoteForMessage(argument));
        }
    }
    if (help)
        options.mode = Mode::Help;
    else if (version)
        options.mode = Mode::Version;
    if (help || version)
        options.usageError.clear();
    return options;
}

namespace {
constexpr std::string_view kUsage =
    "usage: pexilon [--record FILE | --play FILE]\n"
    "\n"
    "A small arcade shooter. Without options it simply starts a game.\n"
    "\n"
    "  --record FILE  play, and write the game to FILE as a replay script as it goes;\n"
    "                 FILE must not exist yet\n"
    "  --play FILE    watch the game a replay script holds, at the speed it was played;\n"
    "                 ESC or closing the window ends it, F11 toggles fullscreen\n"
    "  --help         this text\n"
    "  --version      the program's name and version\n"
    "\n"
    "pexilon-replay runs a replay script without a window and prints every pass.\n"
    "Exit status: 0 after a normal end, 1 when the window cannot be opened or the\n"
    "recording cannot be written, 2 on a usage error or a FILE that exists already or\n"
    "cannot be created (--record) or read (--play).\n";
}  // namespace

std::string_view usageLine()
{
    return kUsage.substr(0, kUsage.find('\n') + 1);
}

std::string_view usageText()
{
    return kUsage;
}

std::string_view versionText()
{
    return "pexilon " PEXILON_VERSION;
}
