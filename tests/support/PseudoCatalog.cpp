#include "support/PseudoCatalog.h"

#include <map>
#include <set>
#include <vector>

namespace
{

const std::map<char, const char*> kAccented = {
    {'a', "á"}, {'e', "é"}, {'i', "î"}, {'o', "ö"}, {'u', "ü"}, {'y', "ý"},
    {'A', "Å"}, {'E', "É"}, {'I', "Î"}, {'O', "Ö"}, {'U', "Ü"}, {'Y', "Ý"},
};
const std::vector<std::string> kFiller = {"Ж", "д", "ё", "м", "漢", "字"};

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

} // namespace

std::string PseudoText(const std::string& strEnglish)
{
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

std::unique_ptr<TextCatalog> MakePseudoCatalog()
{
    return std::make_unique<PseudoCatalog>();
}
