// Powers, sines and cosines worked out by our own arithmetic, so that a script plays the
// same game on every C library: each result is formed in double and rounded once to float.
#pragma once

#include <cstdint>

// base to the power exponent (0 or more); infinity once the power leaves float's range.
float wholePower(float base, std::int32_t exponent);

// Sine and cosine of an angle in radians of at most an eighth of a turn either way.
float smallAngleSine(float radians);
float smallAngleCosine(float radians);
