// A stand-in for libGL that does next to nothing: the drawing code's own cost of submitting a
// frame, without the recording double's bookkeeping. It counts only between startGlTally and
// glTally, so a timed frame pays one well-predicted branch per call and no stores.
#include <GL/gl.h>

#include "bench/gl_tally.hpp"

namespace {
GlTally tally_;
bool counting_ = false;

void count_(std::uint64_t primitives, std::uint64_t vertices)
{
    if (!counting_)
        return;
    tally_.calls += 1;
    tally_.primitives += primitives;
    tally_.vertices += vertices;
}
}  // namespace

void startGlTally()
{
    tally_ = {};
    counting_ = true;
}

GlTally glTally()
{
    counting_ = false;
    return tally_;
}

void dropGlRecord() {}

const char* glStandIn()
{
    return "counting stub";
}

extern "C" {

void glBegin(GLenum) { count_(1, 0); }
void glEnd() { count_(0, 0); }
void glVertex2f(GLfloat, GLfloat) { count_(0, 1); }
void glColor3f(GLfloat, GLfloat, GLfloat) { count_(0, 0); }
void glColor4f(GLfloat, GLfloat, GLfloat, GLfloat) { count_(0, 0); }
void glLineWidth(GLfloat) { count_(0, 0); }
void glViewport(GLint, GLint, GLsizei, GLsizei) { count_(0, 0); }
void glMatrixMode(GLenum) { count_(0, 0); }
void glLoadIdentity() { count_(0, 0); }
void glOrtho(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) { count_(0, 0); }
void glClearColor(GLclampf, GLclampf, GLclampf, GLclampf) { count_(0, 0); }
void glClear(GLbitfield) { count_(0, 0); }
void glEnable(GLenum) { count_(0, 0); }
void glDisable(GLenum) { count_(0, 0); }
void glBlendFunc(GLenum, GLenum) { count_(0, 0); }

}  // extern "C"
