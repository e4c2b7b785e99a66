#include "framework/Languages.h"

#include "framework/MessageCatalog.h"
#include "framework/Translation.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace
{

// "zh_CN.UTF-8" and "sr@latin" without what follows the language and territory.
std::string Bare(const std::string& strWish)
{
    return strWish.substr(0, strWish.find_first_of(".@"));
}

bool IsEnglish(const std::string& strBare)
{
    return strBare.empty() || strBare == "C" || strBare == "POSIX" || strBare == kEnglishCode ||
           strBare.rfind(std::string(kEnglishCode) + "_", 0) == 0;
}

const char* SetOrNull(const char* pszValue)
{
    return pszValue && *pszValue ? pszValue : nullptr;
}

} // namespace

std::vector<std::string> CatalogFolders(const std::string& strProgramDir)
{
    if (strProgramDir.empty())
        return {};
    std::vector<std::string> folders = {(fs::path(strProgramDir) / "locale").string()};
#ifndef _WIN32
    folders.push_back((fs::path(strProgramDir).parent_path() / "share" / "locale").string());
#endif
    return folders;
}

std::vector<ShippedLanguage> FindShippedLanguages(const std::vector<std::string>& folders)
{
    std::vector<ShippedLanguage> shipped;
    for (const std::string& strFolder : folders)
    {
        std::error_code error;
        for (fs::directory_iterator it(strFolder, error), end; !error && it != end; it.increment(error))
        {
            const std::string strCode = it->path().filename().string();
            const fs::path catalog = it->path() / "LC_MESSAGES" / (std::string(kCatalogName) + ".mo");
            std::error_code statError;
            if (!fs::is_regular_file(catalog, statError) || IsEnglish(Bare(strCode)) || Bare(strCode) != strCode)
                continue;
            if (std::none_of(shipped.begin(), shipped.end(),
                             [&](const ShippedLanguage& language) { return language.m_strCode == strCode; }))
                shipped.push_back({strCode, catalog.string()});
        }
    }
    std::sort(shipped.begin(), shipped.end(),
              [](const ShippedLanguage& a, const ShippedLanguage& b) { return a.m_strCode < b.m_strCode; });
    return shipped;
}

std::vector<std::string> LanguagesFromVariables(const char* pszLanguage, const char* pszAll,
                                                const char* pszMessages, const char* pszLang)
{
    std::vector<std::string> wishes;
    if (SetOrNull(pszLanguage))
    {
        const std::string strList = pszLanguage;
        std::size_t nStart = 0;
        while (nStart <= strList.size())
        {
            std::size_t nEnd = strList.find(':', nStart);
            if (nEnd == std::string::npos)
                nEnd = strList.size();
            const std::string strWish = strList.substr(nStart, nEnd - nStart);
            if (!strWish.empty())
                wishes.push_back(IsEnglish(Bare(strWish)) ? kEnglishCode : strWish);
            nStart = nEnd + 1;
        }
        if (!wishes.empty())
            return wishes;
    }
    const char* pszLocale = SetOrNull(pszAll);
    if (!pszLocale)
        pszLocale = SetOrNull(pszMessages);
    if (!pszLocale)
        pszLocale = SetOrNull(pszLang);
    if (pszLocale)
        wishes.push_back(IsEnglish(Bare(pszLocale)) ? kEnglishCode : pszLocale);
    return wishes;
}

std::vector<std::string> SystemLanguages()
{
#ifdef _WIN32
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) <= 0)
        return {};
    // "de-DE" as "de_DE"; the names are ASCII.
    std::string strName;
    for (const wchar_t* p = name; *p; ++p)
        strName += *p == L'-' ? '_' : static_cast<char>(*p);
    // "zh_Hans_CN" names its script too.
    if (const std::size_t nScript = strName.find("_Hans"); nScript != std::string::npos)
        strName.erase(nScript, 5);
    return {strName};
#else
    return LanguagesFromVariables(std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                  std::getenv("LANG"));
#endif
}

std::string MatchLanguage(const std::vector<std::string>& wishes, const std::vector<ShippedLanguage>& shipped)
{
    const auto has = [&](const std::string& strCode) {
        return std::any_of(shipped.begin(), shipped.end(),
                           [&](const ShippedLanguage& language) { return language.m_strCode == strCode; });
    };
    for (const std::string& strWish : wishes)
    {
        const std::string strBare = Bare(strWish);
        if (IsEnglish(strBare))
            return "";
        if (has(strBare))
            return strBare;
        const std::size_t nTerritory = strBare.find('_');
        if (nTerritory != std::string::npos)
        {
            if (has(strBare.substr(0, nTerritory)))
                return strBare.substr(0, nTerritory);
            continue;
        }
        for (const ShippedLanguage& language : shipped)
            if (language.m_strCode.rfind(strBare + "_", 0) == 0)
                return language.m_strCode;
    }
    return "";
}

std::string ChooseLanguage(const std::string& strSetting, const std::vector<std::string>& systemLanguages,
                           const std::vector<ShippedLanguage>& shipped)
{
    return strSetting.empty() ? MatchLanguage(systemLanguages, shipped) : MatchLanguage({strSetting}, shipped);
}

// Marks the text for the template only; the name is read from each language's own catalog.
#define TR_NOOP_C(context, text) text

std::string OwnLanguageName(const ShippedLanguage& language)
{
    // TRANSLATORS: the name of your language, written in your language ("Deutsch", "Français",
    // "Русский"): the Language dialog lists your language by it.
    const char* const pszEnglish = TR_NOOP_C("language name", "English");
    std::string strFailure;
    const auto pCatalog = MessageCatalog::FromFile(language.m_strCatalog, strFailure);
    const std::string* pName = pCatalog ? pCatalog->Find("language name", pszEnglish) : nullptr;
    return pName ? *pName : language.m_strCode;
}

namespace
{

std::string& InUse()
{
    static std::string strCode;
    return strCode;
}

} // namespace

std::string LanguageInUse()
{
    return InUse();
}

std::string UseLanguage(const std::string& strSetting, const std::string& strProgramDir, const char* pszProgram)
{
    const std::vector<ShippedLanguage> shipped = FindShippedLanguages(CatalogFolders(strProgramDir));
    const std::string strCode = ChooseLanguage(strSetting, SystemLanguages(), shipped);
#ifndef _WIN32
    if (!strSetting.empty())
        setenv("LANGUAGE", strCode.empty() ? kEnglishCode : strCode.c_str(), 1);
#endif
    for (const ShippedLanguage& language : shipped)
        if (language.m_strCode == strCode)
        {
            std::string strFailure;
            auto pCatalog = MessageCatalog::FromFile(language.m_strCatalog, strFailure);
            if (pCatalog && pCatalog->Count() == 0)
                return "";
            if (pCatalog)
            {
                UseTextCatalog(std::move(pCatalog));
                return InUse() = strCode;
            }
            std::fprintf(stderr, "%s: %s could not be read (%s); the texts are shown in English\n", pszProgram,
                         language.m_strCatalog.c_str(), strFailure.c_str());
        }
    return "";
}
