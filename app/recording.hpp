// A game written to a replay script while it is played, safe against the game being ended
// by a signal: the file gets whole lines only, at least every half second.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "game/pass.hpp"

struct Recording {
    std::FILE* file = nullptr;
    std::string path;
    std::string error;              // the first failure, as a message; nothing is written after it
    std::string pending;            // whole lines not yet handed to the system
    std::uint64_t lastWriteNs = 0;  // when lines last went to the system, on the game's clock
};

// Creates the file and writes the first line, a comment naming the program. False, with the
// reason in `error`, when the file exists already (it is left as it was: it may hold a game
// kept from before) or cannot be created or written (nothing is left behind).
bool startRecording(Recording& recording, const std::string& path);

// Adds one pass; the lines go to the system once half a second has passed since they last did.
void recordPass(Recording& recording, const PassInput& input, std::uint64_t nowNs);

// Writes out what is left and closes the file. False, with the reason in `error`, when any
// write failed. Does nothing more for a recording that never started or has already finished.
bool finishRecording(Recording& recording);

// Closes and removes the file of a recording whose game never started.
void discardRecording(Recording& recording);
