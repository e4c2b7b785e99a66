#include "framework/Translation.h"

namespace
{

std::unique_ptr<TextCatalog>& Current()
{
    static std::unique_ptr<TextCatalog> pCatalog;
    return pCatalog;
}

thread_local bool t_bEnglish = false;

} // namespace

EnglishOnThisThread::EnglishOnThisThread() : m_bWasEnglish(t_bEnglish)
{
    t_bEnglish = true;
}

EnglishOnThisThread::~EnglishOnThisThread()
{
    t_bEnglish = m_bWasEnglish;
}

void UseTextCatalog(std::unique_ptr<TextCatalog> pCatalog)
{
    Current() = std::move(pCatalog);
}

const TextCatalog* CurrentTextCatalog()
{
    if (t_bEnglish)
        return nullptr;
    return Current().get();
}

std::string Tr(const char* pszEnglish)
{
    return TrC(nullptr, pszEnglish);
}

std::string TrC(const char* pszContext, const char* pszEnglish)
{
    if (const TextCatalog* pCatalog = CurrentTextCatalog())
        if (const std::string* pText = pCatalog->Find(pszContext, pszEnglish))
            return *pText;
    return pszEnglish;
}

std::string TrN(const char* pszSingular, const char* pszPlural, unsigned long n)
{
    if (const TextCatalog* pCatalog = CurrentTextCatalog())
        if (const std::string* pText = pCatalog->FindPlural(pszSingular, n))
            return *pText;
    return n == 1 ? pszSingular : pszPlural;
}

std::string FillIn(const std::string& strPattern, std::initializer_list<std::string> values)
{
    std::string strResult;
    for (std::size_t i = 0; i < strPattern.size(); ++i)
    {
        if (strPattern[i] == '{' && i + 1 < strPattern.size() && strPattern[i + 1] == '{')
        {
            strResult += '{';
            ++i;
            continue;
        }
        if (strPattern[i] == '{')
        {
            std::size_t nClose = strPattern.find('}', i);
            std::size_t nIndex = 0;
            bool bNumber = nClose != std::string::npos && nClose > i + 1 && nClose - i <= 3;
            for (std::size_t j = i + 1; bNumber && j < nClose; ++j)
            {
                bNumber = strPattern[j] >= '0' && strPattern[j] <= '9';
                nIndex = nIndex * 10 + static_cast<std::size_t>(strPattern[j] - '0');
            }
            if (bNumber && nIndex >= 1 && nIndex <= values.size())
            {
                strResult += *(values.begin() + (nIndex - 1));
                i = nClose;
                continue;
            }
        }
        strResult += strPattern[i];
    }
    return strResult;
}
