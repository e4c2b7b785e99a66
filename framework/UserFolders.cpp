#include "framework/UserFolders.h"

#include <filesystem>

std::string UserDataFolder(const char* pszDataHome, const char* pszHome)
{
    if (pszDataHome && *pszDataHome == '/')
        return (std::filesystem::path(pszDataHome) / "taldrin").string();
    if (pszHome && *pszHome)
        return (std::filesystem::path(pszHome) / ".local" / "share" / "taldrin").string();
    return {};
}
