// Opening a script file to read it.
#include "game/script_file.hpp"

#include <cerrno>
#include <filesystem>
#include <ios>
#include <system_error>

std::optional<std::string> openScript(std::ifstream& file, const std::string& path)
{
    // A directory opens like a file on Linux and then reads as empty: refuse it by name.
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        return std::make_error_code(std::errc::is_a_directory).message();
    file.open(path, std::ios::binary);
    if (!file)
        return std::generic_category().message(errno);
    return std::nullopt;
}
