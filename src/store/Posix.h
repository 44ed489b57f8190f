#pragma once
// The one place that retries system calls a signal interrupted (EINTR).

#include <cerrno>
#include <cstddef>
#include <sys/types.h>
#include <unistd.h>

namespace store {

// Calls call() until it returns anything but -1 with errno EINTR, and returns that.
// call is called again as it is, so a timeout it computes is computed afresh.
template <typename Call> auto RetryOnEintr(Call call) -> decltype(call())
{
    for (;;) {
        const auto result = call();
        if (!(result < 0 && errno == EINTR))
            return result;
    }
}

// Writes all size bytes to fd; false when a write fails (errno says why). A write that
// takes nothing counts as a failure with EIO.
inline bool WriteAll(int fd, const void* data, std::size_t size)
{
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t put = RetryOnEintr([&] { return ::write(fd, next, size); });
        if (put < 0)
            return false;
        if (put == 0) {
            errno = EIO;
            return false;
        }
        next += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

} // namespace store
