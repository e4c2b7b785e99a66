#include "lesson/VerbListFiles.h"

#include <filesystem>
#include <fstream>
#include <system_error>

bool CanOpenVerbList(const char* pszName)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(pszName, error))
        return false;
    return std::ifstream(pszName).is_open();
}
