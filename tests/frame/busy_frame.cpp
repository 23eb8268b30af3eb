// One busy frame, drawn again every pass in a 900 x 700 window: a full lane of monsters, the
// shots of a three-gun supergun fan, the open weapon crate flashing, four messages fading.
// The desktop and the browser build it from this same source, and the web check holds the
// two pictures against each other pixel for pixel (tests/web/page.test.mjs).
//
// SDL's own main would do for the desktop, but in the browser it reads the page's address
// with JavaScript that Emscripten 3.1.6 cannot compile, so main enters the callbacks itself.
#define SDL_MAIN_HANDLED
#include <SDL3/SDL.h>
#include <SDL3/SDL_main.h>

#include "bench/peak_state.hpp"
#include "ui/frame.hpp"

namespace {
constexpr int kWidthPixels = 900;
constexpr int kHeightPixels = 700;

struct BusyFrame {
    SDL_Window* window;
    SDL_GLContext context;
    GameState state;
};

SDL_AppResult openBusyFrame(void** appstate, int, char**)
{
    if (!SDL_Init(SDL_INIT_VIDEO)) {
        SDL_Log("SDL_Init failed: %s", SDL_GetError());
        return SDL_APP_FAILURE;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // The window tests find it by this title.
    SDL_Window* window = SDL_CreateWindow("Pexilon busy frame", kWidthPixels, kHeightPixels, SDL_WINDOW_OPENGL);
    SDL_GLContext context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
    if (context == nullptr) {
        SDL_Log("no window with a GL context: %s", SDL_GetError());
        return SDL_APP_FAILURE;
    }
    *appstate = new BusyFrame{window, context, makePeakState()};
    return SDL_APP_CONTINUE;
}

SDL_AppResult drawBusyFrame(void* appstate)
{
    const BusyFrame& frame = *static_cast<BusyFrame*>(appstate);
    drawFrame(frame.state, kWidthPixels, kHeightPixels);
    SDL_GL_SwapWindow(frame.window);
    return SDL_APP_CONTINUE;
}

SDL_AppResult handleEvent(void*, SDL_Event* event)
{
    return event->type == SDL_EVENT_QUIT ? SDL_APP_SUCCESS : SDL_APP_CONTINUE;
}

void closeBusyFrame(void* appstate, SDL_AppResult)
{
    if (const auto* frame = static_cast<BusyFrame*>(appstate)) {
        SDL_GL_DestroyContext(frame->context);
        SDL_DestroyWindow(frame->window);
        delete frame;
    }
}
}  // namespace

int main(int argc, char** argv)
{
    return SDL_EnterAppMainCallbacks(argc, argv, openBusyFrame, drawBusyFrame, handleEvent, closeBusyFrame);
}
