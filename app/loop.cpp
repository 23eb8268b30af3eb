// Start-up, the timed main loop and shutdown.
#include "app/loop.hpp"

#include <string>

#include "app/controls.hpp"
#include "app/frame_timing.hpp"
#include "game/game_state.hpp"
#include "game/pass.hpp"
#include "ui/frame.hpp"

namespace {
constexpr int kWindowWidth = 900;
constexpr int kWindowHeight = 700;
}  // namespace

bool openGameWindow(GameWindow& gameWindow)
{
    if (!SDL_Init(SDL_INIT_VIDEO)) {
        SDL_Log("SDL_Init failed: %s", SDL_GetError());
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    gameWindow.window =
        SDL_CreateWindow("Pexilon", kWindowWidth, kWindowHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE);
    if (gameWindow.window == nullptr) {
        SDL_Log("SDL_CreateWindow failed: %s", SDL_GetError());
        SDL_Quit();
        return false;
    }
    gameWindow.context = SDL_GL_CreateContext(gameWindow.window);
    if (gameWindow.context == nullptr) {
        SDL_Log("SDL_GL_CreateContext failed: %s", SDL_GetError());
        SDL_DestroyWindow(gameWindow.window);
        gameWindow.window = nullptr;
        SDL_Quit();
        return false;
    }
    SDL_GL_MakeCurrent(gameWindow.window, gameWindow.context);
    SDL_GL_SetSwapInterval(1);
    return true;
}

void closeGameWindow(GameWindow& gameWindow)
{
    SDL_GL_DestroyContext(gameWindow.context);
    SDL_DestroyWindow(gameWindow.window);
    SDL_Quit();
    gameWindow = {};
}

void playPass(const GameWindow& gameWindow, GameState& state, const PassInput& input)
{
    const std::string title = runPass(state, input);
    SDL_SetWindowTitle(gameWindow.window, title.c_str());
    drawFrame(gameWindow.window, state);
    SDL_GL_SwapWindow(gameWindow.window);
}

namespace {

// The refresh rate of the display the window is on; 0 when SDL cannot tell.
float displayRefreshHz(SDL_Window* window)
{
    const SDL_DisplayMode* mode = SDL_GetCurrentDisplayMode(SDL_GetDisplayForWindow(window));
    return mode != nullptr ? mode->refresh_rate : 0.0f;
}

// Sleeps what is left of a refresh period when the swap did not wait for the display.
void restUnpacedPass(SDL_Window* window, Uint64 passStartNs)
{
    const Uint64 rest = restAfterPassNs(SDL_GetTicksNS() - passStartNs, displayRefreshHz(window));
    if (rest > 0)
        SDL_DelayPrecise(rest);
}

void runLoop(const GameWindow& gameWindow, GameState& state)
{
    ShellFlags shell;
    FrameClock clock;
    clock.lastCounter = SDL_GetPerformanceCounter();
    clock.frequency = static_cast<float>(SDL_GetPerformanceFrequency());
    do {
        const Uint64 passStartNs = SDL_GetTicksNS();
        PassInput input;
        input.dt = measureFrameTime(clock, SDL_GetPerformanceCounter());
        input.restarts = drainEvents(gameWindow.window, shell);
        input.held = readHeldKeys(SDL_GetKeyboardState(nullptr));
        playPass(gameWindow, state, input);
        restUnpacedPass(gameWindow.window, passStartNs);
    } while (shell.running);
}

}  // namespace

int runGame()
{
    GameWindow gameWindow;
    if (!openGameWindow(gameWindow))
        return 1;
    // Outlives the window and SDL: its arrays are released last, on return.
    GameState state = createGameState();
    runLoop(gameWindow, state);
    closeGameWindow(gameWindow);
    return 0;
}
