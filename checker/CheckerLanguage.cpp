#include "checker/CheckerLanguage.h"

#include "framework/Languages.h"
#include "framework/SettingsStore.h"
#include "framework/UserSettings.h"

#include <clocale>
#include <string>

#ifdef _WIN32
#include <windows.h>
// windows.h makes this an A-or-W macro, which would rename the settings store's member.
#undef GetProfileString
#else
#include <climits>
#include <unistd.h>
#endif

namespace
{

// The folder of the running program; argv[0]'s when the system cannot tell.
std::string ProgramFolder(const char* argv0)
{
    std::string strPath = argv0;
#ifdef _WIN32
    char sz[MAX_PATH];
    if (DWORD n = GetModuleFileNameA(nullptr, sz, MAX_PATH); n > 0 && n < MAX_PATH)
        strPath.assign(sz, n);
    const std::size_t nSlash = strPath.find_last_of("\\/");
#else
    char sz[PATH_MAX];
    if (ssize_t n = readlink("/proc/self/exe", sz, sizeof sz); n > 0 && n < static_cast<ssize_t>(sizeof sz))
        strPath.assign(sz, static_cast<std::size_t>(n));
    const std::size_t nSlash = strPath.rfind('/');
#endif
    return nSlash == std::string::npos ? "." : strPath.substr(0, nSlash);
}

} // namespace

void UseCheckerLanguage(const char* argv0)
{
    // The system's messages (strerror) in the language too; numbers keep their C form.
    std::setlocale(LC_CTYPE, "");
#ifdef LC_MESSAGES
    std::setlocale(LC_MESSAGES, "");
#endif
    // The same choice as the program's window, read without changing the settings.
    std::string strFolder = ProgramFolder(argv0);
    // In a build folder the program sits one below the catalogs.
    if (FindShippedLanguages(CatalogFolders(strFolder)).empty())
        if (const std::size_t nSlash = strFolder.find_last_of("/\\"); nSlash != std::string::npos)
            strFolder.erase(nSlash);
    UseLanguage(CreateUserSettingsStore()->GetProfileString(kLanguageSection, kLanguageKey, ""), strFolder,
                "taldrin-check");
}
