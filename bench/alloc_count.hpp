// Heap allocations made through operator new since the program started: every benchmark
// binary links alloc_count.cpp, which replaces the global operator new to count them.
#pragma once

#include <cstdint>

std::uint64_t allocationCount();
