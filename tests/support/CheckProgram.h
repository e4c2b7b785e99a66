// taldrin-check run as a teacher's script runs it (TALDRIN_CHECK_PROGRAM names it).
#pragma once

#include <cstdio>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#endif

// The exit status of taldrin-check with these arguments; its standard output in *pOut.
inline int RunCheck(const std::string& strArguments, std::string* pOut = nullptr)
{
#ifdef _WIN32
    // cmd takes off the first and last quote of a line holding more: a pair of its own.
    std::FILE* pPipe = ::_popen(("\"\"" TALDRIN_CHECK_PROGRAM "\" " + strArguments + "\"").c_str(), "r");
#else
    std::FILE* pPipe = ::popen(("timeout 30 " TALDRIN_CHECK_PROGRAM " " + strArguments).c_str(), "r");
#endif
    std::string strOut;
    char sz[4096];
    for (std::size_t n; (n = std::fread(sz, 1, sizeof sz, pPipe)) > 0;)
        strOut.append(sz, n);
    if (pOut)
        *pOut = strOut;
#ifdef _WIN32
    return ::_pclose(pPipe);
#else
    const int nResult = ::pclose(pPipe);
    return WIFEXITED(nResult) ? WEXITSTATUS(nResult) : -1;
#endif
}
