// Fuzzes the verb list checker on any bytes as a list file (a memfd: regular, nameless): no
// crash, no hang, and it counts the lesson reader's questions. Byte 0 holds the group flags.
#include "checker/VerbListChecker.h"
#include "tests/support/LessonChoices.h"
#include "verbdata/VerbListFile.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>

#include <sys/mman.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const std::string strPath = "/proc/self/fd/" + std::to_string(::memfd_create("list", 0));
    if (nSize == 0 || !std::ofstream(strPath, std::ios::binary)
                           .write(reinterpret_cast<const char*>(pData) + 1, nSize - 1))
        return 0;
    GroupSet groups;
    for (std::size_t k = 0; k < kGroupCount; ++k)
        groups.Set(k, (pData[0] >> k & 1) != 0);
    const ListCheck check = CheckVerbListFile(strPath, groups);
    QuestionPool pool;
    ReadVerbListFile(strPath, false, Flags<DirectionSet>("012345"), groups, pool);
    if (!check.m_bRead || check.m_summary.m_pool.size() != pool.size())
        std::abort();
    return 0;
}
