// A stand-in for libGL that does next to nothing: the drawing code's own cost of submitting a
// frame, without the recording double's bookkeeping. It counts only between startGlTally and
// glTally, so a timed frame pays one well-predicted branch per call and no stores.
#include <GL/gl.h>

#include "bench/gl_tally.hpp"

namespace {
GlTally tally;
bool counting = false;

void countCall(std::uint64_t primitives, std::uint64_t vertices)
{
    if (!counting)
        return;
    tally.calls += 1;
    tally.primitives += primitives;
    tally.vertices += vertices;
}
}  // namespace

void startGlTally()
{
    tally = {};
    counting = true;
}

GlTally glTally()
{
    counting = false;
    return tally;
}

void dropGlRecord() {}

const char* glStandIn()
{
    return "counting stub";
}

extern "C" {

void glBegin(GLenum) { countCall(1, 0); }
void glEnd() { countCall(0, 0); }
void glVertex2f(GLfloat, GLfloat) { countCall(0, 1); }
void glColor3f(GLfloat, GLfloat, GLfloat) { countCall(0, 0); }
void glColor4f(GLfloat, GLfloat, GLfloat, GLfloat) { countCall(0, 0); }
void glLineWidth(GLfloat) { countCall(0, 0); }
void glViewport(GLint, GLint, GLsizei, GLsizei) { countCall(0, 0); }
void glMatrixMode(GLenum) { countCall(0, 0); }
void glLoadIdentity() { countCall(0, 0); }
void glOrtho(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) { countCall(0, 0); }
void glClearColor(GLclampf, GLclampf, GLclampf, GLclampf) { countCall(0, 0); }
void glClear(GLbitfield) { countCall(0, 0); }
void glEnable(GLenum) { countCall(0, 0); }
void glDisable(GLenum) { countCall(0, 0); }
void glBlendFunc(GLenum, GLenum) { countCall(0, 0); }

}  // extern "C"
