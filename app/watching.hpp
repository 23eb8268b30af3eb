// Watching a recorded game: the recording is checked whole before the window opens, then read
// again pass by pass while it is shown, so that no length of recording is ever held whole.
#pragma once

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <utility>

#include "game/pass.hpp"
#include "game/script.hpp"

// A recording that was read to its end and found good.
struct CheckedRecording {
    std::ifstream file;        // back at its start
    std::int64_t passes = 0;   // the passes it held when it was checked
};

// Reads the recording at `path` to its end without keeping it. Why it cannot be shown (a
// message that names the file), or nothing, with `checked` then ready to watch.
std::optional<std::string> checkRecording(const std::string& path, CheckedRecording& checked);

// A checked recording read again while it is watched.
struct WatchedScript {
    explicit WatchedScript(CheckedRecording checked) : file(std::move(checked.file)), passesLeft(checked.passes) {}
    // The reader refers to the file: the two stay where they were made.
    WatchedScript(const WatchedScript&) = delete;
    WatchedScript& operator=(const WatchedScript&) = delete;

    std::ifstream file;
    ScriptReader reader{file};
    std::int64_t passesLeft;
};

// The next of the passes that were checked, in order; nothing once they are all shown (the
// file may have grown since), or when the file can no longer be read as it was.
std::optional<PassInput> nextWatchedPass(WatchedScript& script);
