// Fuzzes the verb list reader. The first byte holds the six direction flags (bits 0-5) and
// the alternative-file flag (bit 6), the second the six group flags; the rest is the list.
#include "verbdata/VerbListReader.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#define REQUIRE(c) ((c) ? void() : (std::fprintf(stderr, "broken: %s\n", #c), std::abort()))

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* pData, std::size_t nSize)
{
    if (nSize < 2)
        return 0;
    DirectionSet directions;
    GroupSet groups;
    for (std::size_t k = 0; k < kDirectionCount; ++k)
    {
        directions.Set(k, (pData[0] >> k & 1) != 0);
        groups.Set(k, (pData[1] >> k & 1) != 0);
    }
    const std::string strList(reinterpret_cast<const char*>(pData) + 2, nSize - 2);
    std::istringstream in(strList);
    QuestionPool pool(1); // a question already there stays first
    const VerbListEnd end = ReadVerbList(in, (pData[0] & 0x40) != 0, directions, groups, pool);
    // The reading stops early exactly at a line too long; a CR before the LF does not count.
    bool bOverlong = false;
    for (std::size_t i = 0, n = 0; i < strList.size(); ++i)
        bOverlong |= (n = strList[i] == '\n' ? 0 : n + 1) > kMaxLineLength && strList.compare(i, 2, "\r\n") != 0;
    REQUIRE((end == VerbListEnd::LineTooLong) == bOverlong);
    REQUIRE(pool[0].m_strPrompt.empty() && pool[0].m_strExpected.empty() && (directions.Any() || pool.size() == 1));
    for (std::size_t i = 1; i < pool.size(); ++i)
    {
        const Question& q = pool[i];
        REQUIRE(!q.m_strPrompt.empty() && q.m_strPrompt[0] != '/' && !q.m_strExpected.empty());
        REQUIRE(q.m_nAskedForm >= 0 && q.m_nAskedForm < kVerbFormCount);
        REQUIRE(q.m_strPrompt.size() <= kMaxLineLength && q.m_strExpected.size() <= kMaxLineLength);
        REQUIRE((q.m_strPrompt + q.m_strExpected).find('\n') == std::string::npos);
    }
    return 0;
}
