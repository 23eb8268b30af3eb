// Start-up, the timed main loop and shutdown, run by SDL's main callbacks: SDL runs the loop the
// way the platform wants it (a plain loop on the desktop, the page's frame callback in the
// browser) and calls in once for each event and once for each pass.
#include "app/loop.hpp"

// SDL_EnterAppMainCallbacks only: the program's entry point stays main's own.
#define SDL_MAIN_HANDLED
#include <SDL3/SDL_main.h>

#include <memory>
#include <utility>

#include "app/controls.hpp"
#include "app/frame_timing.hpp"
#include "app/start_failure.hpp"
#include "app/window_icon.hpp"
#include "game/game_state.hpp"
#include "game/pass.hpp"
#include "ui/frame.hpp"

// A build may add to the window's flags: the page's asks for the screen's pixel density, so that
// its canvas draws at the screen's own pixels.
#ifndef PEXILON_EXTRA_WINDOW_FLAGS
#define PEXILON_EXTRA_WINDOW_FLAGS 0
#endif
// A build whose host paces the passes (the page's frame callback) leaves out the rest after a
// pass: a browser has no sleep, and the rest would only spin its main thread.
#ifndef PEXILON_HOST_PACES_PASSES
#define PEXILON_HOST_PACES_PASSES 0
#endif

namespace {
constexpr int kWindowWidth = 900;
constexpr int kWindowHeight = 700;
constexpr SDL_WindowFlags kWindowFlags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | PEXILON_EXTRA_WINDOW_FLAGS;
constexpr bool kHostPacesPasses = PEXILON_HOST_PACES_PASSES;
}  // namespace

bool openGameWindow(GameWindow& gameWindow)
{
    if (!SDL_Init(SDL_INIT_VIDEO)) {
        reportStartFailure("SDL_Init failed");
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    gameWindow.window =
        SDL_CreateWindow("Pexilon", kWindowWidth, kWindowHeight, kWindowFlags);
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
void showFrame(const GameWindow& gameWindow, const GameState& state)
{
    int widthPixels = kWindowWidth;
    int heightPixels = kWindowHeight;
    SDL_GetWindowSizeInPixels(gameWindow.window, &widthPixels, &heightPixels);
    drawFrame(state, widthPixels, heightPixels);
    SDL_GL_SwapWindow(gameWindow.window);
}

}  // namespace

void playPass(const GameWindow& gameWindow, GameState& state, const PassInput& input)
{
    const std::string title = runPass(state, input);
    SDL_SetWindowTitle(gameWindow.window, title.c_str());
    showFrame(gameWindow, state);
}

namespace {

// Live play: the clock that measures each frame, and when the previous pass began.
struct LiveFeed {
    FrameClock clock;
    std::uint64_t passStartNs = 0;  // 0 before the first pass, which so never rests
};

// A recorded game being watched.
struct WatchFeed {
    explicit WatchFeed(CheckedRecording recording) : script(std::move(recording)) {}

    WatchedScript script;
    WatchSchedule schedule;
    bool ended = false;  // its last pass has been shown
};

// Everything the game holds between SDL's calls.
struct App {
    GameWindow gameWindow;
    std::variant<LiveFeed, WatchFeed> feed;  // where the passes come from
    std::optional<Recording> recording;      // live play written to a script as it goes
    ShellFlags shell;
    int restarts = 0;  // R presses since the last pass began
    GameState state;
};

// SDL hands the init callback only the command line: runGame leaves the session here for appInit,
// and appQuit leaves how the game ended for runGame to return.
struct Handoff {
    std::optional<Session> session;
    GameEnd end;
};
Handoff handoff;

void takeSession(App& app, Session session)
{
    if (auto* play = std::get_if<PlaySession>(&session))
        app.recording = std::move(play->recording);
    else
        app.feed.emplace<WatchFeed>(std::move(std::get<CheckedRecording>(session)));
}

// Just before the first pass: its frame time is almost 0, and a watched game starts its schedule.
void startFeed(App& app)
{
    if (auto* live = std::get_if<LiveFeed>(&app.feed)) {
        live->clock.lastCounter = SDL_GetPerformanceCounter();
        live->clock.frequency = static_cast<float>(SDL_GetPerformanceFrequency());
    } else {
        std::get<WatchFeed>(app.feed).schedule.startNs = SDL_GetTicksNS();
    }
}

// The refresh rate of the display the window is on; 0 when SDL cannot tell.
float displayRefreshHz(SDL_Window* window)
{
    const SDL_DisplayMode* mode = SDL_GetCurrentDisplayMode(SDL_GetDisplayForWindow(window));
    return mode != nullptr ? mode->refresh_rate : 0.0f;
}

// The player's pass: first, where the program paces its own passes, the rest of a refresh
// period if the previous pass's swap did not wait for the display; then the frame time, the R
// presses since the last pass and the held keys.
void playLivePass(App& app, LiveFeed& live)
{
    if constexpr (!kHostPacesPasses) {
        const std::uint64_t rest =
            restAfterPassNs(SDL_GetTicksNS() - live.passStartNs, displayRefreshHz(app.gameWindow.window));
        if (rest > 0)
            SDL_DelayPrecise(rest);
        live.passStartNs = SDL_GetTicksNS();
    }
    PassInput input;
    input.dt = measureFrameTime(live.clock, SDL_GetPerformanceCounter());
    input.restarts = app.restarts;
    input.held = readHeldKeys(SDL_GetKeyboardState(nullptr));
    playPass(app.gameWindow, app.state, input);
    if (app.recording)
        recordPass(*app.recording, input, SDL_GetTicksNS());
}

// The recording's next pass once its time has come, so the game plays at the speed it was
// recorded. The recording holds the player's keys and restarts: the watcher's R and move keys
// do nothing. After the last pass its frame and title stay, drawn again after every batch of
// events (so that F11 or a resize shows it whole), and SDL waits for events in between.
void playWatchedPass(App& app, WatchFeed& watch)
{
    if (!watch.ended) {
        if (const std::optional<PassInput> input = nextWatchedPass(watch.script)) {
            const std::uint64_t rest = restBeforeWatchedPass(watch.schedule, input->dt, SDL_GetTicksNS());
            if (rest > 0)
                SDL_DelayPrecise(rest);
            playPass(app.gameWindow, app.state, *input);
            return;
        }
        watch.ended = true;
        SDL_SetHint(SDL_HINT_MAIN_CALLBACK_RATE, "waitevent");
    }
    showFrame(app.gameWindow, app.state);
}

SDL_AppResult appInit(void** appstate, int /*argc*/, char** /*argv*/)
{
    auto* app = new App;  // appQuit deletes it, also after a failed start
    *appstate = app;
    takeSession(*app, std::move(*handoff.session));
    handoff.session.reset();
    if (!openGameWindow(app->gameWindow))
        return SDL_APP_FAILURE;
    app->state = createGameState();
    startFeed(*app);
    return SDL_APP_CONTINUE;
}

// Events arrive between passes; the next pass acts on them. A close request or ESC still lets
// that pass run whole, and an R after ESC still restarts it.
SDL_AppResult appEvent(void* appstate, SDL_Event* event)
{
    App& app = *static_cast<App*>(appstate);
    app.restarts += handleEvent(*event, app.gameWindow.window, app.shell);
    return SDL_APP_CONTINUE;
}

SDL_AppResult appIterate(void* appstate)
{
    App& app = *static_cast<App*>(appstate);
    if (auto* live = std::get_if<LiveFeed>(&app.feed))
        playLivePass(app, *live);
    else
        playWatchedPass(app, std::get<WatchFeed>(app.feed));
    app.restarts = 0;
    return app.shell.running ? SDL_APP_CONTINUE : SDL_APP_SUCCESS;
}

void appQuit(void* appstate, SDL_AppResult result)
{
    const std::unique_ptr<App> app(static_cast<App*>(appstate));
    GameEnd end;
    end.exitCode = result == SDL_APP_FAILURE ? 1 : 0;
    const bool started = app->gameWindow.window != nullptr;
    // The one place a recording ends, and before SDL_Quit gives SIGINT and SIGTERM their
    // default action back, which would end the process before the file is complete.
    if (app->recording && !started)
        discardRecording(*app->recording);
    if (app->recording && !finishRecording(*app->recording))
        end.recordingError = app->recording->error;
    if (started)
        closeGameWindow(app->gameWindow);
    handoff.end = std::move(end);
}

}  // namespace

GameEnd runGame(Session session)
{
    handoff.session = std::move(session);
    SDL_EnterAppMainCallbacks(0, nullptr, appInit, appIterate, appEvent, appQuit);
    return std::move(handoff.end);
}
