#include "framework/UserFolders.h"

#include <filesystem>

#ifdef _WIN32
#include <shlobj.h>
#include <system_error>
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
    if (pszDataHome && *pszDataHome == '/')
        return (std::filesystem::path(pszDataHome) / "taldrin").string();
    if (pszHome && *pszHome)
        return (std::filesystem::path(pszHome) / ".local" / "share" / "taldrin").string();
    return {};
#endif
}

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
