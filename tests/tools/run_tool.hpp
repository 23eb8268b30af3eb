// Runs the built replay tool as a child process, its three standard streams in files, so
// tests see exactly what a user at a shell would: output, messages and exit code. Also the
// small readers of its output the tests share.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

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

// One of the tool's standard streams set up otherwise than as a file of ours: opened from
// `path` with `flags`, or closed when `path` is empty.
struct StreamOverride {
    int fd = 0;
    std::string path;
    int flags = O_RDONLY;
};

inline ToolRun runReplayTool(const std::vector<std::string>& arguments, std::string_view input = {},
                             const std::vector<StreamOverride>& overrides = {})
{
    std::string folderTemplate = (std::filesystem::temp_directory_path() / "pexilon-replay-test-XXXXXX").string();
    const std::filesystem::path folder = ::mkdtemp(folderTemplate.data());
    const std::filesystem::path inPath = folder / "in";
    const std::filesystem::path outPath = folder / "out";
    const std::filesystem::path errPath = folder / "err";
    std::ofstream(inPath, std::ios::binary) << input;

    posix_spawn_file_actions_t streams;
    posix_spawn_file_actions_init(&streams);
    posix_spawn_file_actions_addopen(&streams, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&streams, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&streams, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    for (const StreamOverride& stream : overrides) {
        if (stream.path.empty())
            posix_spawn_file_actions_addclose(&streams, stream.fd);
        else
            posix_spawn_file_actions_addopen(&streams, stream.fd, stream.path.c_str(), stream.flags, 0);
    }
    std::string program = PEXILON_REPLAY_BINARY;
    std::vector<std::string> words = arguments;
    std::vector<char*> argv{program.data()};
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    ToolRun run;
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), &streams, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        ::waitpid(child, &status, 0);
        if (WIFEXITED(status))
            run.exitCode = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&streams);
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
