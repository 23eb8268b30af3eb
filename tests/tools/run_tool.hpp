// Runs the built replay tool as a child process, its three standard streams in files, so
// tests see exactly what a user at a shell would: output, messages and exit code. Also the
// small readers of its output the tests share.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX  // already defined by MinGW's C++ library
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

struct ToolRun {
    int exitCode = -1;  // -1 when the tool did not exit normally (a signal)
    std::string out;
    std::string err;
};

inline std::string readWholeFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

#ifdef _WIN32

inline std::filesystem::path makeScratchFolder()
{
    static int made = 0;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
        ("pexilon-replay-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made));
    std::filesystem::create_directory(folder);
    return folder;
}

// Quotes a word so the child's C runtime splits it back out unchanged: backslashes are
// literal except in front of a quote, where they and the quote are escaped.
inline std::string quotedArgument(const std::string& word)
{
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + '"';
}

// Runs the program with the three files as its standard streams; its exit code, or -1 when
// it could not be started.
inline int runChild(const std::string& program, const std::vector<std::string>& arguments,
                    const std::filesystem::path& in, const std::filesystem::path& out,
                    const std::filesystem::path& err)
{
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const auto open = [&inheritable](const std::filesystem::path& path, DWORD access, DWORD creation) {
        return CreateFileW(path.c_str(), access, FILE_SHARE_READ, &inheritable, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = open(in, GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = open(out, GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = open(err, GENERIC_WRITE, CREATE_ALWAYS);
    std::string commandLine = quotedArgument(program);
    for (const std::string& word : arguments)
        commandLine += ' ' + quotedArgument(word);

    int exitCode = -1;
    PROCESS_INFORMATION child{};
    if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &child)) {
        WaitForSingleObject(child.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(child.hProcess, &code))
            exitCode = static_cast<int>(code);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
    for (HANDLE stream : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
        CloseHandle(stream);
    return exitCode;
}

#else

// One of the tool's standard streams set up otherwise than as a file of ours: opened from
// `path` with `flags`, or closed when `path` is empty. POSIX only: the tests that use it
// need POSIX devices and reasons.
struct StreamOverride {
    int fd = 0;
    std::string path;
    int flags = O_RDONLY;
};

inline std::filesystem::path makeScratchFolder()
{
    std::string folderTemplate = (std::filesystem::temp_directory_path() / "pexilon-replay-test-XXXXXX").string();
    return ::mkdtemp(folderTemplate.data());
}

// Runs the program with the three files as its standard streams; its exit code, or -1 when
// it did not exit normally (a signal).
inline int runChild(const std::string& program, const std::vector<std::string>& arguments,
                    const std::filesystem::path& in, const std::filesystem::path& out,
                    const std::filesystem::path& err, const std::vector<StreamOverride>& overrides)
{
    posix_spawn_file_actions_t streams;
    posix_spawn_file_actions_init(&streams);
    posix_spawn_file_actions_addopen(&streams, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&streams, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&streams, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    for (const StreamOverride& stream : overrides) {
        if (stream.path.empty())
            posix_spawn_file_actions_addclose(&streams, stream.fd);
        else
            posix_spawn_file_actions_addopen(&streams, stream.fd, stream.path.c_str(), stream.flags, 0);
    }
    std::string path = program;
    std::vector<std::string> words = arguments;
    std::vector<char*> argv{path.data()};
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int exitCode = -1;
    pid_t child = 0;
    if (posix_spawn(&child, path.c_str(), &streams, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        ::waitpid(child, &status, 0);
        if (WIFEXITED(status))
            exitCode = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&streams);
    return exitCode;
}

#endif

#ifdef _WIN32
inline ToolRun runReplayTool(const std::vector<std::string>& arguments, std::string_view input = {})
#else
inline ToolRun runReplayTool(const std::vector<std::string>& arguments, std::string_view input = {},
                             const std::vector<StreamOverride>& overrides = {})
#endif
{
    const std::filesystem::path folder = makeScratchFolder();
    const std::filesystem::path inPath = folder / "in";
    const std::filesystem::path outPath = folder / "out";
    const std::filesystem::path errPath = folder / "err";
    std::ofstream(inPath, std::ios::binary) << input;

    ToolRun run;
#ifdef _WIN32
    run.exitCode = runChild(PEXILON_REPLAY_BINARY, arguments, inPath, outPath, errPath);
#else
    run.exitCode = runChild(PEXILON_REPLAY_BINARY, arguments, inPath, outPath, errPath, overrides);
#endif
    run.out = readWholeFile(outPath);
    run.err = readWholeFile(errPath);
    std::filesystem::remove_all(folder);
    return run;
}

inline std::string testDataPath(std::string_view relative)
{
    return std::string(PEXILON_TEST_DATA) + "/" + std::string(relative);
}

inline std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// The number of the pass a printed line shows; pass comes first on every line.
inline std::int64_t passNumberOf(const std::string& line)
{
    constexpr std::string_view kPrefix = "{\"pass\":";
    std::int64_t pass = -1;
    if (line.starts_with(kPrefix))
        std::from_chars(line.data() + kPrefix.size(), line.data() + line.size(), pass);
    return pass;
}
