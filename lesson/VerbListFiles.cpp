#include "lesson/VerbListFiles.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

bool CanOpenVerbList(const char* pszName)
{
    std::error_code error;
    if (!fs::is_regular_file(pszName, error))
        return false;
    return std::ifstream(pszName).is_open();
}

std::vector<std::string> VerbListFolders(const char* pszDataHome, const char* pszHome,
                                         const std::string& strProgramDir)
{
    std::vector<std::string> folders{"."};
    if (pszDataHome && *pszDataHome == '/')
        folders.push_back((fs::path(pszDataHome) / "taldrin").string());
    else if (pszHome && *pszHome)
        folders.push_back((fs::path(pszHome) / ".local" / "share" / "taldrin").string());
    // The program's folder comes from the system with every link resolved, so its parent
    // by name is its parent on disk.
    if (!strProgramDir.empty())
        folders.push_back((fs::path(strProgramDir).parent_path() / "share" / "taldrin").string());
    return folders;
}

std::optional<VerbListLocation> FindVerbList(const std::vector<std::string>& folders)
{
    for (const std::string& strFolder : folders)
        for (const bool bAlternative : {false, true})
        {
            const char* pszName = bAlternative ? kAlternativeVerbList : kMainVerbList;
            const fs::path file =
                strFolder == "." ? fs::path(pszName) : fs::path(strFolder) / pszName;
            if (!CanOpenVerbList(file.string().c_str()))
                continue;
            std::error_code error;
            const fs::path absolute = fs::absolute(file, error);
            return VerbListLocation{(error ? file : absolute).string(), bAlternative};
        }
    return std::nullopt;
}
