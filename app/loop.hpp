// Start-up, the timed main loop and shutdown, run by SDL's main callbacks.
#pragma once

#include <SDL3/SDL.h>

#include <optional>
#include <string>
#include <variant>

#include "app/recording.hpp"
#include "app/watching.hpp"

struct GameState;
struct PassInput;

struct GameWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

// SDL, the window and its GL context with vertical sync. On failure it logs why, cleans up
// what it made and returns false.
bool openGameWindow(GameWindow& gameWindow);

// Context, window, then SDL itself.
void closeGameWindow(GameWindow& gameWindow);

// One pass once its input is gathered: the rules, the title, the frame and the swap.
void playPass(const GameWindow& gameWindow, GameState& state, const PassInput& input);

// A game played at the keyboard, written to a script as it goes when there is a recording.
struct PlaySession {
    std::optional<Recording> recording;
};

// What a run of the game shows: live play, or a recorded game watched at the speed it was played.
using Session = std::variant<PlaySession, CheckedRecording>;

// How a run ended: 0 after a normal end, 1 when start-up failed; and why the recording could
// not be written in full, if it could not.
struct GameEnd {
    int exitCode = 0;
    std::string recordingError;
};

// Opens the window and hands the loop to SDL until ESC or window close. A recording is
// finished before the window closes, or removed when the window never opened; a watched game
// stays on its last frame until ESC or close. On the desktop this returns once the game has
// ended. In the browser it returns as soon as the game is running, and the page learns of its
// end from the runtime's exit.
GameEnd runGame(Session session);
