// What the GL entry points received: the frame-submission benchmark links one of two
// stand-ins for libGL and reads its counts through this.
#pragma once

#include <cstdint>

struct GlTally {
    std::uint64_t calls = 0;
    std::uint64_t primitives = 0;  // glBegin calls
    std::uint64_t vertices = 0;    // glVertex2f calls
};

// Counts from here on; glTally reads the counts since.
void startGlTally();
GlTally glTally();

// Between two timed frames: the recording double clears its record so it does not grow
// without end; the counting stub has nothing to drop.
void dropGlRecord();

// Names the stand-in in the benchmark's output.
const char* glStandIn();
