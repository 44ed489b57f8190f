#include "platform/Platform.h"

#include <stdexcept>

namespace {
Platform* current = nullptr;
}

Platform& platform()
{
    if (!current)
        throw std::logic_error("no platform installed");
    return *current;
}

void setPlatform(Platform* p)
{
    current = p;
}
