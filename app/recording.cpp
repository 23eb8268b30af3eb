// A game written to a replay script while it is played.
#include "app/recording.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "app/options.hpp"
#include "game/quoting.hpp"
#include "game/script.hpp"

namespace {

// Half a second, so that even with a slow pass after a write no more than a second is lost
// when the game is killed.
constexpr std::uint64_t kWritePeriodNs = 500'000'000;

// Windows opens a descriptor for text unless told otherwise; elsewhere there is no difference.
#ifdef O_BINARY
constexpr int kBinaryOpen = O_BINARY;
#else
constexpr int kBinaryOpen = 0;
#endif

// What went wrong with the file, from errno.
std::string failure(std::string_view doing, const std::string& path)
{
    return "cannot " + std::string(doing) + " " + quoteForMessage(path, std::string_view::npos) + ": " +
           std::generic_category().message(errno);
}

// Hands the pending lines to the system in one write: the file is unbuffered, so a game killed
// at any moment leaves whole lines. The first failure closes the file: a recording with a
// gap would not replay the game that was played.
void writePending(Recording& recording)
{
    const std::size_t written = std::fwrite(recording.pending.data(), 1, recording.pending.size(), recording.file);
    if (written != recording.pending.size()) {
        recording.error = failure("write", recording.path);
        std::fclose(recording.file);
        recording.file = nullptr;
    }
    recording.pending.clear();
}

}  // namespace

bool startRecording(Recording& recording, const std::string& path)
{
    recording.path = path;
    // Created here or refused, in one step: an existing file is never emptied, even one that
    // appears between a check and the opening.
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | kBinaryOpen, 0666);
    if (descriptor < 0) {
        recording.error = errno == EEXIST ? quoteForMessage(path, std::string_view::npos) +
                                                " exists already; nothing was written to it"
                                          : failure("create", path);
        return false;
    }
    // Binary and unbuffered: the file holds the same bytes on every system, and whole lines only.
    recording.file = ::fdopen(descriptor, "wb");
    if (recording.file == nullptr) {
        recording.error = failure("create", path);
        ::close(descriptor);
        std::remove(path.c_str());
        return false;
    }
    std::setvbuf(recording.file, nullptr, _IONBF, 0);
    recording.pending = "# recorded by ";
    recording.pending += versionText();
    recording.pending += '\n';
    // At once, so that a file that cannot take even this is refused before the game starts.
    writePending(recording);
    if (recording.file == nullptr)
        std::remove(path.c_str());
    return recording.file != nullptr;
}

void recordPass(Recording& recording, const PassInput& input, std::uint64_t nowNs)
{
    if (recording.file == nullptr)
        return;
    appendScriptLine(recording.pending, input);
    if (nowNs - recording.lastWriteNs >= kWritePeriodNs) {
        writePending(recording);
        recording.lastWriteNs = nowNs;
    }
}

bool finishRecording(Recording& recording)
{
    if (recording.file != nullptr)
        writePending(recording);
    if (recording.file != nullptr && std::fclose(recording.file) != 0)
        recording.error = failure("write", recording.path);
    recording.file = nullptr;
    return recording.error.empty();
}

void discardRecording(Recording& recording)
{
    if (recording.file == nullptr)
        return;
    std::fclose(recording.file);
    recording.file = nullptr;
    std::remove(recording.path.c_str());
}
