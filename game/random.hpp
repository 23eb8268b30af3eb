// The game's one random source and the two ways it turns engine outputs into numbers.
#pragma once

#include <random>

// Our own arithmetic rather than a library distribution: distributions differ between
// libraries in their results and in how many engine outputs they take, and a replay
// depends on both.

// A float in [0, 1): the top 24 bits of one engine output.
float randomUnit(std::mt19937& rng);

// An unbiased integer in [0, n) for n >= 1, by multiply-and-reject on 32-bit outputs.
int randomIndex(std::mt19937& rng, int n);
