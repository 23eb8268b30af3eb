// Preloaded into the real game to count its passes: every pass ends in one buffer swap. The
// count is written at exit to the file named by PEXILON_SWAP_COUNT.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

struct SDL_Window;

namespace {
unsigned long long swaps = 0;

struct Report {
    ~Report()
    {
        if (const char* path = std::getenv("PEXILON_SWAP_COUNT")) {
            if (FILE* out = std::fopen(path, "w")) {
                std::fprintf(out, "%llu\n", swaps);
                std::fclose(out);
            }
        }
    }
} report;
}  // namespace

extern "C" bool SDL_GL_SwapWindow(SDL_Window* window)
{
    using Swap = bool (*)(SDL_Window*);
    static const auto next = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    ++swaps;
    return next(window);
}
