// Fuzzes the answer text rules with the input as one text.
#include "verbdata/AnswerText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#define REQUIRE(c) ((c) ? void() : (std::fprintf(stderr, "broken: %s\n", #c), std::abort()))

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* pData, std::size_t nSize)
{
    const std::string strText(reinterpret_cast<const char*>(pData), nSize);
    const std::string strNormal = NormaliseSpaces(strText), strConverted = ConvertAccents(strText);
    const auto Bare = [](std::string s) { s.erase(std::remove(s.begin(), s.end(), ' '), s.end()); return s; };
    REQUIRE(NormaliseSpaces(strNormal) == strNormal && Bare(strNormal) == Bare(strText));
    REQUIRE(strNormal.find("  ") == std::string::npos);
    REQUIRE(strNormal.empty() || (strNormal.front() != ' ' && strNormal.back() != ' '));
    // Each escape gives one letter, and leaves none behind.
    REQUIRE(strConverted.size() <= strText.size() && (strText.size() - strConverted.size()) % 2 == 0);
    REQUIRE(strText.find('\\') != std::string::npos || strConverted == strText);
    REQUIRE(ConvertAccents(strConverted) == strConverted);
    REQUIRE(strNormal[0] == '/' || MatchAnswer(strNormal, strNormal));
    MatchAnswer(strNormal, strText); // any text as the expected one, a list or not
    return 0;
}
