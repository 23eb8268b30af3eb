#include "app/start_failure.hpp"

#include <string>

#include <SDL3/SDL.h>

namespace {

// Whether the log of a program started from the desktop reaches no one on this platform.
constexpr bool kLogUnseen =
#ifdef _WIN32
    true;
#else
    false;
#endif

}  // namespace

void reportStartFailure(const char* what)
{
    const std::string line = std::string(what) + ": " + SDL_GetError();
    SDL_Log("%s", line.c_str());
    if (kLogUnseen)
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Pexilon could not start", line.c_str(), nullptr);
}
