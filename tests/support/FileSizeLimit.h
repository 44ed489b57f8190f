#pragma once
// A full disk for the tests: with a file size limit (RLIMIT_FSIZE) a write that would
// take a regular file past the limit stops there, and the next one fails with EFBIG
// ("File too large"). The limit holds for the whole process, every thread and every
// regular file it writes, captured stderr included: capture through a pipe meanwhile.
// SIGXFSZ, which would end the process, is ignored from the first call on.

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <optional>
#include <sys/resource.h>

// bytes: the most any file may hold; nullopt lifts the limit.
inline void LimitFileSize(std::optional<std::uint64_t> bytes)
{
    static const rlimit original = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        return limit;
    }();
    rlimit limit = original;
    if (bytes && (limit.rlim_max == RLIM_INFINITY || *bytes < limit.rlim_max))
        limit.rlim_cur = static_cast<rlim_t>(*bytes);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        ADD_FAILURE() << "setrlimit(RLIMIT_FSIZE): " << std::strerror(errno);
}
