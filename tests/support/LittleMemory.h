// For a child process: leaves it 64 MiB of address space beyond what it uses now, so that a
// big verb list runs it out of memory.
#pragma once

#ifndef _WIN32 // Windows has no limit on a process's address space
#include <fstream>

#include <sys/resource.h>
#include <unistd.h>

inline void LeaveLittleMemory()
{
    std::size_t nPages = 0;
    std::ifstream("/proc/self/statm") >> nPages;
    const rlim_t nLimit = nPages * ::sysconf(_SC_PAGESIZE) + (64 << 20);
    const rlimit limit{nLimit, nLimit};
    ::setrlimit(RLIMIT_AS, &limit);
}
#endif
