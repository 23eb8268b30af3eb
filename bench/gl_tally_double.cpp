// The tally read from the drawing tests' recording double, which keeps every call with its
// name and arguments (a heap block for each call that has arguments).
#include <string>

#include "bench/gl_tally.hpp"
#include "support/gl_double.hpp"

void startGlTally()
{
    gldouble::clearCalls();
}

GlTally glTally()
{
    GlTally tally;
    for (const gldouble::Call& call : gldouble::calls()) {
        tally.calls += 1;
        tally.primitives += call.name == "glBegin" ? 1 : 0;
        tally.vertices += call.name == "glVertex2f" ? 1 : 0;
    }
    return tally;
}

void dropGlRecord()
{
    gldouble::clearCalls();
}

const char* glStandIn()
{
    return "recording double";
}
