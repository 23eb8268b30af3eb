// The page's context is asked for no alpha and no depth buffer (the drawing uses neither): the
// browser then composites the canvas as opaque and keeps no depth buffer at the screen's size,
// which on a phone's sharp canvas (about 1.5 million pixels) is work in every frame. The web
// build links every call of SDL_GL_CreateContext to this function
// (-Wl,--wrap=SDL_GL_CreateContext, web/gl/CMakeLists.txt); the shell stays the desktop's source.
#include <SDL3/SDL_video.h>

extern "C" SDL_GLContext __real_SDL_GL_CreateContext(SDL_Window* window);

extern "C" SDL_GLContext __wrap_SDL_GL_CreateContext(SDL_Window* window)
{
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    return __real_SDL_GL_CreateContext(window);
}
