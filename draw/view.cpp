// The per-frame view: the whole window shows the fixed 900 x 700 logical space.
#include "draw/view.hpp"

#include <GL/gl.h>
#include <SDL3/SDL_video.h>

namespace {
// The window's opening size, kept when the window cannot be asked for its own.
constexpr int kPresetWidthPixels = 900;
constexpr int kPresetHeightPixels = 700;

void setView(int widthPixels, int heightPixels)
{
    glViewport(0, 0, widthPixels, heightPixels);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // Bottom 700 and top 0 turn y downward, as the whole game counts it.
    glOrtho(0.0, kLogicalWidth, kLogicalHeight, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}
}  // namespace

void beginFrame(SDL_Window* window)
{
    int widthPixels = kPresetWidthPixels;
    int heightPixels = kPresetHeightPixels;
    // Pixels, not screen units: on a high-density display the viewport must cover every pixel.
    // A failed query leaves both values alone, so the presets stand.
    SDL_GetWindowSizeInPixels(window, &widthPixels, &heightPixels);
    setView(widthPixels, heightPixels);
}

void setBlending(bool on)
{
    if (on) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
}
