// Fuzzes the answer text rules with the input as one text.
#include "verbdata/AnswerText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

void Require(bool bCondition, const char* pszWhat)
{
    if (bCondition)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", pszWhat);
    std::abort();
}

std::string WithoutSpaces(std::string str)
{
    std::string strResult;
    for (char c : str)
        if (c != ' ')
            strResult += c;
    return strResult;
}

void CheckNormaliseSpaces(const std::string& strText)
{
    const std::string strNormal = NormaliseSpaces(strText);
    Require(NormaliseSpaces(strNormal) == strNormal, "NormaliseSpaces is idempotent");
    Require(strNormal.empty() || (strNormal.front() != ' ' && strNormal.back() != ' '),
            "no space at either end");
    Require(strNormal.find("  ") == std::string::npos, "no two spaces in a row");
    Require(WithoutSpaces(strNormal) == WithoutSpaces(strText), "only spaces are removed");
}

void CheckConvertAccents(const std::string& strText)
{
    const std::string strConverted = ConvertAccents(strText);
    Require(strConverted.size() <= strText.size(), "ConvertAccents never lengthens");
    Require((strText.size() - strConverted.size()) % 2 == 0, "each escape gives one letter");
    if (strText.find('\\') == std::string::npos)
        Require(strConverted == strText, "a text without a backslash is unchanged");
    Require(ConvertAccents(strConverted) == strConverted, "a converted text has no escape left");
}

void CheckMatchAnswer(const std::string& strText)
{
    const std::string strNormal = NormaliseSpaces(strText);
    if (strNormal.empty() || strNormal[0] != '/')
        Require(MatchAnswer(strNormal, strNormal), "a plain text matches itself");

    // The text cut at every "/" gives alternatives; written as a list, each must match.
    std::vector<std::string> alternatives(1);
    for (char c : strText)
    {
        if (c == '/')
            alternatives.emplace_back();
        else
            alternatives.back() += c;
    }
    std::string strList;
    for (const std::string& strAlternative : alternatives)
        strList += (strList.empty() ? "/" : " /") + strAlternative;
    // A spread of at most 64 alternatives and the last one: each check copies the list,
    // and checking them all makes an input of slashes quadratic.
    const std::size_t nStep = std::max<std::size_t>(1, alternatives.size() / 64);
    for (std::size_t i = 0; i < alternatives.size(); i += nStep)
        Require(MatchAnswer(alternatives[i], strList), "every alternative of a list matches");
    Require(MatchAnswer(alternatives.back(), strList), "the last alternative matches");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string strText(reinterpret_cast<const char*>(pData), nSize);
    CheckNormaliseSpaces(strText);
    CheckConvertAccents(strText);
    CheckMatchAnswer(strText);
    return 0;
}
