// Start-up, the timed main loop and shutdown.
#pragma once

#include <SDL3/SDL.h>

#include <vector>

struct GameState;
struct PassInput;
struct Recording;

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

// What a run of the game does besides showing it.
struct Session {
    Recording* recording = nullptr;                  // live play, written to a script as it goes
    const std::vector<PassInput>* script = nullptr;  // a recorded game, shown instead of live play
};

// Opens the window, runs the game until ESC or window close, and returns the exit code:
// 0 after a normal end, 1 when start-up failed. A recording is finished before the window
// closes; a watched script stays on its last frame until ESC or close.
int runGame(const Session& session);
