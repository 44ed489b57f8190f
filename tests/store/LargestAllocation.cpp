#include "LargestAllocation.h"

#include <cstdlib>
#include <new>

namespace {
std::size_t g_largest = 0;
}

void ResetLargestAllocation()
{
    g_largest = 0;
}

std::size_t LargestAllocation()
{
    return g_largest;
}

// Requests above 256 MiB are refused outright, so a reader that trusts a damaged length
// fails the test instead of filling the machine's memory.
void* operator new(std::size_t size)
{
    if (size > g_largest)
        g_largest = size;
    if (size > (std::size_t{256} << 20))
        throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
