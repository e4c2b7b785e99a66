// Fuzzes the verb list reader. The first byte holds the six direction flags (bits 0-5)
// and the alternative-file flag (bit 6), the second the six group flags; the rest is
// the list.
#include "verbdata/VerbListReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace
{

void Require(bool bCondition, const char* pszWhat)
{
    if (bCondition)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", pszWhat);
    std::abort();
}

// Whether some line of the list is longer than the reader takes, counted on its own:
// LF ends a line and a CR right before the LF does not count.
bool HasOverlongLine(const std::string& strList)
{
    std::size_t nStart = 0;
    for (;;)
    {
        const std::size_t nEnd = strList.find('\n', nStart);
        std::size_t nLength = (nEnd == std::string::npos ? strList.size() : nEnd) - nStart;
        if (nEnd != std::string::npos && nLength > 0 && strList[nEnd - 1] == '\r')
            --nLength;
        if (nLength > kMaxLineLength)
            return true;
        if (nEnd == std::string::npos)
            return false;
        nStart = nEnd + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize < 2)
        return 0;
    DirectionSet directions;
    GroupSet groups;
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        directions.Set(k, (pData[0] >> k & 1) != 0);
    for (std::size_t k = 0; k < kGroupCount; ++k)
        groups.Set(k, (pData[1] >> k & 1) != 0);
    const bool bAlternativeFile = (pData[0] & 0x40) != 0;
    const std::string strList(reinterpret_cast<const char*>(pData) + 2, nSize - 2);

    // A question already in the pool must stay first and untouched.
    Question sentinel;
    sentinel.Set("/sentinel", "", PastParticiple);
    QuestionPool pool{sentinel};
    std::istringstream in(strList);
    const VerbListEnd end = ReadVerbList(in, bAlternativeFile, directions, groups, pool);

    Require(end != VerbListEnd::StreamFailed, "a string stream is always readable");
    Require((end == VerbListEnd::LineTooLong) == HasOverlongLine(strList),
            "reading stops early exactly when a line is too long");
    Require(pool.front().m_strExpected == "/sentinel" && pool.front().m_strPrompt.empty() &&
                pool.front().m_nAskedForm == PastParticiple,
            "the pool is appended to");
    Require(directions.Any() || pool.size() == 1, "no direction, no question");
    for (std::size_t i = 1; i < pool.size(); ++i)
    {
        const Question& q = pool[i];
        Require(!q.m_strPrompt.empty(), "prompt not empty");
        Require(q.m_strPrompt[0] != '/', "prompt is no list");
        Require(!q.m_strExpected.empty(), "expected text not empty");
        Require(q.m_nAskedForm >= 0 && q.m_nAskedForm < kVerbFormCount, "asked form in range");
        Require(q.m_strPrompt.size() <= kMaxLineLength && q.m_strExpected.size() <= kMaxLineLength,
                "texts are single lines");
        Require(q.m_strPrompt.find('\n') == std::string::npos &&
                    q.m_strExpected.find('\n') == std::string::npos,
                "texts hold no line feed");
    }
    return 0;
}
