// The per-frame view: the whole window shows the fixed 900 x 700 logical space.
#include "draw/view.hpp"

#include <GL/gl.h>

void beginFrame(int widthPixels, int heightPixels)
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

void setBlending(bool on)
{
    if (on) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
}
