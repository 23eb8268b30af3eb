// The swap is where the browser's GL layer draws: the web build links every call of
// SDL_GL_SwapWindow to this function (-Wl,--wrap=SDL_GL_SwapWindow, web/gl/CMakeLists.txt),
// which hands the frame to WebGL and then swaps as SDL does. The shell and the drawing stay
// the same source as on the desktop.
#include <SDL3/SDL_video.h>

#include "web/gl/frame_list.hpp"

extern "C" bool __real_SDL_GL_SwapWindow(SDL_Window* window);

extern "C" bool __wrap_SDL_GL_SwapWindow(SDL_Window* window)
{
    drawRecordedFrame();
    return __real_SDL_GL_SwapWindow(window);
}
