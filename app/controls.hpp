// The keyboard: commands from key-down events, and the held move and fire keys.
#pragma once

#include <cstdint>

#include "game/pass.hpp"

struct SDL_Window;

// The loop's own flags; a restart never touches them.
struct ShellFlags {
    bool running = true;
    bool fullscreen = false;
};

// Drains the event queue: window close and ESC end the loop, F11 toggles fullscreen.
// Returns how many R presses (auto-repeats included) the batch held; the pass restarts
// that many times before its update.
int drainEvents(SDL_Window* window, ShellFlags& shell);

// Move and fire keys by physical position, from SDL's keyboard state array.
HeldKeys readHeldKeys(const bool* keyState);
