// A game written to a replay script while it is played.
#include "app/recording.hpp"

#include <cerrno>
#include <system_error>

#include "app/options.hpp"
#include "game/script.hpp"

namespace {

// Half a second, so that even with a slow pass after a flush no more than a second is lost
// when the game is killed.
constexpr std::uint64_t kFlushPeriodNs = 500'000'000;

// What went wrong with the file, from errno.
std::string failure(std::string_view doing, const std::string& path)
{
    return "cannot " + std::string(doing) + " '" + path + "': " + std::generic_category().message(errno);
}

// Remembers the first failed write and closes the file: a recording with a gap would not
// replay the game that was played.
void fail(Recording& recording)
{
    recording.error = failure("write", recording.path);
    std::fclose(recording.file);
    recording.file = nullptr;
}

void flush(Recording& recording)
{
    if (std::fflush(recording.file) != 0)
        fail(recording);
}

void writeLine(Recording& recording)
{
    if (std::fwrite(recording.line.data(), 1, recording.line.size(), recording.file) != recording.line.size())
        fail(recording);
}

}  // namespace

bool startRecording(Recording& recording, const std::string& path)
{
    recording.path = path;
    // Binary, so that the file holds the same bytes on every system.
    recording.file = std::fopen(path.c_str(), "wb");
    if (recording.file == nullptr) {
        recording.error = failure("create", path);
        return false;
    }
    recording.line = "# recorded by ";
    recording.line += versionText();
    recording.line += '\n';
    writeLine(recording);
    // At once, so that a file that cannot take even this is refused before the game starts.
    if (recording.file != nullptr)
        flush(recording);
    return recording.file != nullptr;
}

void recordPass(Recording& recording, const PassInput& input, std::uint64_t nowNs)
{
    if (recording.file == nullptr)
        return;
    recording.line.clear();
    appendScriptLine(recording.line, input);
    writeLine(recording);
    if (recording.file != nullptr && nowNs - recording.lastFlushNs >= kFlushPeriodNs) {
        flush(recording);
        recording.lastFlushNs = nowNs;
    }
}

bool finishRecording(Recording& recording)
{
    if (recording.file != nullptr && std::fclose(recording.file) != 0)
        recording.error = failure("write", recording.path);
    recording.file = nullptr;
    return recording.error.empty();
}
