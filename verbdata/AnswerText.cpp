#include "verbdata/AnswerText.h"
#include "verbdata/ListEncoding.h"

namespace
{

// The letter an escape stands for, or 0 when backslash + cMark + cLetter is no escape.
char AccentedLetter(char cMark, char cLetter)
{
    if (cMark == 'c')
        return cLetter == 'c' ? '\xE7' : 0;

    static const char kVowels[] = "aeiou";
    static const char kMarks[] = "'`^\"";
    // Row: vowel, column: mark (acute, grave, circumflex, diaeresis).
    static const unsigned char kLetters[5][4] = {
        {0xE1, 0xE0, 0xE2, 0xE4}, {0xE9, 0xE8, 0xEA, 0xEB}, {0xED, 0xEC, 0xEE, 0xEF},
        {0xF3, 0xF2, 0xF4, 0xF6}, {0xFA, 0xF9, 0xFB, 0xFC},
    };
    for (int v = 0; v < 5; ++v)
    {
        if (kVowels[v] != cLetter)
            continue;
        for (int m = 0; m < 4; ++m)
            if (kMarks[m] == cMark)
                return static_cast<char>(kLetters[v][m]);
    }
    return 0;
}

} // namespace

// One pass from the left gives the same text as replacing escape by escape: two
// escapes never overlap, and no replacement letter can start a new one.
std::string ConvertAccents(std::string strText)
{
    if (strText.find('\\') == std::string::npos)
        return strText;

    std::string strResult;
    strResult.reserve(strText.size());
    for (std::size_t i = 0; i < strText.size(); ++i)
    {
        if (strText[i] == '\\' && i + 2 < strText.size())
        {
            const char cLetter = AccentedLetter(strText[i + 1], strText[i + 2]);
            if (cLetter != 0)
            {
                strResult += cLetter;
                i += 2;
                continue;
            }
        }
        strResult += strText[i];
    }
    return strResult;
}

std::string NormaliseSpaces(std::string strText)
{
    std::string strResult;
    strResult.reserve(strText.size());
    for (char c : strText)
    {
        if (c == ' ' && (strResult.empty() || strResult.back() == ' '))
            continue;
        strResult += c;
    }
    if (!strResult.empty() && strResult.back() == ' ')
        strResult.pop_back();
    return strResult;
}

bool MatchAnswer(std::string strTyped, std::string strExpected)
{
    if (strExpected.empty() || strExpected[0] != '/')
        return strTyped == strExpected;

    std::string strRemainder = strExpected.substr(1);
    for (std::size_t p = strRemainder.find('/'); p != std::string::npos; p = strRemainder.find('/'))
    {
        // The alternative before the "/" loses its last character, the separating space.
        // A "/" at the very start leaves the whole remainder as the candidate.
        const std::string strCandidate = p == 0 ? strRemainder : strRemainder.substr(0, p - 1);
        if (strTyped == strCandidate)
            return true;
        strRemainder.erase(0, p + 1);
    }
    return strTyped == strRemainder;
}

std::string ConvertAccentsInUtf8(const std::string& strText)
{
    std::string strResult;
    for (std::size_t i = 0; i < strText.size(); ++i)
    {
        // Every escape is three ASCII characters, so it never splits a UTF-8 sequence.
        if (strText[i] == '\\' && i + 2 < strText.size())
        {
            const std::string strLetter = ConvertAccents(strText.substr(i, 3));
            if (strLetter.size() == 1)
            {
                strResult += Latin1ToUtf8(strLetter);
                i += 2;
                continue;
            }
        }
        strResult += strText[i];
    }
    return strResult;
}
