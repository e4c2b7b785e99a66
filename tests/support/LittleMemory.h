// For a child process: leaves it 64 MiB of address space beyond what it uses now, so that a
// big verb list runs it out of memory.
#pragma once

#include <fstream>

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

// Why no limit can work here, or nullptr: a test that needs one skips with this reason.
inline const char* WhyNoMemoryLimit()
{
#if defined(__SANITIZE_ADDRESS__)
    return "AddressSanitizer reserves terabytes of address space: no limit can work";
#elif defined(_WIN32)
    return "Windows has no limit on a process's address space";
#else
    return nullptr;
#endif
}

inline void LeaveLittleMemory()
{
#ifndef _WIN32
    std::size_t nPages = 0;
    std::ifstream("/proc/self/statm") >> nPages;
    const rlim_t nLimit = nPages * ::sysconf(_SC_PAGESIZE) + (64 << 20);
    const rlimit limit{nLimit, nLimit};
    ::setrlimit(RLIMIT_AS, &limit);
#endif
}
