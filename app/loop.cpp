// Start-up, the timed main loop and shutdown.
#include "app/loop.hpp"

#include <SDL3/SDL.h>

#include <string>

#include "app/controls.hpp"
#include "app/game_state.hpp"
#include "app/pass.hpp"
#include "ui/frame.hpp"

namespace {

constexpr int kWindowWidth = 900;
constexpr int kWindowHeight = 700;

// Vertical sync paces the loop. Where it is not honoured (a software renderer, some
// compositors) a pass that took under a millisecond sleeps the rest of it, so the game
// does not spin a core; dt is still measured from the counter as always.
constexpr Uint64 kShortestPassNs = 1'000'000;

void restUnpacedPass(Uint64 passStartNs)
{
    const Uint64 elapsed = SDL_GetTicksNS() - passStartNs;
    if (elapsed < kShortestPassNs)
        SDL_DelayPrecise(kShortestPassNs - elapsed);
}

struct FrameClock {
    Uint64 lastCounter = 0;
    float frequency = 1.0f;
};

// The counter difference in seconds, capped: a pass of 0.3 s moves the game only 0.05 s.
float measureFrameTime(FrameClock& clock)
{
    const Uint64 now = SDL_GetPerformanceCounter();
    const float dt = static_cast<float>(now - clock.lastCounter) / clock.frequency;
    clock.lastCounter = now;
    return capFrameTime(dt);
}

void runLoop(SDL_Window* window, GameState& state)
{
    ShellFlags shell;
    FrameClock clock;
    clock.lastCounter = SDL_GetPerformanceCounter();
    clock.frequency = static_cast<float>(SDL_GetPerformanceFrequency());
    do {
        const Uint64 passStartNs = SDL_GetTicksNS();
        PassInput input;
        input.dt = measureFrameTime(clock);
        input.restarts = drainEvents(window, shell);
        input.held = readHeldKeys(SDL_GetKeyboardState(nullptr));
        const std::string title = runPass(state, input);
        SDL_SetWindowTitle(window, title.c_str());
        drawFrame(window, state);
        SDL_GL_SwapWindow(window);
        restUnpacedPass(passStartNs);
    } while (shell.running);
}

}  // namespace

int runGame()
{
    if (!SDL_Init(SDL_INIT_VIDEO)) {
        SDL_Log("SDL_Init failed: %s", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window =
        SDL_CreateWindow("Pexilon", kWindowWidth, kWindowHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE);
    if (window == nullptr) {
        SDL_Log("SDL_CreateWindow failed: %s", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        SDL_Log("SDL_GL_CreateContext failed: %s", SDL_GetError());
        SDL_DestroyWindow(window);
        SDL_Quit();
        return 1;
    }
    SDL_GL_MakeCurrent(window, context);
    SDL_GL_SetSwapInterval(1);

    // Outlives the window and SDL: its arrays are released last, on return.
    GameState state = createGameState();
    runLoop(window, state);

    SDL_GL_DestroyContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
