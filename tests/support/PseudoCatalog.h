// The pseudo-language: every text comes back 40 % longer, its letters accented and a tail of
// Cyrillic letters added, so that a text still in English escaped the catalog and a text that
// does not fit its place shows. Placeholders ({1}), mnemonics (&), line breaks and the blanks
// at either end stay where they are.
#pragma once

#include "framework/Translation.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <memory>
#include <string>

class PseudoCatalog : public TextCatalog
{
public:
    const std::string* Find(const char* /*pszContext*/, const char* pszEnglish) const override
    {
        return Pseudo(pszEnglish);
    }
    const std::string* FindPlural(const char* pszSingular, unsigned long /*n*/) const override
    {
        return Pseudo(pszSingular);
    }

    // "Choice of forms" becomes "Ĉĥöîčé öƒ ƒöřɱš Ждёмшя".
    static std::string Lengthen(const std::string& strEnglish)
    {
        std::string strResult;
        std::size_t nStart = 0;
        while (nStart <= strEnglish.size())
        {
            const std::size_t nEnd = std::min(strEnglish.find('\n', nStart), strEnglish.size());
            strResult += LengthenLine(strEnglish.substr(nStart, nEnd - nStart));
            if (nEnd < strEnglish.size())
                strResult += '\n';
            nStart = nEnd + 1;
        }
        return strResult;
    }

private:
    static std::string LengthenLine(const std::string& strLine)
    {
        static const char* const kLower[] = {"á", "ƀ", "č", "ď", "é", "ƒ", "ĝ", "ĥ", "î", "ĵ", "ķ", "ł", "ɱ",
                                             "ñ", "ö", "þ", "ɋ", "ř", "š", "ť", "ü", "ṽ", "ŵ", "ẋ", "ý", "ž"};
        static const char* const kUpper[] = {"Å", "Ɓ", "Ĉ", "Đ", "É", "Ƒ", "Ĝ", "Ĥ", "Î", "Ĵ", "Ķ", "Ĺ", "Ṁ",
                                             "Ñ", "Ö", "Þ", "Ǫ", "Ř", "Š", "Ť", "Ü", "Ṽ", "Ŵ", "Ẋ", "Ý", "Ž"};
        static const char* const kTail[] = {"Ж", "д", "ё", "м", "ш", "я"};
        const std::size_t nLast = strLine.find_last_not_of(' ');
        if (nLast == std::string::npos)
            return strLine;
        std::string strResult;
        bool bPlaceholder = false;
        for (std::size_t i = 0; i <= nLast; ++i)
        {
            const char c = strLine[i];
            bPlaceholder = c == '{' || (bPlaceholder && c != '}');
            if (!bPlaceholder && c >= 'a' && c <= 'z')
                strResult += kLower[c - 'a'];
            else if (!bPlaceholder && c >= 'A' && c <= 'Z')
                strResult += kUpper[c - 'A'];
            else
                strResult += c;
        }
        // Four in ten of the letters again, at least one, after a blank.
        const std::size_t nTail = (nLast + 1) * 4 / 10 + 1;
        strResult += ' ';
        for (std::size_t i = 0; i + 1 < nTail; ++i)
            strResult += kTail[i % std::size(kTail)];
        return strResult + strLine.substr(nLast + 1);
    }

    const std::string* Pseudo(const char* pszEnglish) const
    {
        if (!pszEnglish || !*pszEnglish)
            return nullptr;
        auto it = m_texts.find(pszEnglish);
        if (it == m_texts.end())
            it = m_texts.emplace(pszEnglish, Lengthen(pszEnglish)).first;
        return &it->second;
    }

    mutable std::map<std::string, std::string> m_texts;
};

// Installs the pseudo-language for a scope, English again after it.
struct UsingPseudoCatalog
{
    UsingPseudoCatalog() { UseTextCatalog(std::make_unique<PseudoCatalog>()); }
    ~UsingPseudoCatalog() { UseTextCatalog(nullptr); }
    UsingPseudoCatalog(const UsingPseudoCatalog&) = delete;
    UsingPseudoCatalog& operator=(const UsingPseudoCatalog&) = delete;
};
