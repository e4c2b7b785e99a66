// taldrin-check on generated lists of growing size: peak memory against the part of the
// list a lesson reads, and processor time against the file's size. Four shapes: verbs,
// blank lines after a header (the most records per byte), one verb repeated 10^4, 10^5
// and 10^6 times (every record the same Infinitive), and a 2 GiB sparse file, of which a
// lesson reads one block. Exits with 1 when the peak exceeds 4 x the part read plus the
// program's own floor.
//   checker_bench [TALDRIN-CHECK]   (default: build/checker/taldrin-check)
#include <cstdio>
#include <fstream>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

struct Run
{
    double dPeakMiB = 0; // resident
    double dSeconds = 0; // processor, user and system
};

Run Check(const char* pszProgram, const std::string& strList)
{
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0)
    {
        std::freopen("/dev/null", "w", stdout);
        ::execl(pszProgram, pszProgram, "--quiet", strList.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int nStatus = 0;
    rusage usage{};
    ::wait4(pid, &nStatus, 0, &usage);
    return {usage.ru_maxrss / 1024.0,
            static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6};
}

const char kHeader[] = "# Verb list for the checker benchmark\nGenerated\n#\n#\n";

void WriteVerbs(const std::string& strPath, std::size_t nBytes)
{
    static const char* const kForms[][3] = {{"went", "go", "gone"},
                                            {"/was /were", "be", "been"},
                                            {"/learnt /learned", "learn", "/learnt /learned"},
                                            {"caf\\'ed", "caf\\'e", "caf\\'ed"}};
    static const char* const kTags[] = {"lit", "ess1", "ess2", "bas1", "bas2", "dop"};
    std::ofstream out(strPath, std::ios::binary);
    out << kHeader;
    for (std::size_t i = 0, n = sizeof kHeader; n < nBytes; ++i)
    {
        const auto& forms = kForms[i % 4];
        const std::string strRecord = std::string(kTags[i % 6]) + "\n" + forms[0] + "\n" +
                                      forms[1] + std::to_string(i) + "\n" + forms[2] + "\n";
        out << strRecord;
        n += strRecord.size();
    }
}

void WriteOneVerb(const std::string& strPath, std::size_t nRecords)
{
    std::ofstream out(strPath, std::ios::binary);
    out << kHeader;
    for (std::size_t i = 0; i < nRecords; ++i)
        out << "ess1\nwent\ngo\ngone\n";
}

void WriteBlankLines(const std::string& strPath, std::size_t nBytes)
{
    std::ofstream(strPath, std::ios::binary) << kHeader << std::string(nBytes, '\n');
}

} // namespace

int main(int argc, char** argv)
{
    const char* pszProgram = argc > 1 ? argv[1] : "build/checker/taldrin-check";
    char szDir[] = "/tmp/taldrin-check-bench-XXXXXX";
    if (::mkdtemp(szDir) == nullptr)
        return 2;
    const std::string strDir = szDir;
    WriteVerbs(strDir + "/floor.ver", 100);
    const double dFloor = Check(pszProgram, strDir + "/floor.ver").dPeakMiB;
    std::printf("floor (a one-verb list): %.1f MiB\n\n", dFloor);
    std::printf("%-12s %9s %10s %10s %14s %8s %10s\n", "list", "file MiB", "read MiB", "peak MiB",
                "(peak-floor)/read", "cpu s", "cpu s/MiB");
    bool bBounded = true;
    const auto Report =
        [&](const char* pszShape, const std::string& strPath, double dFileMiB, double dReadMiB)
    {
        const Run run = Check(pszProgram, strPath);
        const double dRatio = (run.dPeakMiB - dFloor) / dReadMiB;
        std::printf("%-12s %9.1f %10.2f %10.1f %14.2f %8.2f %10.3f\n", pszShape, dFileMiB, dReadMiB,
                    run.dPeakMiB, dRatio, run.dSeconds, run.dSeconds / dFileMiB);
        bBounded = bBounded && run.dPeakMiB <= 4 * dReadMiB + dFloor + 1;
        std::remove(strPath.c_str());
        return run;
    };
    for (const std::size_t nMiB : {2, 4, 8, 16})
    {
        const std::size_t nBytes = nMiB << 20;
        WriteVerbs(strDir + "/verbs.ver", nBytes);
        Report("verbs", strDir + "/verbs.ver", static_cast<double>(nMiB),
               static_cast<double>(nMiB));
        WriteBlankLines(strDir + "/blank.ver", nBytes);
        Report("blank lines", strDir + "/blank.ver", static_cast<double>(nMiB),
               static_cast<double>(nMiB));
    }
    // One verb repeated: the rules that compare records (the same verb twice) stay linear.
    const std::size_t kRecords[] = {10000, 100000, 1000000};
    double dPerRecord[3] = {};
    for (std::size_t i = 0; i < 3; ++i)
    {
        const std::string strPath = strDir + "/one-verb.ver";
        WriteOneVerb(strPath, kRecords[i]);
        const double dMiB = static_cast<double>(kRecords[i] * 18 + sizeof kHeader) / (1 << 20);
        dPerRecord[i] =
            Report("one verb", strPath, dMiB, dMiB).dSeconds * 1e6 / static_cast<double>(kRecords[i]);
    }
    // A lesson reads one block of it, and stops at its first line, too long.
    const std::string strSparse = strDir + "/sparse.ver";
    std::ofstream(strSparse).close();
    if (::truncate(strSparse.c_str(), 2L << 30) == 0)
        Report("sparse 2 GiB", strSparse, 2048, 64.0 / 1024);
    ::rmdir(szDir);
    std::printf("\none verb repeated: cpu us a record");
    for (std::size_t i = 0; i < 3; ++i)
        std::printf(", %zu records %.2f", kRecords[i], dPerRecord[i]);
    std::printf("; at 10^6 / at 10^4: %.2f (1 is linear)\n", dPerRecord[2] / dPerRecord[0]);
    std::printf("\npeak %s 4 x the part read plus the floor\n", bBounded ? "within" : "BEYOND");
    return bBounded ? 0 : 1;
}
