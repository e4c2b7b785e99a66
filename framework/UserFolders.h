// The folders of the program's own files: the signed-in user's, and those installed with
// the program. Linux places them by the XDG rules, Windows in its own places.
#pragma once

#include <string>

// Linux: the folder of the user's files of one kind, by one rule for settings and data:
// pszXdgHome when it is an absolute path, else <home>/<pszUnderHome>, the home being $HOME
// when absolute, else the one the password database gives the account. Empty without
// either, so that nothing of the user's lands in the working directory.
std::string XdgUserFolder(const char* pszXdgHome, const char* pszHome, const char* pszUnderHome);

// Linux: XdgUserFolder($XDG_DATA_HOME, $HOME, .local/share)/taldrin; empty without a home.
// Windows: Taldrin in the user's (roaming) application data folder; the arguments are not
// used there. Verb lists, the help book and the history are looked for there.
std::string UserDataFolder(const char* pszDataHome, const char* pszHome);

// Linux, run as root in another user's home (sudo without -H): the toolkit's and the
// libraries' own files (recent files, bookmarks, caches) are sent to a private temporary
// folder by setting XDG_CONFIG_HOME, XDG_DATA_HOME and XDG_CACHE_HOME there, before the
// toolkit starts. The program's own folders keep coming from the variables as they were
// (UserVariable), where nothing is written (OthersFolder). Returns the other user's
// folder; empty, and nothing done, otherwise and on Windows. The temporary folder is
// removed when the process exits, or by RemoveLibrariesFolder where it ends by _exit.
std::string KeepLibrariesOutOfOthersHome();
void RemoveLibrariesFolder();

// The environment variable as it was before KeepLibrariesOutOfOthersHome; null when unset.
const char* UserVariable(const char* pszName);

// Where the lists installed with the program are, given the program's folder: Linux,
// share/taldrin beside its bin folder; Windows, the program's folder itself.
std::string InstalledDataFolder(const std::string& strProgramDir);
