#include "framework/UserFolders.h"

#include "framework/UserFile.h"

#include <cstdlib>
#include <filesystem>
#include <map>

#ifdef _WIN32
#include <shlobj.h>
#include <system_error>
#else
#include <cerrno>
#include <vector>

#include <pwd.h>
#include <unistd.h>
#endif

#ifndef _WIN32
namespace
{

// The home folder the password database gives the real user; empty unless absolute.
std::string PasswordHome()
{
    std::vector<char> buffer(16384);
    struct passwd entry = {};
    struct passwd* pEntry = nullptr;
    while (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &pEntry) == ERANGE &&
           buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    return pEntry && pEntry->pw_dir && pEntry->pw_dir[0] == '/' ? pEntry->pw_dir : "";
}

} // namespace

namespace
{

std::map<std::string, std::string>& SavedVariables()
{
    static std::map<std::string, std::string> saved; // value before it was changed; "\1": unset
    return saved;
}

std::string& LibrariesFolder()
{
    static std::string strFolder;
    return strFolder;
}

} // namespace

std::string KeepLibrariesOutOfOthersHome()
{
    std::string strOthers;
    for (const auto& [pszName, pszUnderHome] :
         {std::pair{"XDG_CONFIG_HOME", ".config"}, {"XDG_DATA_HOME", ".local/share"}, {"XDG_CACHE_HOME", ".cache"}})
    {
        const std::string strFolder = XdgUserFolder(std::getenv(pszName), std::getenv("HOME"), pszUnderHome);
        const std::string strHere = strFolder.empty() ? "" : OthersFolder(strFolder);
        if (strHere.empty())
            continue;
        strOthers = strOthers.empty() ? strHere : strOthers;
        if (LibrariesFolder().empty())
        {
            const char* pszTemp = std::getenv("TMPDIR");
            std::string strTemplate = std::string(pszTemp && *pszTemp == '/' ? pszTemp : "/tmp") + "/taldrin-root.XXXXXX";
            if (!OthersFolder(strTemplate).empty() || !::mkdtemp(strTemplate.data()))
                continue;
            LibrariesFolder() = strTemplate;
            std::atexit([] { RemoveLibrariesFolder(); });
        }
        const char* pszOld = std::getenv(pszName);
        SavedVariables()[pszName] = pszOld ? pszOld : "\1";
        ::setenv(pszName, (LibrariesFolder() + "/" + pszName).c_str(), 1);
    }
    return strOthers;
}

void RemoveLibrariesFolder()
{
    std::error_code error;
    if (!LibrariesFolder().empty())
        std::filesystem::remove_all(LibrariesFolder(), error);
}

const char* UserVariable(const char* pszName)
{
    const auto it = SavedVariables().find(pszName);
    if (it == SavedVariables().end())
        return std::getenv(pszName);
    return it->second == "\1" ? nullptr : it->second.c_str();
}

std::string XdgUserFolder(const char* pszXdgHome, const char* pszHome, const char* pszUnderHome)
{
    if (pszXdgHome && *pszXdgHome == '/')
        return pszXdgHome;
    const std::string strHome = pszHome && *pszHome == '/' ? pszHome : PasswordHome();
    return strHome.empty() ? "" : (std::filesystem::path(strHome) / pszUnderHome).string();
}
#endif

std::string UserDataFolder(const char* pszDataHome, const char* pszHome)
{
#ifdef _WIN32
    (void)pszDataHome;
    (void)pszHome;
    std::string strFolder;
    PWSTR pszAppData = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &pszAppData)))
    {
        // The program's paths are in the system's code page; a folder that has no name
        // there is left out rather than mangled.
        try
        {
            strFolder = (std::filesystem::path(pszAppData) / "Taldrin").string();
        }
        catch (const std::system_error&)
        {
        }
    }
    CoTaskMemFree(pszAppData);
    return strFolder;
#else
    const std::string strBase = XdgUserFolder(pszDataHome, pszHome, ".local/share");
    return strBase.empty() ? "" : (std::filesystem::path(strBase) / "taldrin").string();
#endif
}

#ifdef _WIN32
std::string KeepLibrariesOutOfOthersHome()
{
    return {};
}

void RemoveLibrariesFolder() {}

const char* UserVariable(const char* pszName)
{
    return std::getenv(pszName);
}
#endif

std::string InstalledDataFolder(const std::string& strProgramDir)
{
#ifdef _WIN32
    return strProgramDir;
#else
    // The program's folder comes from the system with every link resolved, so its parent
    // by name is its parent on disk.
    return (std::filesystem::path(strProgramDir).parent_path() / "share" / "taldrin").string();
#endif
}
