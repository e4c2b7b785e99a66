// A catalog for tests that translates every text into a pseudo language: the English with
// its vowels accented and each line lengthened by 40 % with Cyrillic and Chinese letters.
// Placeholders ({1}) and line feeds stay; a drawn text holding an ASCII vowel escaped it.
// Header-only, so that any test program may use it.
#pragma once

#include "framework/Translation.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// The pseudo form of one English text.
inline std::string PseudoText(const std::string& strEnglish)
{
    static const std::map<char, const char*> kAccented = {
        {'a', "á"}, {'e', "é"}, {'i', "î"}, {'o', "ö"}, {'u', "ü"}, {'y', "ý"},
        {'A', "Å"}, {'E', "É"}, {'I', "Î"}, {'O', "Ö"}, {'U', "Ü"}, {'Y', "Ý"},
    };
    static const std::vector<std::string> kFiller = {"Ж", "д", "ё", "м", "漢", "字"};
    std::string strResult;
    std::size_t nLineLetters = 0;
    bool bPlaceholder = false;
    const auto endLine = [&] {
        if (nLineLetters == 0)
            return;
        strResult += ' ';
        for (std::size_t i = 0; i < (nLineLetters * 4 + 9) / 10; ++i)
            strResult += kFiller[i % kFiller.size()];
        nLineLetters = 0;
    };
    for (const char c : strEnglish)
    {
        if (c == '\n')
        {
            endLine();
            strResult += c;
            continue;
        }
        bPlaceholder = c == '{' ? true : c == '}' ? false : bPlaceholder;
        const auto accented = kAccented.find(c);
        strResult += !bPlaceholder && accented != kAccented.end() ? accented->second : std::string(1, c);
        ++nLineLetters;
    }
    endLine();
    return strResult;
}

class PseudoCatalog : public TextCatalog
{
public:
    const std::string* Find(const char*, const char* pszEnglish) const override { return Keep(PseudoText(pszEnglish)); }
    // The catalog is asked by the singular only, which then stands for every form.
    const std::string* FindPlural(const char* pszSingular, unsigned long) const override { return Keep(PseudoText(pszSingular)); }

private:
    const std::string* Keep(std::string strText) const { return &*m_texts.insert(std::move(strText)).first; }
    mutable std::set<std::string> m_texts;
};

// Every text, plural forms too, in the pseudo language.
inline std::unique_ptr<TextCatalog> MakePseudoCatalog()
{
    return std::make_unique<PseudoCatalog>();
}

// Installs the catalog for a scope, and English again at its end.
class PseudoLanguage
{
public:
    PseudoLanguage() { UseTextCatalog(MakePseudoCatalog()); }
    ~PseudoLanguage() { UseTextCatalog(nullptr); }
    PseudoLanguage(const PseudoLanguage&) = delete;
    PseudoLanguage& operator=(const PseudoLanguage&) = delete;
};

// The plural form Russian takes for a count: 0 for 1, 21; 1 for 2, 22; 2 for 5, 11, 12.
inline int RussianForm(unsigned long n)
{
    return n % 10 == 1 && n % 100 != 11 ? 0 : n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14) ? 1 : 2;
}

// Counted texts only, as the first 12 bytes of the singular, '|', the form's name ("one",
// "few", "many") and " {1}"; everything else English.
class CountingCatalog : public TextCatalog
{
public:
    explicit CountingCatalog(std::function<int(unsigned long)> fnForm) : m_fnForm(std::move(fnForm)) {}
    const std::string* Find(const char*, const char*) const override { return nullptr; }
    const std::string* FindPlural(const char* pszSingular, unsigned long n) const override
    {
        static const std::string kForms[] = {"one", "few", "many"};
        return &*m_texts.insert(std::string(pszSingular).substr(0, 12) + "|" + kForms[m_fnForm(n)] + " {1}").first;
    }

private:
    std::function<int(unsigned long)> m_fnForm;
    mutable std::set<std::string> m_texts;
};
