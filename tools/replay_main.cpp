// pexilon-replay: runs a script of frame times and keys through the game's pass and prints
// the state after every pass.
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "tools/replay.hpp"

namespace {

constexpr int kExitBadInput = 2;

// Why the script cannot be read, or nothing when it opened.
std::optional<std::string> openScript(std::ifstream& file, const std::string& path)
{
    // A directory opens like a file on Linux and then reads as empty: refuse it by name.
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        return std::make_error_code(std::errc::is_a_directory).message();
    file.open(path);
    if (!file)
        return std::generic_category().message(errno);
    return std::nullopt;
}

int fail(std::string_view message)
{
    std::cerr << "pexilon-replay: " << message << '\n';
    return kExitBadInput;
}

}  // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const CommandLine command = parseCommandLine(std::vector<std::string_view>(argv + 1, argv + argc));
    if (command.help) {
        std::cout << usageText();
        return 0;
    }
    if (!command.usageError.empty()) {
        std::cerr << "pexilon-replay: " << command.usageError << '\n' << usageText();
        return kExitBadInput;
    }
    std::ifstream file;
    const bool fromStandardInput = command.scriptPath.empty() || command.scriptPath == "-";
    if (!fromStandardInput) {
        if (const std::optional<std::string> reason = openScript(file, command.scriptPath))
            return fail("cannot open '" + command.scriptPath + "': " + *reason);
    }
    std::istream& script = fromStandardInput ? std::cin : file;
    const std::optional<ScriptProblem> problem = replayScript(script, std::cout, command.every);
    // The passes before a bad line stay printed, ahead of the message.
    std::cout.flush();
    if (problem)
        return fail("line " + std::to_string(problem->line) + ": " + problem->problem);
    return 0;
}
