#pragma once
// The test program replaces operator new to see how much a reader asks for at once.

#include <cstddef>

void ResetLargestAllocation();
std::size_t LargestAllocation();
