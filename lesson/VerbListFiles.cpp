#include "lesson/VerbListFiles.h"

#include "framework/UserFolders.h"
#include "verbdata/RegularFile.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

bool CanOpenVerbList(const char* pszName)
{
    return RegularFile(pszName).IsOpen();
}

std::vector<std::string> VerbListFolders(const char* pszDataHome, const char* pszHome,
                                         const std::string& strProgramDir)
{
    std::vector<std::string> folders{"."};
    if (std::string strData = UserDataFolder(pszDataHome, pszHome); !strData.empty())
        folders.push_back(std::move(strData));
    if (!strProgramDir.empty())
        folders.push_back(InstalledDataFolder(strProgramDir));
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

std::optional<VerbListLocation> LocateChosenList(const std::string& strPath)
{
    if (strPath.empty() || !CanOpenVerbList(strPath.c_str()))
        return std::nullopt;
    std::error_code error;
    const fs::path absolute = fs::absolute(strPath, error);
    return VerbListLocation{error ? strPath : absolute.lexically_normal().string(),
                            fs::path(strPath).filename() == kAlternativeVerbList};
}
