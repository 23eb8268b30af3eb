// Start-up, the timed main loop and shutdown.
#include "app/loop.hpp"

#include <string>

#include "app/browser.hpp"
#include "app/controls.hpp"
#include "app/frame_timing.hpp"
#include "app/recording.hpp"
#include "app/start_failure.hpp"
#include "app/window_icon.hpp"
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
        reportStartFailure("SDL_Init failed");
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    gameWindow.window =
        SDL_CreateWindow("Pexilon", kWindowWidth, kWindowHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE);
    if (gameWindow.window == nullptr) {
        reportStartFailure("SDL_CreateWindow failed");
        SDL_Quit();
        return false;
    }
    setWindowIcon(gameWindow.window);
    gameWindow.context = SDL_GL_CreateContext(gameWindow.window);
    if (gameWindow.context == nullptr) {
        reportStartFailure("SDL_GL_CreateContext failed");
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

namespace {
// Pixels, not screen units: on a high-density display the picture covers every pixel. A
// failed query leaves the opening size.
void drawWindowFrame(SDL_Window* window, const GameState& state)
{
    int widthPixels = kWindowWidth;
    int heightPixels = kWindowHeight;
    SDL_GetWindowSizeInPixels(window, &widthPixels, &heightPixels);
    drawFrame(state, widthPixels, heightPixels);
}
}  // namespace

void playPass(const GameWindow& gameWindow, GameState& state, const PassInput& input)
{
    const std::string title = runPass(state, input);
    SDL_SetWindowTitle(gameWindow.window, title.c_str());
    drawWindowFrame(gameWindow.window, state);
    SDL_GL_SwapWindow(gameWindow.window);
#ifdef __EMSCRIPTEN__
    awaitBrowserFrame();
#endif
}

namespace {

// The refresh rate of the display the window is on; 0 when SDL cannot tell.
float displayRefreshHz(SDL_Window* window)
{
    const SDL_DisplayMode* mode = SDL_GetCurrentDisplayMode(SDL_GetDisplayForWindow(window));
    return mode != nullptr ? mode->refresh_rate : 0.0f;
}

// Where the passes come from: the player at the keyboard, or a recorded game being watched.
struct PassFeed {
    const std::vector<PassInput>* script = nullptr;  // null: live play
    std::size_t next = 0;                            // watching: the script's next pass
    Uint64 startNs = 0;                              // watching: when its first pass began
    double scheduledSeconds = 0.0;                   // watching: its frame times so far
    FrameClock clock;                                // playing: measures each frame
    Uint64 passStartNs = 0;                          // playing: when the previous pass began
};

PassFeed startFeed(const std::vector<PassInput>* script)
{
    PassFeed feed;
    feed.script = script;
    feed.startNs = SDL_GetTicksNS();
    feed.clock.lastCounter = SDL_GetPerformanceCounter();
    feed.clock.frequency = static_cast<float>(SDL_GetPerformanceFrequency());
    return feed;
}

bool feedEnded(const PassFeed& feed)
{
    return feed.script != nullptr && feed.next == feed.script->size();
}

// The frame time, the R presses and the held keys of this pass, after the previous pass has
// rested what was left of a refresh period if the swap did not wait for the display.
PassInput livePass(PassFeed& feed, SDL_Window* window, ShellFlags& shell)
{
    const Uint64 rest = restAfterPassNs(SDL_GetTicksNS() - feed.passStartNs, displayRefreshHz(window));
    if (rest > 0)
        SDL_DelayPrecise(rest);
    feed.passStartNs = SDL_GetTicksNS();
    PassInput input;
    input.dt = measureFrameTime(feed.clock, SDL_GetPerformanceCounter());
    input.restarts = drainEvents(window, shell);
    input.held = readHeldKeys(SDL_GetKeyboardState(nullptr));
    return input;
}

// The script's next pass, once the time it advances the game has passed since the script
// started: the game plays at the speed it was recorded.
PassInput scriptedPass(PassFeed& feed, SDL_Window* window, ShellFlags& shell)
{
    const PassInput input = (*feed.script)[feed.next++];
    feed.scheduledSeconds += input.dt;
    const Uint64 rest = restUntilScheduleNs(SDL_GetTicksNS() - feed.startNs, feed.scheduledSeconds);
    if (rest > 0)
        SDL_DelayPrecise(rest);
    // The script holds the player's keys and restarts: the watcher's R and move keys do nothing.
    drainEvents(window, shell);
    return input;
}

// The last frame of a watched game stays, title and all, until ESC or close. It is drawn
// again after every batch of events, so F11 or a resize shows it whole.
void holdLastFrame(const GameWindow& gameWindow, const GameState& state, ShellFlags& shell)
{
    while (shell.running) {
        SDL_WaitEvent(nullptr);
        drainEvents(gameWindow.window, shell);
        drawWindowFrame(gameWindow.window, state);
        SDL_GL_SwapWindow(gameWindow.window);
    }
}

void runLoop(const GameWindow& gameWindow, GameState& state, const Session& session)
{
    ShellFlags shell;
    PassFeed feed = startFeed(session.script);
    // One loop for playing, recording and watching: only where the input comes from and where
    // else it goes differ.
    while (shell.running && !feedEnded(feed)) {
        const PassInput input = feed.script != nullptr ? scriptedPass(feed, gameWindow.window, shell)
                                                       : livePass(feed, gameWindow.window, shell);
        playPass(gameWindow, state, input);
        if (session.recording != nullptr)
            recordPass(*session.recording, input, SDL_GetTicksNS());
    }
    if (session.script != nullptr)
        holdLastFrame(gameWindow, state, shell);
}

}  // namespace

int runGame(const Session& session)
{
    GameWindow gameWindow;
    if (!openGameWindow(gameWindow))
        return 1;
    // Outlives the window and SDL: its arrays are released last, on return.
    GameState state = createGameState();
    runLoop(gameWindow, state, session);
    // Before SDL gives SIGINT and SIGTERM their default action back, which would end the
    // process before the file is complete.
    if (session.recording != nullptr)
        finishRecording(*session.recording);
    closeGameWindow(gameWindow);
    return 0;
}
