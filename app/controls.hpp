// The keyboard: commands from key-down events, and the held move and fire keys.
#pragma once

#include <cstdint>

#include "game/pass.hpp"

struct SDL_Window;
union SDL_Event;

// The loop's own flags; a restart never touches them.
struct ShellFlags {
    bool running = true;
    bool fullscreen = false;
};

// One event, as SDL delivers them between passes: window close and ESC end the loop once the
// next pass has run whole, F11 toggles fullscreen at once. Returns 1 for an R press (an
// auto-repeat counts too), which restarts the next pass before its update, and 0 otherwise.
int handleEvent(const SDL_Event& event, SDL_Window* window, ShellFlags& shell);

// Move and fire keys by physical position, from SDL's keyboard state array.
HeldKeys readHeldKeys(const bool* keyState);
