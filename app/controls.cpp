// The keyboard: commands from key-down events, and the held move and fire keys.
#include "app/controls.hpp"

#include <SDL3/SDL.h>

namespace {

// Commands follow the key code, so the key labelled R restarts on any layout.
void handleKeyDown(SDL_Keycode key, SDL_Window* window, ShellFlags& shell, int& restarts)
{
    if (key == SDLK_ESCAPE) {
        shell.running = false;
    } else if (key == SDLK_F11) {
        // The flag toggles even if the window system refuses: the next F11 asks for the opposite.
        shell.fullscreen = !shell.fullscreen;
        SDL_SetWindowFullscreen(window, shell.fullscreen);
    } else if (key == SDLK_R) {
        restarts += 1;
    }
}

}  // namespace

int handleEvent(const SDL_Event& event, SDL_Window* window, ShellFlags& shell)
{
    int restarts = 0;
    if (event.type == SDL_EVENT_QUIT)
        shell.running = false;
    else if (event.type == SDL_EVENT_KEY_DOWN)
        handleKeyDown(event.key.key, window, shell, restarts);
    return restarts;
}

HeldKeys readHeldKeys(const bool* keyState)
{
    // Held keys follow the scancode: they stay on the A, D, W positions of a US layout.
    HeldKeys held;
    held.left = keyState[SDL_SCANCODE_LEFT] || keyState[SDL_SCANCODE_A];
    held.right = keyState[SDL_SCANCODE_RIGHT] || keyState[SDL_SCANCODE_D];
    held.fire = keyState[SDL_SCANCODE_SPACE] || keyState[SDL_SCANCODE_UP] || keyState[SDL_SCANCODE_W] ||
                keyState[SDL_SCANCODE_LCTRL] || keyState[SDL_SCANCODE_RCTRL];
    return held;
}
